#include "shell/accessibility.h"

#include "shell/form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>

namespace orv {

namespace {

class LabelAccessible : public QAccessibleWidget
{
public:
    explicit LabelAccessible(QLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
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
};

QAccessibleInterface *labelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("orv::FitLabel") && object && object->isWidgetType())
        return new LabelAccessible(static_cast<QLabel *>(object));
    return nullptr;
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
