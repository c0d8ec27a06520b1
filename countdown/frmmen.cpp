#include "countdown/frmmen.h"

namespace orv {

FrmMen::FrmMen()
    : Form(QStringLiteral("FrmMen"), QStringLiteral("ラーメンタイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3195);
}

void FrmMen::formLoad()
{
    centreOnScreen();
    hideMainMenu();
}

void FrmMen::formQueryUnload()
{
    showMainMenu();
}

} // namespace orv
