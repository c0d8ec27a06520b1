// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmmain.h"

#include "common/fonts.h"
#include "countdown/frmmen.h"
#include "essay/frmron.h"
#include "multiple_choice/frmtak.h"
#include "widgets/colours.h"
#include "widgets/controls.h"
#include "widgets/formref.h"
#include "widgets/platform.h"

#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace orv {

namespace {
constexpr QLatin1String kDailyFile("daily.exe");

// The row under the two timer buttons holds CmdMen alone, or CmdDaily and
// CmdMen side by side, spanning the same extent either way.
const QRect kMenRow(540, 2460, 3465, 405);
const QRect kDailyBeside(540, 2460, 1095, 405);
const QRect kMenBeside(1695, 2460, 2310, 405);

// Read as the format it is: left to guess, Qt loads every image plugin
// there is to ask it, which costs start-up time and memory.
QPixmap resourceImage(const QString &path, const char *format)
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

} // namespace

FrmMain::FrmMain()
    : Form(QStringLiteral("FrmMain"), QStringLiteral("Orvalen"), fixedSingleFlags())
{
    setClientSizeTwips(4680, 3195);
    QIcon icon;
    icon.addPixmap(resourceImage(QStringLiteral(":/images/icon16.png"), "png"));
    icon.addPixmap(resourceImage(QStringLiteral(":/images/icon32.png"), "png"));
    setWindowIcon(icon);

    // Created back to front: later siblings stack in front of earlier ones.
    QLabel *image1 = addLabel(this, QStringLiteral("Image1"), QRect(0, 0, 4935, 3735));
    image1->setPixmap(resourceImage(QStringLiteral(":/images/background.gif"), "gif"));
    image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *shape1 = new QFrame(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setFrameShape(QFrame::Box);
    shape1->setLineWidth(1);
    setBackgroundColor(shape1, colour::titleVeil);
    setTextColor(shape1, colour::titleFrame);
    placeTwips(shape1, QRect(300, 270, 3975, 525));

    QLabel *label1 = addLabel(this, QStringLiteral("Label1"), QRect(450, 300, 3705, 480), QStringLiteral("Orvalen"));
    label1->setFont(designedFont(kPGothic, 24, true));
    setTextColor(label1, colour::titleGrey);

    const QFont big = designedFont(kPGothic, 15.75, true);
    const QFont row = designedFont(kPGothic, 12, true);
    QPushButton *cmdTak = addButton(this, QStringLiteral("CmdTak"), QRect(540, 1380, 1575, 825), QStringLiteral("択　一"));
    cmdTak->setFont(big);
    QPushButton *cmdRon = addButton(this, QStringLiteral("CmdRon"), QRect(2430, 1380, 1575, 825), QStringLiteral("論　文"));
    cmdRon->setFont(big);
    m_cmdDaily = addButton(this, QStringLiteral("CmdDaily"), QRect(540, 2460, 1575, 405), QStringLiteral("Daily"));
    m_cmdDaily->setFont(row); // shown by loading, when daily.exe is there
    m_cmdMen = addButton(this, QStringLiteral("CmdMen"), kMenRow, QStringLiteral("ラーメンタイマー"));
    m_cmdMen->setFont(row);

    // Tab goes across the rows, Daily last (the rest come as made).
    setTabOrder(m_cmdMen, m_cmdDaily);

    connect(cmdTak, &QPushButton::clicked, this, &FrmMain::CmdTak_Click);
    connect(cmdRon, &QPushButton::clicked, this, &FrmMain::CmdRon_Click);
    connect(m_cmdMen, &QPushButton::clicked, this, &FrmMain::CmdMen_Click);
    connect(m_cmdDaily, &QPushButton::clicked, this, &FrmMain::CmdDaily_Click);
}

void FrmMain::formLoad()
{
    centreOnScreen();
    // Looked up once: a file added or removed later counts from the next start.
    const bool daily = fileInCurrentDirectory(kDailyFile);
    m_cmdDaily->setVisible(daily);
    placeDailyRow(daily);
}

void FrmMain::placeDailyRow(bool dailyVisible)
{
    if (dailyVisible) {
        placeTwips(m_cmdDaily, kDailyBeside);
        placeTwips(m_cmdMen, kMenBeside);
    } else {
        placeTwips(m_cmdMen, kMenRow);
    }
}

template <class T>
void FrmMain::openTimer()
{
    T *timer = formRef<T>().renew();
    connect(timer, &Form::unloaded, this, &FrmMain::show);
    hide();
    timer->show();
}

void FrmMain::CmdTak_Click()
{
    openTimer<FrmTak>();
}

void FrmMain::CmdRon_Click()
{
    openTimer<FrmRon>();
}

void FrmMain::CmdMen_Click()
{
    openTimer<FrmMen>();
}

void FrmMain::CmdDaily_Click()
{
    shellOpen(kDailyFile);
}

} // namespace orv
