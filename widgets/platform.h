// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class QInputDialog;
class QWidget;

namespace orv {

// The name in the title bar of the program's dialogs.
inline const QString kApplicationName = QStringLiteral("Orvalen");

// The system's default beep. Logged on orvalen.shell as "beep".
void systemBeep();

// Asks the desktop to open a file of the current directory without waiting:
// an executable is started detached, anything else goes to the desktop's
// file association. The outcome is not examined. Logged as "open <file>".
void shellOpen(const QString &fileName);

// The modal text input dialog: a prompt, one text field, OK and Cancel, with
// the application's name as its title. Returns the typed text, or an empty
// text for Cancel.
QString inputBox(QWidget *parent, const QString &prompt);
// That dialog, built but not shown; the caller owns it.
QInputDialog *makeInputDialog(QWidget *parent, const QString &prompt);

// Replaces the dialog (for tests); an empty function restores the real one.
using InputBoxSource = std::function<QString(QWidget *parent, const QString &title, const QString &prompt)>;
void setInputBoxSource(InputBoxSource source);

// Asks the desktop to draw the user's attention to a window (a flashing
// taskbar entry), for moments that must not be missed while the user works
// elsewhere. Nothing else changes.
void requestAttention(QWidget *window);

// Replaces the request (for tests); an empty function restores the real one.
void setAttentionSink(std::function<void(QWidget *window)> sink);

// True when the current directory holds an ordinary, visible file of that name.
bool fileInCurrentDirectory(const QString &fileName);

} // namespace orv
