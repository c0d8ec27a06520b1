#include "essay/frmron.h"

#include "common/fonts.h"
#include "common/numbers.h"
#include "common/periodictimer.h"
#include "cues/cue.h"
#include "widgets/controls.h"
#include "widgets/platform.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace orv {

namespace {
const QColor kPanelGrey(192, 192, 192);
const QColor kRowGrey(224, 224, 224);
const QColor kColourA(255, 255, 0);
const QColor kColourB(128, 128, 255);
const QColor kColourC(192, 0, 192);

QLabel *rightLabel(QWidget *parent, const QString &name, const QRect &twips, const QString &caption,
                   const QFont &font)
{
    QLabel *label = addLabel(parent, name, twips, caption);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFont(font);
    return label;
}
} // namespace

FrmRon::FrmRon()
    : Form(QStringLiteral("FrmRon"), QStringLiteral("論文タイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3195);
    const QFont big = designedFont(kGothic, 15.75, true);
    const QFont legend = designedFont(kPGothic, 8.25, false);

    QFrame *picture2 = addPanel(this, QStringLiteral("Picture2"), QRect(90, 120, 4485, 2985), kPanelGrey);
    addLabel(picture2, QStringLiteral("Label2(0)"), QRect(2190, 90, 1545, 180), QStringLiteral("タイマー間隔(ミリ秒)"))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_text1 = new QLineEdit(QStringLiteral("1000"), picture2);
    m_text1->setObjectName(QStringLiteral("Text1"));
    placeTwips(m_text1, QRect(3750, 30, 465, 255));

    QFrame *picture3 = addPanel(picture2, QStringLiteral("Picture3"), QRect(210, 330, 4035, 2055), kPanelGrey);
    rightLabel(picture3, QStringLiteral("Label3"), QRect(30, 210, 180, 315), QStringLiteral("1"), big);
    rightLabel(picture3, QStringLiteral("Label4"), QRect(30, 780, 180, 315), QStringLiteral("2"), big);
    for (int i = 0; i < 2; ++i)
        buildRow(picture3, i);
    addLabel(picture3, QStringLiteral("Label2(4)"), QRect(210, 1380, 720, 180), QStringLiteral("標準進度"));
    rightLabel(picture3, QStringLiteral("LabelQNo"), QRect(1275, 1590, 180, 315), QStringLiteral("1"), big);
    addLabel(picture3, QStringLiteral("Label2(6)"), QRect(1500, 1680, 360, 180), QStringLiteral("問目"));
    addLabel(picture3, QStringLiteral("Label2(3)"), QRect(1920, 1380, 1440, 180), QStringLiteral("標準処理時間（残）"));
    rightLabel(picture3, QStringLiteral("LabelEachTime"), QRect(2520, 1590, 1260, 315), QStringLiteral("1:00:00"), big);

    // The legend: one square and one caption per phase.
    addColourBlock(picture2, QStringLiteral("LabelH(1)"), QRect(240, 2430, 135, 75), kColourA);
    addLabel(picture2, QStringLiteral("Label2(7)"), QRect(480, 2400, 660, 165), QStringLiteral("論点抽出"))->setFont(legend);
    addColourBlock(picture2, QStringLiteral("LabelH(3)"), QRect(240, 2610, 135, 75), kColourB);
    addLabel(picture2, QStringLiteral("Label2(8)"), QRect(480, 2580, 660, 165), QStringLiteral("答案構成"))->setFont(legend);
    addColourBlock(picture2, QStringLiteral("LabelQ(1)"), QRect(240, 2790, 135, 75), kColourC);
    addLabel(picture2, QStringLiteral("Label2(9)"), QRect(480, 2760, 660, 165), QStringLiteral("答案作成"))->setFont(legend);
    addLabel(picture2, QStringLiteral("Label2(2)"), QRect(2430, 2550, 675, 180), QStringLiteral("残り時間"));
    rightLabel(picture2, QStringLiteral("LabelTotalTime"), QRect(3210, 2520, 945, 240), QStringLiteral("2:00:00"),
               designedFont(kGothic, 12, true));

    // The cover of the start countdown, made last so it starts in front.
    m_picture1 = addCountdownCover(this);

    m_timer2 = new PeriodicTimer(QStringLiteral("Timer2"), this);
    m_timer2->setInterval(1000);
    m_timer1 = new PeriodicTimer(QStringLiteral("Timer1"), this);
    connect(m_timer2, &PeriodicTimer::timeout, this, &FrmRon::Timer2_Timer);
    connect(m_timer1, &PeriodicTimer::timeout, this, &FrmRon::Timer1_Timer);
    connect(m_text1, &QLineEdit::textChanged, this, &FrmRon::Text1_Change);
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
                  {"Label4", "第2問"},
                  {"Label1", "開始までのカウントダウン"},
                  {"Text1", "タイマー間隔(ミリ秒)"}});
}

