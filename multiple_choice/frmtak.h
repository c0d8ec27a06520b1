#pragma once

#include "shell/form.h"

namespace orv {

// While open, this window stands in for the main menu: it hides the menu when
// it loads and shows it again when it closes.
class FrmTak : public Form
{
    Q_OBJECT

public:
    FrmTak();

protected:
    void formLoad() override;
    void formQueryUnload() override;
};

} // namespace orv
