#include "multiple_choice/frmbtn.h"

#include "common/clock.h"
#include "multiple_choice/frmtak.h"
#include "shell/formref.h"
#include "shell/platform.h"

#include <QCloseEvent>
#include <QPushButton>

namespace orv {

FrmBtn::FrmBtn()
    : Form(QStringLiteral("FrmBtn"), QStringLiteral("次の問題"),
           Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setClientSizeTwips(1050, 930);
    QPushButton *done = addButton(this, QStringLiteral("CmdDone"), QRect(60, 30, 945, 885), QStringLiteral("Done"));
    done->setFocus();
    setDefaultButton(done);
    done->setAccessibleName(QStringLiteral("次の問題へ（Done）"));
    connect(done, &QPushButton::clicked, this, &FrmBtn::CmdDone_Click);
}

void FrmBtn::formFramed()
{
    // Our outer height is known only now; keep the bottom edges level.
    if (FrmTak *tak = formRef<FrmTak>().peek())
        tak->placeButtonWindow();
}

void FrmBtn::closeEvent(QCloseEvent *event)
{
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    Form::closeEvent(event);
}

void FrmBtn::CmdDone_Click()
{
    if (!m_debounce.press(pressReading(timeOfDay())))
        return;
    systemBeep();
    // Never through an empty reference: that would open a pacing window.
    if (FrmTak *tak = formRef<FrmTak>().peek())
        tak->CmdNext_Click();
    m_debounce.accepted(pressReading(timeOfDay()));
}

} // namespace orv
