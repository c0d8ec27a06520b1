// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/look.h"

#include "widgets/colours.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

namespace orv {

namespace {

// Qt's style caches the faces of buttons under their palette's serial
// number, and a control under a coloured panel gets a palette of its own,
// with a fresh serial, in every new window. So every opening of a timer
// window left its buttons' faces in the cache (and, in Qt 6.4, their keys
// for good), never to be found again. With shared palettes each opening
// finds the faces the last one drew.
//
// The style is Fusion whatever the desktop names, and the hints Fusion
// would take from the desktop's theme are its own.
class DesignedStyle : public QProxyStyle
{
public:
    DesignedStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        const Shared shared(this, option);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const Shared shared(this, option);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        const Shared shared(this, option);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        switch (hint) {
        case SH_DialogButtonLayout:
            return QDialogButtonBox::WinLayout;
        case SH_DialogButtonBox_ButtonsHaveIcons:
            return 1;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }

    // Qt's own pictures for the dialog's two buttons, not the desktop's
    // icon theme's.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const override
    {
        const char *name = icon == SP_DialogOkButton       ? "ok"
                           : icon == SP_DialogCancelButton ? "cancel"
                                                           : nullptr;
        if (!name)
            return QProxyStyle::standardIcon(icon, option, widget);
        QIcon own;
        for (const int size : {16, 32, 128})
            own.addFile(QStringLiteral(":/qt-project.org/styles/commonstyle/images/standardbutton-%1-%2.png")
                            .arg(QLatin1String(name))
                            .arg(size),
                        QSize(size, size));
        return own;
    }

    // Qt's own windows (the input dialog, a text box's menu) would take the
    // desktop's font, which its theme may set again at any time (qt6ct does
    // on every change); as their own, the designed one is what their
    // controls inherit. The program's windows set theirs when built.
    void polish(QWidget *widget) override
    {
        QProxyStyle::polish(widget);
        if (widget->isWindow() && !widget->testAttribute(Qt::WA_SetFont))
            widget->setFont(designedDialogFont());
    }
    using QProxyStyle::polish;

private:
    // The one palette of these colours; the program has a handful.
    const QPalette &shared(const QPalette &palette) const
    {
        for (const QPalette &known : m_palettes)
            if (known == palette)
                return known;
        m_palettes.append(palette);
        return m_palettes.last();
    }

    // Swaps the shared palette into an option for one drawing call. Options
    // are the widgets' own objects on the stack, handed down as const.
    class Shared
    {
    public:
        Shared(const DesignedStyle *style, const QStyleOption *option)
            : m_option(const_cast<QStyleOption *>(option))
        {
            if (!m_option)
                return;
            m_own = m_option->palette;
            m_option->palette = style->shared(m_own);
        }
        ~Shared()
        {
            if (m_option)
                m_option->palette = m_own;
        }

    private:
        QStyleOption *m_option;
        QPalette m_own;
    };

    mutable QList<QPalette> m_palettes;
};

} // namespace

QFont designedDialogFont()
{
    QFont font(QStringLiteral("Sans Serif"), 9);
    font.setResolveMask(QFont::AllPropertiesResolved);
    return font;
}

void installDesignedLook()
{
    if (dynamic_cast<DesignedStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(new DesignedStyle);
    // A palette of the application's own is how a program tells the
    // desktop's theme to leave its colours alone: qt6ct would otherwise set
    // its scheme on every control when the user changes it.
    QApplication::setPalette(designedPalette());
}

} // namespace orv
