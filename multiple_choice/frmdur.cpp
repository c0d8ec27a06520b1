#include "multiple_choice/frmdur.h"

#include "common/fonts.h"
#include "common/twips.h"
#include "cues/cue.h"
#include "multiple_choice/frmbtn.h"
#include "multiple_choice/frmtak.h"
#include "multiple_choice/processing.h"
#include "shell/formref.h"

#include <QEvent>
#include <QLabel>

namespace orv {

namespace {
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);
constexpr int kGapTwips = 50;
} // namespace

FrmDur::FrmDur()
    : Form(QStringLiteral("FrmDur"), QStringLiteral("各問経過時間"), fixedSingleFlags())
{
    setClientSizeTwips(4680, 645);
    const QFont figure = designedFont(kGothic, 14.25, true);

    addLabel(this, QStringLiteral("Label2(3)"), QRect(240, 90, 720, 180), QStringLiteral("経過時間"));
    QLabel *elapsed = addLabel(this, QStringLiteral("LabelDurTime"), QRect(1470, 270, 180, 315), QStringLiteral("0"));
    elapsed->setFont(designedFont(kGothic, 15.75, true));
    elapsed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    addLabel(this, QStringLiteral("LabelTitle2"), QRect(1890, 90, 1440, 180), QStringLiteral("必要処理時間（残）"));
    addColourBlock(this, QStringLiteral("LabelDiv"), QRect(1890, 270, 180, 15), kBlue);
    addLabel(this, QStringLiteral("LabelTitle"), QRect(1890, 360, 1440, 180), QStringLiteral("標準処理時間（残）"));
    addColourBlock(this, QStringLiteral("LabelDiv2"), QRect(1890, 540, 180, 15), kBlue);
    QLabel *required = addLabel(this, QStringLiteral("LabelEachTime2"), QRect(3600, 60, 660, 285), QStringLiteral("3:30"));
    required->setFont(figure);
    required->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextColor(required, QColor(255, 255, 0));
    QLabel *standard = addLabel(this, QStringLiteral("LabelEachTime"), QRect(3600, 330, 660, 285), QStringLiteral("3:30"));
    standard->setFont(figure);
    standard->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    nameControls({{"LabelDurTime", "経過時間"},
                  {"LabelEachTime2", "必要処理時間(残)"},
                  {"LabelEachTime", "標準処理時間(残)"},
                  {"LabelDiv", "必要処理時間の棒グラフ"},
                  {"LabelDiv2", "標準処理時間の棒グラフ"}});
    growLabelsToText();
}

void FrmDur::formLoad()
{
    placeUnderPacingWindow();
    setCaption(qobject_cast<QLabel *>(named("LabelDiv")), QString());
}

void FrmDur::formFramed()
{
    placeUnderPacingWindow();
}

void FrmDur::placeUnderPacingWindow()
{
    // 50 twips under the pacing window, left edges level.
    if (FrmTak *tak = formRef<FrmTak>().peek()) {
        const QRect outer = tak->frameGeometry();
        move(outer.x(), outer.y() + outer.height() + twipsToPx(kGapTwips));
    }
}

void FrmDur::changeEvent(QEvent *event)
{
    // Clicking into this window keeps the floating button in front of it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        if (FrmBtn *button = formRef<FrmBtn>().peek(); button && button->isVisible())
            button->raise();
    }
    Form::changeEvent(event);
}

void FrmDur::setTextEcnt(const QString &text)
{
    load();
    m_textEcnt = text;
    TextEcnt_Change();
}

double FrmDur::counterValue() const
{
    return processing::counterValue(m_textEcnt);
}

void FrmDur::TextEcnt_Change()
{
    // A new question (the counter at exactly zero) freezes its budget.
    if (counterValue() == 0.0) {
        FrmTak *tak = formRef<FrmTak>().peek();
        m_divTime = tak ? tak->lpDivTime() : 0;
    }
    GetSavedTime();
}

QString FrmDur::GetTStr(int seconds)
{
    return processing::GetTStr(seconds);
}

int FrmDur::GetSavedTime()
{
    const processing::Refresh r = processing::refresh(m_textEcnt, m_divTime);
    auto label = [this](const char *name) { return qobject_cast<QLabel *>(named(name)); };
    setCaption(label("LabelDurTime"), r.elapsedText);
    auto applyRow = [](QLabel *title, const QString &heading, QLabel *bar, QLabel *text, const processing::Row &row) {
        setCaption(title, heading);
        setBackgroundColor(bar, row.overrun ? kRed : kBlue);
        QRect twips = twipsOf(bar);
        twips.setWidth(row.barTwips);
        placeTwips(bar, twips);
        setCaption(text, row.text);
    };
    applyRow(label("LabelTitle2"), QStringLiteral("必要処理時間(残)"), label("LabelDiv"), label("LabelEachTime2"),
             r.required);
    applyRow(label("LabelTitle"), QStringLiteral("標準処理時間(残)"), label("LabelDiv2"), label("LabelEachTime"),
             r.standard);
    if (r.cue)
        PlayCue(QStringLiteral("s02.wav"));
    return 0;
}

} // namespace orv
