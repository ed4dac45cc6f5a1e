#pragma once
#include <QValidator>

class QLabel;
class QLineEdit;

namespace tw {

// Whether c can be part of a number as the forms read one: digits, the signs, the decimal
// point, the e of an exponent and blanks. A comma, a currency sign or any other letter never
// can: the reading stops there, so "250,000" reads as 250 and "$250000" as 0.
bool MayBeInNumber(QChar c);

// The tooltip a number field shows when it refuses what was typed or pasted.
QString NumberFieldHint();

// A number field's validator: a text with a character that can never be part of a number is
// refused whole, so a key press or a paste that would bring one in leaves the field as it was.
// Nothing is stripped or converted: a decimal comma turned into a point, or dropped, would
// silently change the value. It is independent of the locale, as the reading is.
class NumberCharacters final : public QValidator
{
    Q_OBJECT

  public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override;
};

// Makes edit a number field: the validator above, and the hint shown just below the field for
// a few seconds whenever it refuses a key press, a paste or a drop.
void MakeNumberField(QLineEdit& edit);

// The hint of a number field while it is on screen, else null.
QLabel* NumberFieldHintShown(const QLineEdit& edit);

} // namespace tw
