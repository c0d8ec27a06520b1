// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "multiple_choice/frmtak.h"

#include "common/fonts.h"
#include "common/periodictimer.h"
#include "common/twips.h"
#include "cues/cue.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "widgets/colours.h"
#include "widgets/controls.h"
#include "widgets/formref.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace orv {

namespace {
constexpr int kGapTwips = 50; // between this window and its companions
} // namespace

FrmTak::FrmTak()
    : TimedRunForm(QStringLiteral("FrmTak"), QStringLiteral("択一タイマー"))
{
    setClientSizeTwips(4680, 3225);
    const Paper::Initial initial = Paper::initial();

    QFrame *outer = addOuterPanel();
    QFrame *table = addTable(outer);
    addLabel(table, QStringLiteral("Label2(0)"), QRect(180, 90, 900, 180), QStringLiteral("実際の進度"));
    m_qNo2 = addFigure(table, QStringLiteral("LabelQNo2"), QRect(1290, 270, 165, 285), initial.question,
                       kPGothic, 14.25, colour::yellow);
    m_qNo2->setAccessibleName(QStringLiteral("実際の進度（問目）"));
    addLabel(table, QStringLiteral("Label2(5)"), QRect(1500, 360, 360, 180), QStringLiteral("問目"));
    addLabel(table, QStringLiteral("Label2(1)"), QRect(1920, 90, 1080, 180), QStringLiteral("必要処理時間"));
    m_eachTime2 = addFigure(table, QStringLiteral("LabelEachTime2"), QRect(3090, 270, 660, 285), {}, kGothic,
                            14.25, colour::yellow);
    m_eachTime2->setAccessibleName(QStringLiteral("必要処理時間"));
    buildGrid(table);
    addStandardPace(table, QRect(3060, 1590, 720, 315));

    addTickLengthBox(outer, 8, Qt::AlignRight);
    addLabel(outer, QStringLiteral("Label2(7)"), QRect(300, 2550, 1125, 180), QStringLiteral("アドバンテージ"));
    m_savedTime = addFigure(outer, QStringLiteral("LabelSavedTime"), QRect(2040, 2520, 135, 240), {}, kGothic,
                            12, colour::yellow);
    m_savedTime->setAccessibleName(QStringLiteral("アドバンテージ"));
    addRunLeft(outer);
    QPushButton *next = addButton(outer, QStringLiteral("CmdNext"), QRect(1140, 2700, 885, 465),
                                  QStringLiteral("できた"));
    next->hide(); // the floating Done button stands in for it
    connect(next, &QPushButton::clicked, this, &FrmTak::CmdNext_Click);

    addCover();
    connect(runClock(), &PeriodicTimer::timeout, this, &FrmTak::Timer1_Timer);
    // Placed at load with our outer size guessed; once framed it is known.
    connect(this, &Form::framed, this, [this] {
        if (m_button && m_button->isLoaded())
            placeButtonWindow();
    });

    showPace(initial.pace);
    showRunFigures(initial.figures);
    growLabelsToText();
}

void FrmTak::buildGrid(QWidget *table)
{
    // Markers first, so that every cell starts in front of its marker and a
    // marker shows only once it is brought to the front.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < pace::kQuestions; ++i) {
            const int row = i / 20;
            const int column = i % 20;
            // The gap after the tenth column is 60 twips wider.
            const int left = column < 10 ? 150 + 180 * column : 2010 + 180 * (column - 10);
            const int top = 630 + 240 * row;
            if (pass == 0)
                m_markers[i] = addColourBlock(table, indexedName("LabelQ2", i), QRect(left, top + 60, 75, 75),
                                              colour::yellow);
            else
                m_cells[i] = addColourBlock(table, indexedName("LabelQ", i), QRect(left, top, 135, 135),
                                            colour::lightGrey);
        }
    }
}

FrmBtn *FrmTak::buttonWindow()
{
    FrmBtn *button = formRef<FrmBtn>().get();
    if (m_button != button) {
        m_button = button;
        // Direct: a press is handled before the button records it.
        connect(button, &FrmBtn::donePressed, this, &FrmTak::CmdNext_Click, Qt::DirectConnection);
        // Its outer height is known only once framed; keep the bottom edges level.
        connect(button, &Form::framed, this, &FrmTak::placeButtonWindow);
    }
    return button;
}

FrmDur *FrmTak::durationWindow()
{
    FrmDur *duration = formRef<FrmDur>().get();
    if (m_duration != duration) {
        m_duration = duration;
        duration->setBudgetSource([tak = QPointer<FrmTak>(this)] { return tak ? tak->lpDivTime() : 0; });
        connect(duration, &Form::framed, this, &FrmTak::placeDurationWindow);
        // Clicking into the per-question window keeps the Done button in front of it.
        connect(duration, &FrmDur::activated, this, [this] {
            if (m_button && m_button->isVisible())
                m_button->raise();
        });
    }
    return duration;
}

void FrmTak::placeButtonWindow()
{
    FrmBtn *button = buttonWindow();
    const QRect outer = frameGeometry();
    button->move(outer.x() + outer.width() + twipsToPx(kGapTwips),
                 outer.y() + outer.height() - button->frameGeometry().height());
}

void FrmTak::placeDurationWindow()
{
    const QRect outer = frameGeometry();
    durationWindow()->move(outer.x(), outer.y() + outer.height() + twipsToPx(kGapTwips));
}

void FrmTak::loaded()
{
    placeButtonWindow();
    buttonWindow()->show();
}

void FrmTak::started()
{
    placeDurationWindow();
    durationWindow()->show();
    m_paper.start();
    durationWindow()->setTextEcnt(QStringLiteral("0"));
    if (m_button)
        m_button->raise();
}

void FrmTak::formQueryUnload()
{
    TimedRunForm::formQueryUnload();
    // The companions go with their state; neither has close handling of
    // its own to run.
    formRef<FrmBtn>().reset();
    formRef<FrmDur>().reset();
}

void FrmTak::Timer1_Timer()
{
    const std::optional<Paper::Tick> tick = m_paper.tick();
    if (!tick)
        return;
    if (tick->blacken)
        setBackgroundColor(m_cells[*tick->blacken], colour::black);
    if (tick->marker)
        m_markers[*tick->marker]->raise();
    showRunFigures(tick->figures);
    if (tick->pace)
        showPace(*tick->pace);
    if (tick->cue)
        PlayCue(*tick->cue);
    if (tick->ended) {
        endRun();
        formRef<FrmBtn>().unload();
        formRef<FrmDur>().unload();
        return;
    }
    durationWindow()->advance();
}

void FrmTak::CmdNext_Click()
{
    const std::optional<Paper::Next> next = m_paper.next();
    if (!next)
        return;
    m_markers[next->marker]->raise();
    setCaption(m_qNo2, next->question);
    showPace(next->pace);
    durationWindow()->setTextEcnt(QStringLiteral("0"));
}

void FrmTak::showPace(const Paper::Pace &pace)
{
    setCaption(m_eachTime2, pace.divTimeText);
    setCaption(m_savedTime, pace.savedText);
}

} // namespace orv
