// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multiple_choice/frmdur.h"

#include "common/fonts.h"
#include "cues/cue.h"
#include "widgets/colours.h"
#include "widgets/controls.h"

#include <QEvent>
#include <QLabel>

namespace orv {

FrmDur::FrmDur()
    : Form(QStringLiteral("FrmDur"), QStringLiteral("各問経過時間"), fixedSingleFlags())
{
    setClientSizeTwips(4680, 645);
    const QuestionClock::Refresh initial = QuestionClock::initial();
    addLabel(this, QStringLiteral("Label2(3)"), QRect(240, 90, 720, 180), QStringLiteral("経過時間"));
    m_durTime = addFigure(this, QStringLiteral("LabelDurTime"), QRect(1470, 270, 180, 315), initial.elapsedText,
                          kGothic, 15.75);
    m_durTime->setAccessibleName(QStringLiteral("経過時間"));
    m_title2 = addLabel(this, QStringLiteral("LabelTitle2"), QRect(1890, 90, 1440, 180), initial.headings->required);
    m_div = addColourBlock(this, QStringLiteral("LabelDiv"), QRect(1890, 270, initial.required.barTwips, 15),
                           colour::blue);
    m_div->setAccessibleName(QStringLiteral("必要処理時間の棒グラフ"));
    m_title = addLabel(this, QStringLiteral("LabelTitle"), QRect(1890, 360, 1440, 180), initial.headings->standard);
    m_div2 = addColourBlock(this, QStringLiteral("LabelDiv2"), QRect(1890, 540, initial.standard.barTwips, 15),
                            colour::blue);
    m_div2->setAccessibleName(QStringLiteral("標準処理時間の棒グラフ"));
    m_eachTime2 = addFigure(this, QStringLiteral("LabelEachTime2"), QRect(3600, 60, 660, 285), initial.required.text,
                            kGothic, 14.25, colour::yellow);
    m_eachTime2->setAccessibleName(QStringLiteral("必要処理時間(残)"));
    m_eachTime = addFigure(this, QStringLiteral("LabelEachTime"), QRect(3600, 330, 660, 285), initial.standard.text,
                           kGothic, 14.25);
    m_eachTime->setAccessibleName(QStringLiteral("標準処理時間(残)"));
    growLabelsToText();
}

void FrmDur::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
    Form::changeEvent(event);
}

void FrmDur::setTextEcnt(const QString &text)
{
    load();
    showRefresh(m_clock.write(text, budget()));
}

void FrmDur::TextEcnt_Change()
{
    setTextEcnt(textEcnt());
}

void FrmDur::showRefresh(const QuestionClock::Refresh &refresh)
{
    setCaption(m_durTime, refresh.elapsedText);
    if (refresh.headings) {
        setCaption(m_title2, refresh.headings->required);
        setCaption(m_title, refresh.headings->standard);
    }
    auto showRow = [](QLabel *bar, QLabel *text, const QuestionClock::Row &row) {
        setBackgroundColor(bar, row.overrun ? colour::red : colour::blue);
        setWidthTwips(bar, row.barTwips);
        setCaption(text, row.text);
    };
    showRow(m_div, m_eachTime2, refresh.required);
    showRow(m_div2, m_eachTime, refresh.standard);
    if (refresh.cue)
        PlayCue(*refresh.cue);
}

} // namespace orv
