// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/startup.h"

#include "common/fonts.h"
#include "widgets/accessibility.h"
#include "widgets/platform.h"
#include "widgets/look.h"

#include <QDir>
#include <QGuiApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>
#include <QWidget>

Q_LOGGING_CATEGORY(lcTranslation, "orvalen.translation", QtWarningMsg)

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

void prepareApplication()
{
    QCoreApplication::setApplicationName(kApplicationName);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopFileName));
    installQtTranslation();
    installFontSubstitutions();
    installAccessibility();
    installDesignedLook();
}

void installQtTranslation()
{
    // Where Debian's qt6-translations-l10n puts it; read in place, not copied.
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_ja"), folder) && QCoreApplication::installTranslator(translator))
        return;
    delete translator;
    qCWarning(lcTranslation).noquote() << "no Japanese translation of Qt's own strings in" << QDir::toNativeSeparators(folder)
                                       << "(qtbase_ja.qm): Qt's dialogs and menus stay in English";
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
            QMetaObject::invokeMethod(watched, std::move(m_action), Qt::QueuedConnection);
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
