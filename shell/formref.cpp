#include "shell/formref.h"

namespace orv {

namespace detail {
std::vector<std::function<void()>> &formResetters()
{
    static std::vector<std::function<void()>> resetters;
    return resetters;
}
} // namespace detail

void discardAllForms()
{
    for (const auto &reset : detail::formResetters())
        reset();
}

} // namespace orv
