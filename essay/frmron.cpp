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
const QColor kIssues = colour::yellow;
const QColor kOutline = colour::lavender;
const QColor kWriting = colour::purple;
} // namespace

FrmRon::FrmRon()
    : TimedRunForm(QStringLiteral("FrmRon"), QStringLiteral("論文タイマー"))
{
    setClientSizeTwips(4680, 3195);
    const QFont legend = designedFont(kPGothic, 8.25, false);

    QFrame *picture2 = addPanel(this, QStringLiteral("Picture2"), QRect(90, 120, 4485, 2985), colour::silver);
    addTickLengthBox(picture2, 0, Qt::AlignLeft | Qt::AlignVCenter);

    QFrame *picture3 = addPanel(picture2, QStringLiteral("Picture3"), QRect(210, 330, 4035, 2055), colour::silver);
    addFigure(picture3, QStringLiteral("Label3"), QRect(30, 210, 180, 315), QStringLiteral("1"), kGothic, 15.75);
    addFigure(picture3, QStringLiteral("Label4"), QRect(30, 780, 180, 315), QStringLiteral("2"), kGothic, 15.75);
    for (int question = 0; question < 2; ++question)
        buildRow(picture3, question);
    addLabel(picture3, QStringLiteral("Label2(4)"), QRect(210, 1380, 720, 180), QStringLiteral("標準進度"));
    m_qNo = addFigure(picture3, QStringLiteral("LabelQNo"), QRect(1275, 1590, 180, 315), QStringLiteral("1"), kGothic,
                      15.75);
    addLabel(picture3, QStringLiteral("Label2(6)"), QRect(1500, 1680, 360, 180), QStringLiteral("問目"));
    addLabel(picture3, QStringLiteral("Label2(3)"), QRect(1920, 1380, 1440, 180), QStringLiteral("標準処理時間（残）"));
    m_eachTime = addFigure(picture3, QStringLiteral("LabelEachTime"), QRect(2520, 1590, 1260, 315),
                           QStringLiteral("1:00:00"), kGothic, 15.75);

    // The legend: one square and one caption per kind of phase.
    addColourBlock(picture2, QStringLiteral("LabelH(1)"), QRect(240, 2430, 135, 75), kIssues);
    addLabel(picture2, QStringLiteral("Label2(7)"), QRect(480, 2400, 660, 165), QStringLiteral("論点抽出"))->setFont(legend);
    addColourBlock(picture2, QStringLiteral("LabelH(3)"), QRect(240, 2610, 135, 75), kOutline);
    addLabel(picture2, QStringLiteral("Label2(8)"), QRect(480, 2580, 660, 165), QStringLiteral("答案構成"))->setFont(legend);
    addColourBlock(picture2, QStringLiteral("LabelQ(1)"), QRect(240, 2790, 135, 75), kWriting);
    addLabel(picture2, QStringLiteral("Label2(9)"), QRect(480, 2760, 660, 165), QStringLiteral("答案作成"))->setFont(legend);
    addLabel(picture2, QStringLiteral("Label2(2)"), QRect(2430, 2550, 675, 180), QStringLiteral("残り時間"));
    m_totalTime = addFigure(picture2, QStringLiteral("LabelTotalTime"), QRect(3210, 2520, 945, 240),
                            QStringLiteral("2:00:00"), kGothic, 12);

    // Made last, so it starts in front.
    addCover();
    connect(runClock(), &PeriodicTimer::timeout, this, &FrmRon::Timer1_Timer);
    nameControls({{"LabelQNo", "標準進度（問目）"},
                  {"LabelEachTime", "標準処理時間（残）"},
                  {"LabelTotalTime", "残り時間"},
                  {"LabelAS(0)", "第1問 論点抽出の残り時間"},
                  {"LabelBS(0)", "第1問 答案構成の残り時間"},
                  {"LabelCS(0)", "第1問 答案作成の残り時間"},
                  {"LabelAS(1)", "第2問 論点抽出の残り時間"},
                  {"LabelBS(1)", "第2問 答案構成の残り時間"},
                  {"LabelCS(1)", "第2問 答案作成の残り時間"},
                  {"Label3", "第1問"},
                  {"Label4", "第2問"}});
}

void FrmRon::buildRow(QWidget *table, int question)
{
    const int dy = 570 * question;
    const int issues = 3 * question; // the row's phases, in the order they run
    addColourBlock(table, indexedName("LabelBase", question), QRect(240, 150 + dy, 3675, 435), colour::lightGrey);
    // Edge to edge from 270: writing, outline, issues; each bar's width is its phase's seconds.
    m_bars[issues + 2] = addColourBlock(table, indexedName("LabelC", question), QRect(270, 240 + dy, 1800, 75), kWriting);
    m_bars[issues + 1] = addColourBlock(table, indexedName("LabelB", question), QRect(2070, 240 + dy, 1200, 75), kOutline);
    m_bars[issues] = addColourBlock(table, indexedName("LabelA", question), QRect(3270, 240 + dy, 600, 75), kIssues);
    m_phaseTexts[issues + 2] = addFigure(table, indexedName("LabelCS", question), QRect(870, 360 + dy, 600, 195),
                                         QStringLiteral("30:00"), kGothic, 9.75);
    m_phaseTexts[issues + 1] = addFigure(table, indexedName("LabelBS", question), QRect(2370, 360 + dy, 600, 195),
                                         QStringLiteral("20:00"), kGothic, 9.75);
    m_phaseTexts[issues] = addFigure(table, indexedName("LabelAS", question), QRect(3270, 360 + dy, 600, 195),
                                     QStringLiteral("10:00"), kGothic, 9.75);
}

void FrmRon::Timer1_Timer()
{
    const EssayRun::Tick tick = m_run.tick();
    if (!tick.counted)
        return;
    if (tick.hidden) {
        m_bars[size_t(*tick.hidden)]->hide();
        m_phaseTexts[size_t(*tick.hidden)]->hide();
    }
    if (tick.ended) {
        endRun(m_qNo, m_eachTime, m_totalTime);
        return;
    }
    if (!tick.cue.isEmpty())
        PlayCue(tick.cue);
    if (!tick.questionNo.isEmpty())
        setCaption(m_qNo, tick.questionNo);
    setWidthTwips(m_bars[size_t(tick.phase)], tick.barTwips);
    setCaption(m_phaseTexts[size_t(tick.phase)], tick.phaseText);
    setCaption(m_eachTime, tick.questionLeft);
    setCaption(m_totalTime, tick.runLeft);
}

} // namespace orv
