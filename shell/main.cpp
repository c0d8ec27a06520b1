#include "common/fonts.h"
#include "cues/cue.h"
#include "shell/accessibility.h"
#include "shell/formref.h"
#include "shell/frmmain.h"
#include "shell/platform.h"
#include "shell/startup.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace {

// Gets the cues ready once the menu's first frame is out, so the menu does
// not wait on the sound libraries or the sound server.
class PrepareCuesAfterFirstFrame : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] { orv::prepareCues(); });
        }
        return false;
    }
};

} // namespace

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

    PrepareCuesAfterFirstFrame cueStarter;
    orv::formRef<orv::FrmMain>()->installEventFilter(&cueStarter);
    orv::formRef<orv::FrmMain>()->show();
    const int status = QApplication::exec();

    orv::discardAllForms();
    orv::stopCues();
    return status;
}
