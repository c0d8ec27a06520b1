#include "multiple_choice/frmdur.h"

#include "common/fonts.h"
#include "common/numbers.h"
#include "cues/cue.h"
#include "multiple_choice/processing.h"
#include "widgets/controls.h"

#include <QEvent>
#include <QLabel>

namespace orv {

namespace {
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

QLabel *figure(QWidget *parent, const char *name, const QRect &twips, const char *caption, double points)
{
    QLabel *label = addLabel(parent, QLatin1String(name), twips, QLatin1String(caption));
    label->setFont(designedFont(kGothic, points, true));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}
} // namespace

FrmDur::FrmDur()
    : Form(QStringLiteral("FrmDur"), QStringLiteral("各問経過時間"), fixedSingleFlags())
{
    setClientSizeTwips(4680, 645);
    addLabel(this, QStringLiteral("Label2(3)"), QRect(240, 90, 720, 180), QStringLiteral("経過時間"));
    m_durTime = figure(this, "LabelDurTime", QRect(1470, 270, 180, 315), "0", 15.75);
    m_title2 = addLabel(this, QStringLiteral("LabelTitle2"), QRect(1890, 90, 1440, 180), QStringLiteral("必要処理時間（残）"));
    m_div = addColourBlock(this, QStringLiteral("LabelDiv"), QRect(1890, 270, 180, 15), kBlue);
    m_title = addLabel(this, QStringLiteral("LabelTitle"), QRect(1890, 360, 1440, 180), QStringLiteral("標準処理時間（残）"));
    m_div2 = addColourBlock(this, QStringLiteral("LabelDiv2"), QRect(1890, 540, 180, 15), kBlue);
    m_eachTime2 = figure(this, "LabelEachTime2", QRect(3600, 60, 660, 285), "3:30", 14.25);
    setTextColor(m_eachTime2, QColor(255, 255, 0));
    m_eachTime = figure(this, "LabelEachTime", QRect(3600, 330, 660, 285), "3:30", 14.25);

    nameControls({{"LabelDurTime", "経過時間"},
                  {"LabelEachTime2", "必要処理時間(残)"},
                  {"LabelEachTime", "標準処理時間(残)"},
                  {"LabelDiv", "必要処理時間の棒グラフ"},
                  {"LabelDiv2", "標準処理時間の棒グラフ"}});
    growLabelsToText();
}

void FrmDur::formLoad()
{
    setCaption(m_div, QString());
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
    m_textEcnt = text;
    TextEcnt_Change();
}

void FrmDur::TextEcnt_Change()
{
    // A new question (the counter at exactly zero) freezes its budget.
    if (leadingNumber(m_textEcnt) == 0.0)
        m_divTime = m_budget ? m_budget() : 0;
    GetSavedTime();
}

void FrmDur::GetSavedTime()
{
    const processing::Refresh r = processing::refresh(m_textEcnt, m_divTime);
    setCaption(m_durTime, r.elapsedText);
    auto applyRow = [](QLabel *title, const QString &heading, QLabel *bar, QLabel *text, const processing::Row &row) {
        setCaption(title, heading);
        setBackgroundColor(bar, row.overrun ? kRed : kBlue);
        setWidthTwips(bar, row.barTwips);
        setCaption(text, row.text);
    };
    applyRow(m_title2, QStringLiteral("必要処理時間(残)"), m_div, m_eachTime2, r.required);
    applyRow(m_title, QStringLiteral("標準処理時間(残)"), m_div2, m_eachTime, r.standard);
    if (r.cue)
        PlayCue(QStringLiteral("s02.wav"));
}

} // namespace orv
