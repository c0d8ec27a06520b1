// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace orv {

namespace {

// A label's name says what it is; its value, and its text as a screen reader
// reads it, is what it shows.
class LabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit LabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // Read-only text: no selection, no cursor.
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return shown().mid(start, end - start); }
    int characterCount() const override { return int(shown().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

    QString text(QAccessible::Text t) const override
    {
        auto *label = static_cast<QLabel *>(widget());
        switch (t) {
        case QAccessible::Name:
            return label->accessibleName().isEmpty() ? label->text() : label->accessibleName();
        case QAccessible::Value:
            return label->text();
        default:
            return QAccessibleWidget::text(t);
        }
    }

private:
    QString shown() const { return static_cast<QLabel *>(widget())->text(); }
};

QAccessibleInterface *labelFactory(const QString &className, QObject *object)
{
    // Qt asks with the object's own class name: only our labels are ours.
    return className == QLatin1String("orv::FitLabel") ? new LabelAccessible(static_cast<QLabel *>(object)) : nullptr;
}

} // namespace

void installAccessibility()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(labelFactory);
}

} // namespace orv
