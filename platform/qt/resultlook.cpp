#include "platform/qt/resultlook.h"

#include <QAccessible>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

namespace tw {

namespace {

// Set on a field shown as a result.
constexpr char kResultProperty[] = "twResult";

} // namespace

void ShowAsResult(QLineEdit& edit)
{
    edit.setProperty(kResultProperty, true);
    // Its text stays where an input's would be.
    const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
    edit.setFrame(false);
    edit.setTextMargins(frame, 0, frame, 0);
    QPalette palette = edit.palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
        palette.setColor(group, QPalette::Text, palette.color(group, QPalette::WindowText));
    }
    edit.setPalette(palette);
    // A click gives the focus, so that the text can be selected and copied; Tab passes by,
    // except for a screen reader, which reaches results only through it.
    edit.setFocusPolicy(QAccessible::isActive() ? Qt::StrongFocus : Qt::ClickFocus);
}

void ShowAsInput(QLineEdit& edit)
{
    edit.setProperty(kResultProperty, false);
    edit.setFrame(true);
    edit.setTextMargins(0, 0, 0, 0);
    // An empty palette resolves nothing of its own: the field takes its window's again.
    edit.setPalette(QPalette());
    edit.setFocusPolicy(Qt::StrongFocus);
}

bool IsShownAsResult(const QObject& object)
{
    return object.property(kResultProperty).toBool();
}

void PaintResult(QLineEdit& edit, QEvent* event)
{
    static_cast<QObject&>(edit).event(event);
    QPainter painter(&edit);
    painter.setPen(edit.palette().color(QPalette::Mid));
    painter.drawRect(edit.rect().adjusted(0, 0, -1, -1));
}

} // namespace tw
