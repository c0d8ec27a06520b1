#include "common/fonts.h"
#include "cues/cue.h"
#include "shell/accessibility.h"
#include "shell/formref.h"
#include "shell/frmmain.h"
#include "shell/platform.h"
#include "shell/startup.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    const QByteArray platform = orv::choosePlatform(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);

    // The countdown's 72 pt display would otherwise be filled as outlines on
    // every repaint, Qt caching glyphs only up to 64 pixels; cache them.
    if (!qEnvironmentVariableIsSet("QT_MAX_CACHED_GLYPH_SIZE"))
        qputenv("QT_MAX_CACHED_GLYPH_SIZE", "256");

    QApplication app(argc, argv);
    QApplication::setApplicationName(orv::kApplicationName);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(orv::kDesktopFileName));
    orv::installFontSubstitutions();
    orv::installAccessibility();

    orv::formRef<orv::FrmMain>()->show();
    // After the menu's first frame, so start-up stays quick.
    QTimer::singleShot(0, [] { orv::prepareCues(); });
    const int status = QApplication::exec();

    orv::discardAllForms();
    orv::stopCues();
    return status;
}
