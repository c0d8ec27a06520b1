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
