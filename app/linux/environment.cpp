// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/linux/environment.h"

#include "app/startup.h"

namespace orv {

QByteArray choosePlatform(const QProcessEnvironment &environment)
{
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).trimmed().isEmpty())
        return {};
    const bool wayland = !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty()
                         || environment.value(QStringLiteral("XDG_SESSION_TYPE")).compare(
                                QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    const bool xwayland = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    return wayland && xwayland ? QByteArrayLiteral("xcb") : QByteArray();
}

// The platform (see choosePlatform), and X11 images sent over the
// connection rather than through shared memory.
void prepareEnvironment()
{
    const QByteArray platform = choosePlatform(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    // The windows change a few glyphs a second. Through shared memory every
    // such flush ends in a round trip to the X server before the next paint
    // of the same place; sent over the connection it needs none.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace orv
