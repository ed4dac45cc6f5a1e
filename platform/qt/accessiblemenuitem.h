#pragma once
#include <QAccessibleInterface>
#include <QPointer>

class QAction;
class QMenu;

namespace tw {

// A menu item whose text shows its key after a tab ("M&ortgage Calculator\tCtrl+o"), as a
// screen reader should have it: named without the key or the mnemonic mark, with the key as
// its key binding. The text is only a label there (the window's accelerators decide what the
// keys do), so Qt's own item, which knows keys only from an action's shortcut, reads the tab
// and the key as part of the name.
class AccessibleMenuItem : public QAccessibleInterface, public QAccessibleActionInterface
{
  public:
    AccessibleMenuItem(QMenu* menu, QAction* action);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // The key shown after the tab, in the desktop's spelling ("Ctrl+O"); empty when none.
    QString shownKey() const;

  private:
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

// For QAccessible::installFactory: the interface above for an action in a menu whose text
// holds a tab; nothing for any other object, which Qt then serves itself.
QAccessibleInterface* MenuItemAccessibility(const QString& className, QObject* object);

// Installs that factory, once however often it is called.
void InstallMenuItemAccessibility();

} // namespace tw
