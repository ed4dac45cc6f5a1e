#pragma once
#include <QAccessibleWidget>

namespace tw {

class ChartWidget;

// A chart as a screen reader reads it: named by its title, described by what it shows in
// one sentence, and with the crosshair's point as its value (the point's number, from 1) and
// the crosshair's box as the value's text. While the crosshair is up the description is its
// box too: screen readers speak a new description of the control in focus, not a new value
// of a chart. Setting the value moves the crosshair there.
class ChartAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
  public:
    explicit ChartAccessible(ChartWidget* chart);

    QString text(QAccessible::Text kind) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

  private:
    ChartWidget* chart() const;
};

// For QAccessible::installFactory: the interface above for a ChartWidget.
QAccessibleInterface* ChartAccessibility(const QString& className, QObject* object);

} // namespace tw
