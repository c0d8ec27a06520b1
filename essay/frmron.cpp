// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "essay/frmron.h"

#include "common/fonts.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "widgets/colours.h"
#include "widgets/controls.h"

#include <QFrame>
#include <QLabel>

namespace orv {

namespace {
// The legend's and the bars' colour of each kind of phase.
const QColor &kIssues = colour::yellow;
const QColor &kOutline = colour::lavender;
const QColor &kWriting = colour::purple;
} // namespace

FrmRon::FrmRon()
    : TimedRunForm(QStringLiteral("FrmRon"), QStringLiteral("論文タイマー"))
{
    setClientSizeTwips(4680, 3195);
    const QFont legend = designedFont(kPGothic, 8.25, false);
    const EssayRun::Initial initial = EssayRun::initial();

    QFrame *outer = addOuterPanel();
    addTickLengthBox(outer, 0, Qt::AlignLeft | Qt::AlignVCenter);
    QFrame *table = addTable(outer);

    addFigure(table, QStringLiteral("Label3"), QRect(30, 210, 180, 315), QStringLiteral("1"), kGothic, 15.75)
        ->setAccessibleName(QStringLiteral("第1問"));
    addFigure(table, QStringLiteral("Label4"), QRect(30, 780, 180, 315), QStringLiteral("2"), kGothic, 15.75)
        ->setAccessibleName(QStringLiteral("第2問"));
    for (int question = 0; question < 2; ++question)
        buildRow(table, question, initial);
    addStandardPace(table, QRect(2520, 1590, 1260, 315));

    // The legend: one square and one caption per kind of phase.
    addColourBlock(outer, QStringLiteral("LabelH(1)"), QRect(240, 2430, 135, 75), kIssues);
    addLabel(outer, QStringLiteral("Label2(7)"), QRect(480, 2400, 660, 165), QStringLiteral("論点抽出"))
        ->setFont(legend);
    addColourBlock(outer, QStringLiteral("LabelH(3)"), QRect(240, 2610, 135, 75), kOutline);
    addLabel(outer, QStringLiteral("Label2(8)"), QRect(480, 2580, 660, 165), QStringLiteral("答案構成"))
        ->setFont(legend);
    addColourBlock(outer, QStringLiteral("LabelQ(1)"), QRect(240, 2790, 135, 75), kWriting);
    addLabel(outer, QStringLiteral("Label2(9)"), QRect(480, 2760, 660, 165), QStringLiteral("答案作成"))
        ->setFont(legend);
    addRunLeft(outer);

    // Made last, so it starts in front.
    addCover();
    connect(runClock(), &PeriodicTimer::timeout, this, &FrmRon::Timer1_Timer);
    showRunFigures(initial.figures);
}

void FrmRon::buildRow(QWidget *table, int question, const EssayRun::Initial &initial)
{
    struct Kind
    {
        int step; // of the question's phases: issues, outline, writing
        const char *bar, *text;
        int textLeft;
        const QColor &colour;
        const char *heading;
    };
    // Bars edge to edge from 270 in this order, each a twip a second long.
    const Kind kinds[] = {{2, "LabelC", "LabelCS", 870, kWriting, "答案作成"},
                          {1, "LabelB", "LabelBS", 2370, kOutline, "答案構成"},
                          {0, "LabelA", "LabelAS", 3270, kIssues, "論点抽出"}};
    const int dy = 570 * question;
    addColourBlock(table, indexedName("LabelBase", question), QRect(240, 150 + dy, 3675, 435), colour::lightGrey);
    int left = 270;
    const auto phaseOf = [question](const Kind &kind) { return size_t(3) * size_t(question) + size_t(kind.step); };
    for (const Kind &kind : kinds) {
        const size_t phase = phaseOf(kind);
        const int width = initial.phases[phase].barTwips;
        m_bars[phase] = addColourBlock(table, indexedName(kind.bar, question), QRect(left, 240 + dy, width, 75),
                                       kind.colour);
        left += width;
    }
    for (const Kind &kind : kinds) {
        const size_t phase = phaseOf(kind);
        m_phaseTexts[phase] = addFigure(table, indexedName(kind.text, question), QRect(kind.textLeft, 360 + dy, 600, 195),
                                        initial.phases[phase].text, kGothic, 9.75);
        m_phaseTexts[phase]->setAccessibleName(
            QStringLiteral("第%1問 %2の残り時間").arg(question + 1).arg(QString::fromUtf8(kind.heading)));
    }
}

void FrmRon::Timer1_Timer()
{
    const std::optional<EssayRun::Tick> tick = m_run.tick();
    if (!tick)
        return;
    if (tick->hidden) {
        m_bars[size_t(*tick->hidden)]->hide();
        m_phaseTexts[size_t(*tick->hidden)]->hide();
    }
    if (tick->current) {
        setWidthTwips(m_bars[size_t(tick->current->phase)], tick->current->left.barTwips);
        setCaption(m_phaseTexts[size_t(tick->current->phase)], tick->current->left.text);
    }
    showRunFigures(tick->figures);
    if (tick->cue)
        PlayCue(*tick->cue);
    if (tick->ended)
        endRun();
}

} // namespace orv
