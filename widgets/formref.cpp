// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/formref.h"

namespace orv {

namespace {
std::vector<std::function<void()>> &formResetters()
{
    static std::vector<std::function<void()>> resetters;
    return resetters;
}
} // namespace

namespace detail {
void registerFormResetter(std::function<void()> reset)
{
    if (formResetters().empty())
        qAddPostRoutine(discardAllForms);
    formResetters().push_back(std::move(reset));
}
} // namespace detail

void discardAllForms()
{
    for (const auto &reset : formResetters())
        reset();
}

} // namespace orv
