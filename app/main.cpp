// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmmain.h"
#include "app/startup.h"
#include "cues/cue.h"
#include "widgets/formref.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    orv::prepareEnvironment();
    QApplication app(argc, argv);
    orv::prepareApplication();

    orv::FrmMain *menu = orv::formRef<orv::FrmMain>().get();
    // The sound libraries and the sound server do not hold back the menu.
    orv::afterFirstPaint(menu, orv::prepareCues);
    menu->show();
    // The windows and the cue player go with the application object.
    return QApplication::exec();
}
