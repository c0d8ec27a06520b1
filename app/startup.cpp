#include "app/startup.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

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

namespace {
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget *window, std::function<void()> action)
        : QObject(window), m_action(std::move(action))
    {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, watched, std::move(m_action));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_action;
};
} // namespace

void afterFirstPaint(QWidget *window, std::function<void()> action)
{
    new FirstPaintWatch(window, std::move(action));
}

} // namespace orv
