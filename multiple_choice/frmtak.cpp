#include "multiple_choice/frmtak.h"

#include "common/fonts.h"
#include "common/numbers.h"
#include "common/periodictimer.h"
#include "common/twips.h"
#include "cues/cue.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmdur.h"
#include "multiple_choice/pace.h"
#include "widgets/controls.h"
#include "widgets/formref.h"
#include "widgets/platform.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orv {

namespace {
const QColor kSilver = fromBgr(0x00C0C0C0);
const QColor kCellGrey = fromBgr(0x00E0E0E0);
const QColor kYellow = fromBgr(0x0000FFFF);
constexpr int kGapTwips = 50; // between this window and its companions

QLabel *figure(QWidget *parent, const char *name, const QRect &twips, const char *caption, const QString &face,
               double points, const QColor &color = {})
{
    QLabel *label = addLabel(parent, QLatin1String(name), twips, QString::fromUtf8(caption));
    label->setFont(designedFont(face, points, true));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (color.isValid())
        setTextColor(label, color);
    return label;
}
} // namespace

FrmTak::FrmTak()
    : Form(QStringLiteral("FrmTak"), QStringLiteral("択一タイマー"), fixedDialogFlags())
{
    setClientSizeTwips(4680, 3225);

    QFrame *picture2 = addPanel(this, QStringLiteral("Picture2"), QRect(90, 120, 4485, 2985), kSilver);
    QFrame *picture3 = addPanel(picture2, QStringLiteral("Picture3"), QRect(210, 330, 4035, 2055), kSilver);

    addLabel(picture3, QStringLiteral("Label2(0)"), QRect(180, 90, 900, 180), QStringLiteral("実際の進度"));
    m_qNo2 = figure(picture3, "LabelQNo2", QRect(1290, 270, 165, 285), "1", kPGothic, 14.25, kYellow);
    addLabel(picture3, QStringLiteral("Label2(5)"), QRect(1500, 360, 360, 180), QStringLiteral("問目"));
    addLabel(picture3, QStringLiteral("Label2(1)"), QRect(1920, 90, 1080, 180), QStringLiteral("必要処理時間"));
    m_eachTime2 = figure(picture3, "LabelEachTime2", QRect(3090, 270, 660, 285), "3:30", kGothic, 14.25, kYellow);
    buildGrid(picture3);
    addLabel(picture3, QStringLiteral("Label2(4)"), QRect(210, 1380, 720, 180), QStringLiteral("標準進度"));
    m_qNo = figure(picture3, "LabelQNo", QRect(1275, 1590, 180, 315), "1", kGothic, 15.75);
    addLabel(picture3, QStringLiteral("Label2(6)"), QRect(1500, 1680, 360, 180), QStringLiteral("問目"));
    addLabel(picture3, QStringLiteral("Label2(3)"), QRect(1920, 1380, 1440, 180), QStringLiteral("標準処理時間（残）"));
    m_eachTime = figure(picture3, "LabelEachTime", QRect(3060, 1590, 720, 315), "3:30", kGothic, 15.75);

    addLabel(picture2, QStringLiteral("Label2(8)"), QRect(2190, 90, 1545, 180), QStringLiteral("タイマー間隔(ミリ秒)"))
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_text1 = new QLineEdit(QStringLiteral("1000"), picture2);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setAlignment(Qt::AlignRight);
    placeTwips(m_text1, QRect(3750, 30, 465, 255));
    addLabel(picture2, QStringLiteral("Label2(7)"), QRect(300, 2550, 1125, 180), QStringLiteral("アドバンテージ"));
    m_savedTime = figure(picture2, "LabelSavedTime", QRect(2040, 2520, 135, 240), "-", kGothic, 12, kYellow);
    addLabel(picture2, QStringLiteral("Label2(2)"), QRect(2430, 2550, 675, 180), QStringLiteral("残り時間"));
    m_totalTime = figure(picture2, "LabelTotalTime", QRect(3210, 2520, 945, 240), "3:30:00", kGothic, 12);
    QPushButton *next = addButton(picture2, QStringLiteral("CmdNext"), QRect(1140, 2700, 885, 465),
                                  QStringLiteral("できた"));
    next->hide(); // the floating Done button stands in for it
    connect(next, &QPushButton::clicked, this, &FrmTak::CmdNext_Click);

    m_picture1 = addCountdownCover(this);
    m_label1 = m_picture1->findChild<QLabel *>(QStringLiteral("Label1"));

    m_timer2 = new PeriodicTimer(QStringLiteral("Timer2"), this);
    m_timer2->setInterval(1000);
    m_timer1 = new PeriodicTimer(QStringLiteral("Timer1"), this);
    connect(m_timer2, &PeriodicTimer::timeout, this, &FrmTak::Timer2_Timer);
    connect(m_timer1, &PeriodicTimer::timeout, this, &FrmTak::Timer1_Timer);
    connect(m_text1, &QLineEdit::textChanged, this, &FrmTak::Text1_Change);
    // Placed at load with our outer size guessed; once framed it is known.
    connect(this, &Form::framed, this, [this] {
        if (m_button && m_button->isLoaded())
            placeButtonWindow();
    });

    nameControls({{"LabelQNo2", "実際の進度（問目）"},
                  {"LabelEachTime2", "必要処理時間"},
                  {"LabelQNo", "標準進度（問目）"},
                  {"LabelEachTime", "標準処理時間（残）"},
                  {"LabelSavedTime", "アドバンテージ"},
                  {"LabelTotalTime", "残り時間"},
                  {"Label1", "開始までのカウントダウン"},
                  {"Text1", "タイマー間隔(ミリ秒)"}});
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
                m_markers[i] = addColourBlock(table, indexedName("LabelQ2", i), QRect(left, top + 60, 75, 75), kYellow);
            else
                m_cells[i] = addColourBlock(table, indexedName("LabelQ", i), QRect(left, top, 135, 135), kCellGrey);
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

void FrmTak::formLoad()
{
    m_timer2->setEnabled(true);
    m_picture1->raise();
    centreOnScreen();
    placeButtonWindow();
    buttonWindow()->show();
    PlayCue(QStringLiteral("s01.wav"));
}

void FrmTak::formQueryUnload()
{
    m_timer1->setEnabled(false);
    m_timer2->setEnabled(false);
    formRef<FrmBtn>().unload();
    formRef<FrmBtn>().reset();
    formRef<FrmDur>().unload();
    formRef<FrmDur>().reset();
}

void FrmTak::Timer2_Timer()
{
    ++m_countdownStep;
    switch (m_countdownStep) {
    case 1:
        setCaption(m_label1, QStringLiteral("②"));
        PlayCue(QStringLiteral("s01.wav"));
        break;
    case 2:
        setCaption(m_label1, QStringLiteral("①"));
        PlayCue(QStringLiteral("s01.wav"));
        break;
    case 3:
        setCaption(m_label1, QString());
        m_timer2->setEnabled(false);
        m_countdownStep = 0;
        PlayCue(QStringLiteral("s03.wav"));
        m_timer1->setInterval(1000);
        m_timer1->setEnabled(true);
        m_picture1->hide();
        placeDurationWindow();
        durationWindow()->show();
        if (m_lpDivTime == 0)
            m_lpDivTime = pace::kStandardSeconds;
        writeCounter(QStringLiteral("0"));
        if (m_button)
            m_button->raise();
        break;
    default:
        break;
    }
}

void FrmTak::Timer1_Timer()
{
    // The paper is over: a stray tick changes nothing.
    if (m_totalCnt >= pace::kPaperSeconds)
        return;
    ++m_slotCnt;
    ++m_totalCnt;
    if (m_totalCnt == pace::kPaperSeconds) {
        m_timer1->setEnabled(false);
        setCaption(m_qNo, QStringLiteral("--"));
        setCaption(m_eachTime, QStringLiteral("--:--"));
        setCaption(m_totalTime, QStringLiteral("-:--:--"));
        PlayCue(QStringLiteral("s04.wav"));
        formRef<FrmBtn>().unload();
        formRef<FrmDur>().unload();
        requestAttention(this);
        return;
    }
    if (m_totalCnt == 1) {
        blacken(0);
        m_markers[0]->raise();
    }
    if (m_slotCnt == pace::kStandardSeconds) {
        m_slotCnt = 0;
        m_stdQNo = m_stdQNo == 0 ? 2 : m_stdQNo + 1;
        blacken(m_stdQNo - 1);
        setCaption(m_qNo, QString::number(m_stdQNo));
    }
    QString eTime;
    QString tTime;
    pace::GetRestTime(m_slotCnt, m_totalCnt, eTime, tTime);
    setCaption(m_eachTime, eTime);
    setCaption(m_totalTime, tTime);
    GetSavedTime();
    const double counter = leadingNumber(durationWindow()->textEcnt());
    writeCounter(QString::number(counter + 1, 'f', 0));
}

void FrmTak::blacken(int index)
{
    if (index >= 0 && index < pace::kQuestions)
        setBackgroundColor(m_cells[index], Qt::black);
}

void FrmTak::CmdNext_Click()
{
    // After the paper's time the button window is gone; nothing counts. On
    // the last question there is no next one.
    if (m_totalCnt >= pace::kPaperSeconds || m_doneCnt >= pace::kQuestions - 1)
        return;
    ++m_doneCnt;
    m_markers[m_doneCnt]->raise();
    setCaption(m_qNo2, QString::number(m_doneCnt + 1));
    GetSavedTime();
    writeCounter(QStringLiteral("0"));
}

void FrmTak::GetSavedTime()
{
    const pace::SavedTime saved = pace::GetSavedTime(m_totalCnt, m_doneCnt);
    m_lpDivTime = saved.lpDivTime;
    m_divTimeText = saved.divTimeText;
    setCaption(m_eachTime2, m_divTimeText);
    setCaption(m_savedTime, saved.savedText);
}

void FrmTak::writeCounter(const QString &text)
{
    durationWindow()->setTextEcnt(text);
}

void FrmTak::Text1_Change()
{
    m_timer1->setInterval(roundToInt(leadingNumber(m_text1->text())));
}

} // namespace orv
