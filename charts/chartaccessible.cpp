#include "charts/chartaccessible.h"

#include "charts/chartsummary.h"
#include "charts/chartwidget.h"

namespace tw {

ChartAccessible::ChartAccessible(ChartWidget* chart) : QAccessibleWidget(chart, QAccessible::Chart)
{
}

ChartWidget* ChartAccessible::chart() const
{
    return static_cast<ChartWidget*>(widget());
}

QString ChartAccessible::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Name:
        return QString::fromStdString(chart()->chart().title);
    case QAccessible::Description: {
        const QString point = chart()->crosshairText();
        return point.isEmpty() ? QString::fromStdString(ChartSummary(chart()->chart())) : point;
    }
    case QAccessible::Value:
        return chart()->crosshairText();
    default:
        return QAccessibleWidget::text(kind);
    }
}

void* ChartAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QVariant ChartAccessible::currentValue() const
{
    const auto index = chart()->crosshairIndex();
    return index ? static_cast<int>(*index) + 1 : 0;
}

void ChartAccessible::setCurrentValue(const QVariant& value)
{
    const int point = value.toInt();
    if (point >= 1)
        chart()->showPoint(static_cast<std::size_t>(point - 1));
}

QVariant ChartAccessible::maximumValue() const
{
    return static_cast<int>(chart()->chart().x.size());
}

QVariant ChartAccessible::minimumValue() const
{
    return chart()->chart().x.empty() ? 0 : 1;
}

QVariant ChartAccessible::minimumStepSize() const
{
    return 1;
}

QAccessibleInterface* ChartAccessibility(const QString& className, QObject* object)
{
    auto* chart = qobject_cast<ChartWidget*>(object);
    if (className != QLatin1String("tw::ChartWidget") || !chart)
        return nullptr;
    return new ChartAccessible(chart);
}

} // namespace tw
