#include "platform/qt/accessiblenames.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include <map>
#include <vector>

namespace tw {

namespace {

// The text a mnemonic was added to, and the text with its mark, so that the text reads back
// as it was given for as long as nobody has changed it.
constexpr char kGivenTextProperty[] = "twGivenText";
constexpr char kMarkedTextProperty[] = "twMarkedText";

QString GroupTitle(const QWidget& widget)
{
    for (const QWidget* up = widget.parentWidget(); up && !up->isWindow();
         up = up->parentWidget()) {
        if (const auto* group = qobject_cast<const QGroupBox*>(up))
            return SpokenText(group->title());
    }
    return {};
}

// Every mnemonic letter the dialog's labels and buttons have already, in lower case.
QString TakenLetters(const QWidget& dialog)
{
    QString taken;
    auto take = [&taken](const QString& text) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (!key.isEmpty())
            taken += QKeySequence(key[0].key()).toString().toLower();
    };
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        take(label->text());
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        take(button->text());
    return taken;
}

void AddMnemonics(QWidget& dialog)
{
    QString taken = TakenLetters(dialog);
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        const QString given = button->text();
        const QString marked = WithMnemonic(given, taken);
        if (marked == given)
            continue;
        // A new text takes the button's shortcut for its mnemonic; a key of its own (F1 on
        // Help) stays, and Alt with the letter then presses it as well.
        const QKeySequence own = button->shortcut();
        button->setText(marked);
        button->setProperty(kGivenTextProperty, given);
        button->setProperty(kMarkedTextProperty, marked);
        if (!own.isEmpty()) {
            button->setShortcut(own);
            auto* alt = new QAction(button);
            alt->setShortcut(QKeySequence::mnemonic(marked));
            alt->setShortcutContext(Qt::WindowShortcut);
            QObject::connect(alt, &QAction::triggered, button, [button] {
                if (button->isEnabled() && button->isVisible())
                    button->animateClick();
            });
            button->addAction(alt);
        }
    }
}

void NameFields(QWidget& dialog)
{
    struct Unnamed
    {
        QWidget* edit;
        QString label;
    };
    std::vector<Unnamed> unnamed;
    std::map<QString, int> uses;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        QWidget* edit = label->buddy();
        const bool field = qobject_cast<QLineEdit*>(edit) || qobject_cast<QComboBox*>(edit);
        if (!field || !edit->accessibleName().isEmpty())
            continue;
        const QString text = SpokenText(label->text());
        unnamed.push_back({edit, text});
        ++uses[text];
    }
    for (const Unnamed& field : unnamed) {
        const QString group = GroupTitle(*field.edit);
        field.edit->setAccessibleName(uses[field.label] > 1 && !group.isEmpty()
                                          ? QualifiedName(group, field.label)
                                          : field.label);
    }
}

// Results are out of the Tab chain for those who see them; a screen reader reaches them only
// through it.
void ResultsInTabChain(QWidget& dialog)
{
    if (!QAccessible::isActive())
        return;
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->isReadOnly())
            edit->setFocusPolicy(Qt::StrongFocus);
    }
}

// Lists are made after the resource is built, while the form opens, and a form may set the
// window's title then too; by the time the dialog is shown both are there. The window is named
// by its title as spoken, without the blank some titles start with.
class ShownNames final : public QObject
{
  public:
    explicit ShownNames(QWidget& dialog) : QObject(&dialog), dialog_(dialog)
    {
        dialog.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &dialog_ &&
            (event->type() == QEvent::Show || event->type() == QEvent::WindowTitleChange)) {
            const QString title = SpokenText(dialog_.windowTitle());
            dialog_.setAccessibleName(title);
            for (QTreeView* view : dialog_.findChildren<QTreeView*>()) {
                if (view->accessibleName().isEmpty())
                    view->setAccessibleName(title);
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QWidget& dialog_;
};

} // namespace

QString SpokenText(const QString& text)
{
    QString spoken;
    const qsizetype tab = text.indexOf(u'\t');
    const QString shown = tab < 0 ? text : text.left(tab);
    for (qsizetype k = 0; k < shown.size(); ++k) {
        if (shown[k] == u'&') {
            if (k + 1 < shown.size() && shown[k + 1] == u'&')
                spoken += shown[++k];
            continue;
        }
        spoken += shown[k];
    }
    return spoken.simplified();
}

QString QualifiedName(const QString& group, const QString& label)
{
    const QStringList words = SpokenText(group).split(u' ', Qt::SkipEmptyParts);
    QString sentence;
    for (qsizetype k = 0; k < words.size(); ++k) {
        if (k > 0)
            sentence += u' ';
        // A word in capitals throughout (an abbreviation) keeps them.
        const bool abbreviation = words[k].size() > 1 && words[k].toUpper() == words[k];
        sentence += k == 0 || abbreviation ? words[k] : words[k].toLower();
    }
    return sentence.isEmpty() ? label : sentence + QStringLiteral(": ") + label;
}

QString WithMnemonic(const QString& text, QString& taken)
{
    if (text.contains(u'&'))
        return text;
    std::vector<qsizetype> candidates;
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k].isLetter() && (k == 0 || !text[k - 1].isLetterOrNumber()))
            candidates.push_back(k);
    }
    for (qsizetype k = 0; k < text.size(); ++k) {
        if (text[k].isLetter())
            candidates.push_back(k);
    }
    for (const qsizetype k : candidates) {
        const QChar letter = text[k].toLower();
        if (letter.unicode() > 0x7f || taken.contains(letter))
            continue;
        taken += letter;
        return text.left(k) + u'&' + text.mid(k);
    }
    return text;
}

QString GivenText(const QAbstractButton& button)
{
    const QVariant marked = button.property(kMarkedTextProperty);
    if (marked.isValid() && marked.toString() == button.text())
        return button.property(kGivenTextProperty).toString();
    return button.text();
}

void NameControls(QWidget& dialog)
{
    // A title may start with a blank that only spaces it from the frame.
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        if (group->accessibleName().isEmpty())
            group->setAccessibleName(SpokenText(group->title()));
    }
    NameFields(dialog);
    AddMnemonics(dialog);
    ResultsInTabChain(dialog);
    new ShownNames(dialog);
}

} // namespace tw
