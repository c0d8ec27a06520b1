#include "app/frmmain.h"
#include "app/startup.h"
#include "common/fonts.h"
#include "cues/cue.h"
#include "widgets/accessibility.h"
#include "widgets/formref.h"
#include "widgets/platform.h"
#include "widgets/sharedpalettestyle.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    const QByteArray platform = orv::choosePlatform(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);

    // The windows change a few glyphs a second. Through shared memory every
    // such flush ends in a round trip to the X server before the next paint
    // of the same place; sent over the connection it needs none.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    QApplication app(argc, argv);
    QApplication::setApplicationName(orv::kApplicationName);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(orv::kDesktopFileName));
    orv::installFontSubstitutions();
    orv::installAccessibility();
    orv::installSharedPaletteStyle();

    orv::FrmMain *menu = orv::formRef<orv::FrmMain>().get();
    // The sound libraries and the sound server do not hold back the menu.
    orv::afterFirstPaint(menu, orv::prepareCues);
    menu->show();
    const int status = QApplication::exec();

    orv::discardAllForms();
    orv::stopCues();
    return status;
}
