// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multiple_choice/frmbtn.h"

#include "common/clock.h"
#include "widgets/controls.h"
#include "widgets/platform.h"

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
    emit donePressed();
    m_debounce.accepted(pressReading(timeOfDay()));
}

} // namespace orv
