#include "platform/qt/accessiblemenuitem.h"

#include "platform/qt/accessiblenames.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace tw {

AccessibleMenuItem::AccessibleMenuItem(QMenu* menu, QAction* action) : menu_(menu), action_(action)
{
}

bool AccessibleMenuItem::isValid() const
{
    return menu_ && action_;
}

QObject* AccessibleMenuItem::object() const
{
    return action_;
}

QWindow* AccessibleMenuItem::window() const
{
    if (!menu_)
        return nullptr;
    if (QWindow* own = menu_->windowHandle())
        return own;
    const QWidget* native = menu_->nativeParentWidget();
    return native ? native->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleMenuItem::parent() const
{
    return menu_ ? QAccessible::queryAccessibleInterface(menu_.data()) : nullptr;
}

QAccessibleInterface* AccessibleMenuItem::child(int /*index*/) const
{
    return nullptr;
}

QAccessibleInterface* AccessibleMenuItem::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QAccessibleInterface* AccessibleMenuItem::focusChild() const
{
    return nullptr;
}

int AccessibleMenuItem::childCount() const
{
    return 0;
}

int AccessibleMenuItem::indexOfChild(const QAccessibleInterface* /*child*/) const
{
    return -1;
}

QString AccessibleMenuItem::shownKey() const
{
    if (!action_)
        return {};
    const QString text = action_->text();
    const qsizetype tab = text.indexOf(u'\t');
    if (tab < 0)
        return {};
    const QString key = text.mid(tab + 1).trimmed();
    const QKeySequence sequence = QKeySequence::fromString(key, QKeySequence::PortableText);
    return sequence.isEmpty() ? key : sequence.toString(QKeySequence::NativeText);
}

QString AccessibleMenuItem::text(QAccessible::Text kind) const
{
    if (!action_)
        return {};
    switch (kind) {
    case QAccessible::Name:
        return SpokenText(action_->text());
    case QAccessible::Accelerator:
        return shownKey();
    case QAccessible::Description:
        return action_->statusTip();
    default:
        return {};
    }
}

void AccessibleMenuItem::setText(QAccessible::Text /*kind*/, const QString& /*text*/) {}

QRect AccessibleMenuItem::rect() const
{
    if (!menu_ || !action_)
        return {};
    const QRect local = menu_->actionGeometry(action_);
    return {menu_->mapToGlobal(local.topLeft()), local.size()};
}

QAccessible::Role AccessibleMenuItem::role() const
{
    return QAccessible::MenuItem;
}

QAccessible::State AccessibleMenuItem::state() const
{
    QAccessible::State state;
    if (!isValid())
        return state;
    state.focusable = true;
    state.focused = menu_->activeAction() == action_;
    state.disabled = !action_->isEnabled();
    state.invisible = !menu_->isVisible() || !action_->isVisible();
    return state;
}

void* AccessibleMenuItem::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

QStringList AccessibleMenuItem::actionNames() const
{
    return action_ && action_->isEnabled() ? QStringList{pressAction()} : QStringList{};
}

void AccessibleMenuItem::doAction(const QString& actionName)
{
    if (action_ && action_->isEnabled() && actionName == pressAction())
        action_->trigger();
}

QStringList AccessibleMenuItem::keyBindingsForAction(const QString& actionName) const
{
    const QString key = shownKey();
    if (actionName != pressAction() || key.isEmpty())
        return {};
    return {key};
}

QAccessibleInterface* MenuItemAccessibility(const QString& className, QObject* object)
{
    auto* action = qobject_cast<QAction*>(object);
    if (className != QLatin1String("QAction") || !action || !action->text().contains(u'\t'))
        return nullptr;
    for (QObject* owner : action->associatedObjects()) {
        if (auto* menu = qobject_cast<QMenu*>(owner))
            return new AccessibleMenuItem(menu, action);
    }
    return nullptr;
}

void InstallMenuItemAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(MenuItemAccessibility);
        return true;
    }();
    (void)installed;
}

} // namespace tw
