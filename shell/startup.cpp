#include "shell/startup.h"

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

} // namespace orv
