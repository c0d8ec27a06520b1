// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/controls.h"

#include "common/fonts.h"
#include "common/twips.h"
#include "widgets/fitlabel.h"

#include <QAccessible>
#include <QHash>
#include <QFrame>
#include <QPushButton>

namespace orv {

namespace {
// The twips of every placed control, read back on every tick; the property
// itself is for outside tools, and reading it by name walks every property
// of the class first. Never freed: controls may outlive static data.
QHash<const QWidget *, QRect> &placed()
{
    static auto *twips = new QHash<const QWidget *, QRect>;
    return *twips;
}
} // namespace

void placeTwips(QWidget *control, const QRect &twips)
{
    const auto known = placed().constFind(control);
    if (known == placed().cend())
        QObject::connect(control, &QObject::destroyed, [control] { placed().remove(control); });
    else if (*known == twips)
        return;
    placed().insert(control, twips);
    control->setProperty("twips", twips);
    control->setGeometry(twipsToPx(twips));
}

QRect twipsOf(const QWidget *control)
{
    return placed().value(control);
}

void setWidthTwips(QWidget *control, int width)
{
    QRect twips = twipsOf(control);
    twips.setWidth(width);
    placeTwips(control, twips);
}

void setBackgroundColor(QWidget *control, const QColor &color)
{
    if (control->autoFillBackground() && control->palette().color(QPalette::Window) == color)
        return;
    QPalette p = control->palette();
    p.setColor(QPalette::Window, color);
    control->setPalette(p);
    control->setAutoFillBackground(true);
}

void setTextColor(QWidget *control, const QColor &color)
{
    QPalette p = control->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    control->setPalette(p);
}

void setCaption(QLabel *label, const QString &text)
{
    if (label->text() == text)
        return;
    label->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent changed(label, text);
        QAccessible::updateAccessibility(&changed);
    }
    if (auto *fit = qobject_cast<FitLabel *>(label))
        fit->fitToText();
}

QLabel *addLabel(QWidget *parent, const QString &name, const QRect &twips, const QString &caption)
{
    auto *label = new FitLabel(caption, parent);
    label->setObjectName(name);
    placeTwips(label, twips);
    return label;
}

QPushButton *addButton(QWidget *parent, const QString &name, const QRect &twips, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    placeTwips(button, twips);
    return button;
}

QFrame *addPanel(QWidget *parent, const QString &name, const QRect &twips, const QColor &background)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(name);
    // A panel always paints: one covers another.
    setBackgroundColor(panel, background.isValid() ? background : panel->palette().color(QPalette::Window));
    placeTwips(panel, twips);
    return panel;
}

QLabel *addFigure(QWidget *parent, const QString &name, const QRect &twips, const QString &caption,
                  const QString &face, double points, const QColor &color)
{
    QLabel *label = addLabel(parent, name, twips, caption);
    label->setFont(designedFont(face, points, true));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (color.isValid())
        setTextColor(label, color);
    return label;
}

QLabel *addColourBlock(QWidget *parent, const QString &name, const QRect &twips, const QColor &color)
{
    QLabel *block = addLabel(parent, name, twips);
    setBackgroundColor(block, color);
    return block;
}

QString indexedName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace orv
