// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop's platform theme, as the tests meet it: with
// QT_QPA_PLATFORMTHEME=orvalen-test-desktop (and QT_PLUGIN_PATH at this
// plugin), Qt takes from it a dark scheme (ORVALEN_TEST_SCHEME=dark, or
// light), a palette for every class of control that a theme may give one
// (one a control would take over what its window's palette says), a large
// italic font of another face for each, another style, GNOME's order and
// words for a dialog's buttons and no icons on them. Switched while
// the program runs, the test says so through the window system, as a
// desktop does (test::DesktopScheme).

#include <QFont>
#include <QPalette>
#include <QStringList>
#include <QVariant>
#include <qpa/qplatformdialoghelper.h>
#include <qpa/qplatformtheme.h>
#include <qpa/qplatformthemeplugin.h>


namespace {

bool dark()
{
    return qEnvironmentVariable("ORVALEN_TEST_SCHEME", QStringLiteral("dark")) == QLatin1String("dark");
}

class DesktopTheme : public QPlatformTheme
{
public:
    DesktopTheme()
    {
        m_font.setItalic(true);
        m_font.setLetterSpacing(QFont::PercentageSpacing, 120);
    }

    const QPalette *palette(Palette) const override { return dark() ? &m_dark : nullptr; }
    const QFont *font(Font) const override { return &m_font; }
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    Qt::ColorScheme colorScheme() const override { return dark() ? Qt::ColorScheme::Dark : Qt::ColorScheme::Light; }
#else
    Appearance appearance() const override { return dark() ? Appearance::Dark : Appearance::Light; }
#endif

    QVariant themeHint(ThemeHint hint) const override
    {
        switch (hint) {
        case StyleNames:
            return QStringList{QStringLiteral("Windows")};
        case DialogButtonBoxLayout:
            return int(QPlatformDialogHelper::GnomeLayout);
        case DialogButtonBoxButtonsHaveIcons:
            return false;
        default:
            return QPlatformTheme::themeHint(hint);
        }
    }

    QString standardButtonText(int button) const override
    {
        return QStringLiteral("_%1_").arg(QPlatformTheme::standardButtonText(button));
    }

private:
    const QColor m_paper{60, 24, 24};
    const QPalette m_dark{QColor(230, 230, 230), m_paper, m_paper.lighter(), m_paper.darker(), m_paper,
                          QColor(250, 250, 200), QColor(255, 255, 255), m_paper.darker(200), m_paper};
    QFont m_font{QStringLiteral("DejaVu Serif"), 14};
};

} // namespace

class DesktopThemePlugin : public QPlatformThemePlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QPlatformThemeFactoryInterface_iid FILE "desktoptheme.json")

public:
    QPlatformTheme *create(const QString &, const QStringList &) override { return new DesktopTheme; }
};

#include "desktoptheme.moc"
