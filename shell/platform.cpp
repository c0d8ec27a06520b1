#include "shell/platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

Q_LOGGING_CATEGORY(lcShell, "orvalen.shell", QtWarningMsg)

namespace orv {

void systemBeep()
{
    qCDebug(lcShell).noquote() << "beep";
    QApplication::beep();
}

void shellOpen(const QString &fileName)
{
    qCDebug(lcShell).noquote() << "open" << fileName;
    // An absolute path, so the file is found whether or not "." is on PATH.
    const QFileInfo info(QDir::current().absoluteFilePath(fileName));
    if (info.isFile() && info.isExecutable())
        QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool fileInCurrentDirectory(const QString &fileName)
{
    const QFileInfo info(QDir::current().absoluteFilePath(fileName));
    return info.isFile() && !info.isHidden();
}

} // namespace orv
