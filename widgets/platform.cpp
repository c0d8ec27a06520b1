// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLoggingCategory>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QUrl>

namespace {
Q_LOGGING_CATEGORY(lcShell, "orvalen.shell", QtWarningMsg)
}

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

namespace {
InputBoxSource &inputSource()
{
    static InputBoxSource source;
    return source;
}
} // namespace

QInputDialog *makeInputDialog(QWidget *parent, const QString &prompt)
{
    auto *dialog = new QInputDialog(parent);
    dialog->setWindowTitle(kApplicationName);
    dialog->setLabelText(prompt);
    // Qt's own words for the buttons, not the desktop's (GNOME's carry
    // mnemonics): the dialog looks the same on every desktop.
    dialog->setOkButtonText(QCoreApplication::translate("QPlatformTheme", "OK"));
    dialog->setCancelButtonText(QCoreApplication::translate("QPlatformTheme", "Cancel"));
    return dialog;
}

QString inputBox(QWidget *parent, const QString &prompt)
{
    if (inputSource())
        return inputSource()(parent, kApplicationName, prompt);
    // Owned by its parent too, which may go while it is open.
    const QPointer<QInputDialog> dialog = makeInputDialog(parent, prompt);
    const auto done = qScopeGuard([&dialog] { delete dialog.data(); });
    const bool ok = dialog->exec() == QDialog::Accepted && dialog;
    return ok ? dialog->textValue() : QString();
}

void setInputBoxSource(InputBoxSource source)
{
    inputSource() = std::move(source);
}

namespace {
std::function<void(QWidget *)> &attentionSink()
{
    static std::function<void(QWidget *)> sink;
    return sink;
}
} // namespace

void requestAttention(QWidget *window)
{
    if (attentionSink())
        attentionSink()(window);
    else
        QApplication::alert(window);
}

void setAttentionSink(std::function<void(QWidget *)> sink)
{
    attentionSink() = std::move(sink);
}

bool fileInCurrentDirectory(const QString &fileName)
{
    const QFileInfo info(QDir::current().absoluteFilePath(fileName));
    return info.isFile() && !info.isHidden();
}

} // namespace orv
