// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A desktop's platform theme, as the tests meet it: with
// QT_QPA_PLATFORMTHEME=orvalen-test-desktop (and QT_PLUGIN_PATH at this
// plugin), Qt takes from it a dark scheme (ORVALEN_TEST_SCHEME=dark, or
// light), a palette of its own for every class of control that a theme may
// give one, large fonts of another face per class, another style, GNOME's
// order and words for a dialog's buttons and no icons on them. Switched while
// the program runs, the test says so through the window system, as a
// desktop does (test::DesktopScheme).

#include <QFont>
#include <QPalette>
#include <QStringList>
#include <QVariant>
#include <qpa/qplatformdialoghelper.h>
#include <qpa/qplatformtheme.h>
#include <qpa/qplatformthemeplugin.h>

#include <array>

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
        for (int type = 0; type < NPalettes; ++type) {
            // Each class its own dark colours, so that a leak says whose it is.
            const QColor paper = QColor::fromHsv(type * 360 / NPalettes, 160, 60);
            m_dark[type] = QPalette(QColor(230, 230, 230), paper, paper.lighter(), paper.darker(), paper,
                                    QColor(250, 250, 200), QColor(255, 255, 255), paper.darker(200), paper);
        }
        for (int type = 0; type < NFonts; ++type) {
            m_fonts[type] = QFont(QStringLiteral("DejaVu Serif"), 10 + type % 7);
            m_fonts[type].setItalic(true);
            m_fonts[type].setLetterSpacing(QFont::PercentageSpacing, 120);
        }
    }

    const QPalette *palette(Palette type) const override { return dark() ? &m_dark[type] : nullptr; }
    const QFont *font(Font type) const override { return &m_fonts[type]; }
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
    std::array<QPalette, NPalettes> m_dark;
    std::array<QFont, NFonts> m_fonts;
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
