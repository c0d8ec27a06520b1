// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/sharedpalettestyle.h"

#include <QApplication>
#include <QList>
#include <QPalette>
#include <QProxyStyle>
#include <QStyleOption>

namespace orv {

namespace {

class SharedPaletteStyle : public QProxyStyle
{
public:
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
        Shared(const SharedPaletteStyle *style, const QStyleOption *option)
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

void installSharedPaletteStyle()
{
    if (!dynamic_cast<SharedPaletteStyle *>(QApplication::style()))
        QApplication::setStyle(new SharedPaletteStyle);
}

} // namespace orv
