#pragma once
#include <QString>

class QAbstractButton;
class QWidget;

namespace tw {

// What a screen reader says for the controls of a dialog built from a resource. Names come
// from the resource first (accessibleName, accessibleDescription for the unit); a field
// without one is named by the label whose buddy it is, and a label that names fields in
// several groups is qualified by the group. The visible texts stay as they are.

// A label or menu text as it is spoken: the mnemonic marks gone ("&&" stays one "&"), the key
// shown after a tab dropped, blanks at the ends removed and runs of blanks made one.
QString SpokenText(const QString& text);

// A label qualified by its group: "Existing Mortgage" and "Amount" give
// "Existing mortgage: Amount". The group's title is spoken in sentence case.
QString QualifiedName(const QString& group, const QString& label);

// The text with an underlined letter for Alt: the first letter of a word that is not in taken,
// else any other letter of it; the text unchanged when every letter is taken or it has a mark
// already. The letter chosen is added to taken (in lower case).
QString WithMnemonic(const QString& text, QString& taken);

// A button's text as it was given, without a mnemonic mark NameControls added to it.
QString GivenText(const QAbstractButton& button);

// Names the fields of dialog, gives its push buttons mnemonics that do not collide, and names
// each report list after the window when the dialog is shown. While a screen reader is
// running, results join the Tab chain, so that they can be reached and read.
void NameControls(QWidget& dialog);

} // namespace tw
