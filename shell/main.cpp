#include "common/fonts.h"
#include "cues/cue.h"
#include "shell/accessibility.h"
#include "shell/formref.h"
#include "shell/frmmain.h"
#include "shell/platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(orv::kApplicationName);
    orv::installFontSubstitutions();
    orv::installAccessibility();

    orv::formRef<orv::FrmMain>()->show();
    const int status = QApplication::exec();

    orv::discardAllForms();
    orv::stopCues();
    return status;
}
