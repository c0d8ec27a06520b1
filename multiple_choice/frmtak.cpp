#include "multiple_choice/frmtak.h"

namespace orv {

FrmTak::FrmTak()
    : Form(QStringLiteral("FrmTak"), QStringLiteral("択一タイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3225);
}

void FrmTak::formLoad()
{
    hideMainMenu();
}

void FrmTak::formQueryUnload()
{
    showMainMenu();
}

} // namespace orv
