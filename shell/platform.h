#pragma once

#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcShell)

namespace orv {

// The system's default beep. Logged on orvalen.shell as "beep".
void systemBeep();

// Asks the desktop to open a file of the current directory without waiting:
// an executable is started detached, anything else goes to the desktop's
// file association. The outcome is not examined. Logged as "open <file>".
void shellOpen(const QString &fileName);

// True when the current directory holds an ordinary, visible file of that name.
bool fileInCurrentDirectory(const QString &fileName);

} // namespace orv
