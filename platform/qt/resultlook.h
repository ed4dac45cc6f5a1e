#pragma once
class QEvent;
class QLineEdit;
class QObject;

namespace tw {

// How a read-only field looks: a result, drawn on the window's colour inside a flat one-pixel
// frame, as text the user reads rather than types over, out of the Tab chain (unless a screen
// reader runs) but selectable and copyable. A form may turn a field into a result and back.
void ShowAsResult(QLineEdit& edit);
void ShowAsInput(QLineEdit& edit);
bool IsShownAsResult(const QObject& object);

// Paints a result as its line edit does, then its flat frame over it. Called from the
// dialog's event filter, inside the field's own paint event.
void PaintResult(QLineEdit& edit, QEvent* event);

} // namespace tw