void FrmRon::buildRow(QWidget *table, int i)
{
    const int dy = 570 * i;
    addColourBlock(table, indexedName("LabelBase", i), QRect(240, 150 + dy, 3675, 435), kRowGrey);
    // Edge to edge from 270: C, B, A; each bar's width is its phase's seconds.
    addColourBlock(table, indexedName("LabelC", i), QRect(270, 240 + dy, 1800, 75), kColourC);
    addColourBlock(table, indexedName("LabelB", i), QRect(2070, 240 + dy, 1200, 75), kColourB);
    addColourBlock(table, indexedName("LabelA", i), QRect(3270, 240 + dy, 600, 75), kColourA);
    const QFont phase = designedFont(kGothic, 9.75, true);
    rightLabel(table, indexedName("LabelCS", i), QRect(870, 360 + dy, 600, 195), QStringLiteral("30:00"), phase);
    rightLabel(table, indexedName("LabelBS", i), QRect(2370, 360 + dy, 600, 195), QStringLiteral("20:00"), phase);
    rightLabel(table, indexedName("LabelAS", i), QRect(3270, 360 + dy, 600, 195), QStringLiteral("10:00"), phase);
}

void FrmRon::formLoad()
{
    m_timer2->setEnabled(true);
    m_picture1->raise();
    centreOnScreen();
    PlayCue(QStringLiteral("s01.wav"));
}

void FrmRon::formQueryUnload()
{
    m_timer1->setEnabled(false);
    // A countdown still running would sound its cues after the window closed.
    m_timer2->setEnabled(false);
}

void FrmRon::Text1_Change()
{
    m_timer1->setInterval(roundToInt(leadingNumber(m_text1->text())));
}

void FrmRon::Timer2_Timer()
{
    apply(essay::countdownTick(m_countdownStep));
}

void FrmRon::Timer1_Timer()
{
    const int before = m_elapsedSec;
    apply(essay::runTick(m_elapsedSec));
    if (before < essay::kRunTicks && m_elapsedSec == essay::kRunTicks)
        requestAttention(this);
}

void FrmRon::apply(const essay::Effects &effects)
{
    using Kind = essay::Effect::Kind;
    for (const essay::Effect &effect : effects) {
        if (effect.kind == Kind::Cue) {
            PlayCue(QLatin1String(effect.target));
            continue;
        }
        // The schedule names its controls by their object names; a tick
        // changes only a few, so they are looked up as they come.
        QObject *target = findChild<QObject *>(QLatin1String(effect.target));
        auto *widget = qobject_cast<QWidget *>(target);
        auto *timer = qobject_cast<PeriodicTimer *>(target);
        switch (effect.kind) {
        case Kind::Caption:
            if (auto *label = qobject_cast<QLabel *>(target))
                setCaption(label, effect.text);
            break;
        case Kind::Width:
            if (widget)
                setWidthTwips(widget, effect.value);
            break;
        case Kind::Hide:
            if (widget)
                widget->hide();
            break;
        case Kind::Interval:
            if (timer)
                timer->setInterval(effect.value);
            break;
        case Kind::Enable:
            if (timer)
                timer->setEnabled(effect.value != 0);
            break;
        case Kind::Cue:
            break;
        }
    }
}

} // namespace orv
