#include "essay/frmron.h"

namespace orv {

FrmRon::FrmRon()
    : Form(QStringLiteral("FrmRon"), QStringLiteral("論文タイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3195);
}

void FrmRon::formLoad()
{
    hideMainMenu();
}

void FrmRon::formQueryUnload()
{
    showMainMenu();
}

} // namespace orv
