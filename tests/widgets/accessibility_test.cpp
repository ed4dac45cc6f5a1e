// The real dialogs and the main window's menu as a screen reader reads them through Qt's
// accessibility interfaces, on the offscreen platform.
#include "platform/qt/accessiblemenuitem.h"
#include "platform/qt/accessiblenames.h"
#include "platform/qt/dialogfactory.h"
#include "platform/qt/qtdialogwindow.h"
#include "tests/widgets/dialogdriving.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace tw {
namespace {

using testing::IdleForm;

struct Opened
{
    explicit Opened(const std::string& name)
        : form(name), window(form, ListColoursFromPalette(QApplication::palette(), false))
    {
        EXPECT_TRUE(BuildDialogResource(name, window));
        window.adoptControls();
    }
    QAccessibleInterface* control(int id) const
    {
        return QAccessible::queryAccessibleInterface(window.control(id));
    }
    IdleForm form;
    QtDialogWindow window;
};

TEST(AccessibleNames, FieldsAreNamedByTheirLabelQualifiedWhereALabelRepeats)
{
    const struct
    {
        const char* dialog;
        int id;
        const char* name;
        const char* description;
    } cases[] = {
        // The trade-off grid: option, group and row.
        {"trade", 901, "Option 1 name", ""},
        {"trade", 101, "Option 1 outgoing, fixed cost", "dollars"},
        {"trade", 202, "Option 2 outgoing, cost per period", "dollars"},
        {"trade", 403, "Option 3 incoming, income per period", "dollars"},
        {"trade", 951, "Option 2 end amount", "dollars"},
        {"trade", 601, "No of Periods", ""},
        // The refinance columns share their labels; the group tells them apart.
        {"refinance", 105, "Existing mortgage: Amount", "dollars"},
        {"refinance", 110, "Refinanced mortgage: Amount", "dollars"},
        {"refinance", 106, "Existing mortgage: Rate", "percent"},
        {"refinance", 113, "Refinanced mortgage: Monthly Payment", "dollars"},
        {"refinance", 104, "Start Age of Mortgage", ""},
        {"accel", 9, "Accelerated payment mortgage: Monthly Payment", "dollars"},
        // The label "Amount " ends in a blank that is not read.
        {"mortgage", 104, "Amount", "dollars"},
        {"ccard", 114, "Months", ""},
        {"ccard", 115, "Total Interest", "dollars"},
        {"taxinf", 17, "Your investment will be worth", "dollars"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + " " + std::to_string(c.id));
        const Opened opened(c.dialog);
        QAccessibleInterface* field = opened.control(c.id);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(QAccessible::Name).toStdString(), c.name);
        EXPECT_EQ(field->text(QAccessible::Description).toStdString(), c.description);
    }
}

TEST(AccessibleNames, ResultsAreReadOnlyTextWithTheirNameAndValue)
{
    Opened opened("mortgage");
    opened.window.setText(108, "$1,011.31");
    QAccessibleInterface* result = opened.control(108);
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->role(), QAccessible::EditableText);
    EXPECT_TRUE(result->state().readOnly);
    EXPECT_EQ(result->text(QAccessible::Name), "Monthly Payment");
    EXPECT_EQ(result->text(QAccessible::Value), "$1,011.31");
    EXPECT_EQ(result->text(QAccessible::Description), "dollars");
}

TEST(AccessibleNames, EveryDialogNamesEachControlOnceAndGivesEachButtonItsOwnKey)
{
    for (const std::string& name : DialogResourceNames()) {
        SCOPED_TRACE(name);
        Opened opened(name);
        std::map<QString, int> names;
        std::map<QKeySequence, QString> keys;
        for (QWidget* widget : opened.window.findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(widget) && !qobject_cast<QAbstractButton*>(widget))
                continue;
            const QString spoken =
                QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
            EXPECT_FALSE(spoken.trimmed().isEmpty()) << widget->objectName().toStdString();
            ++names[spoken];
        }
        for (const auto& [spoken, count] : names)
            EXPECT_EQ(count, 1) << spoken.toStdString();
        for (QPushButton* button : opened.window.findChildren<QPushButton*>()) {
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            ASSERT_FALSE(key.isEmpty()) << button->text().toStdString();
            EXPECT_TRUE(keys.emplace(key, button->text()).second)
                << button->text().toStdString() << " and " << keys[key].toStdString();
            // The form reads the text it was given; Help keeps F1.
            if (const int id = button->property("controlId").toInt(); id != 0) {
                EXPECT_EQ(opened.window.text(id, 100), SpokenText(button->text()).toStdString());
            }
            if (SpokenText(button->text()) == QLatin1String("Help")) {
                EXPECT_EQ(button->shortcut(), QKeySequence(Qt::Key_F1));
            }
        }
    }
}

TEST(AccessibleNames, SpokenTextsMnemonicsAndGroups)
{
    EXPECT_EQ(SpokenText(QStringLiteral("M&ortgage Calculator\tCtrl+o")), "Mortgage Calculator");
    EXPECT_EQ(SpokenText(QStringLiteral(" Results")), "Results");
    EXPECT_EQ(SpokenText(QStringLiteral("Fish && Chips")), "Fish & Chips");
    EXPECT_EQ(QualifiedName(QStringLiteral("Existing Mortgage"), QStringLiteral("Amount")),
              "Existing mortgage: Amount");
    EXPECT_EQ(QualifiedName(QStringLiteral("IRA Account"), QStringLiteral("Rate")),
              "IRA account: Rate");

    // First letters of words first, then any letter, never one taken.
    QString taken = QStringLiteral("o");
    EXPECT_EQ(WithMnemonic(QStringLiteral("OK"), taken), "O&K");
    EXPECT_EQ(WithMnemonic(QStringLiteral("Show Details"), taken), "&Show Details");
    EXPECT_EQ(WithMnemonic(QStringLiteral("Schedule"), taken), "S&chedule");
    EXPECT_EQ(WithMnemonic(QStringLiteral("Do &Analysis"), taken), "Do &Analysis");
    EXPECT_EQ(taken, "oksc");
}

TEST(AccessibleMenuItems, AreNamedWithoutTheKeyWhichIsTheirKeyBinding)
{
    InstallMenuItemAccessibility();
    QMenu menu;
    QAction* mortgage = menu.addAction(QStringLiteral("M&ortgage Calculator\tCtrl+o"));
    menu.addAction(QStringLiteral("Visit the website"));
    bool triggered = false;
    QObject::connect(mortgage, &QAction::triggered, [&triggered] { triggered = true; });

    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(&menu)->child(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(QAccessible::Name), "Mortgage Calculator");
    EXPECT_EQ(item->role(), QAccessible::MenuItem);
    QAccessibleActionInterface* action = item->actionInterface();
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QStringLiteral("Ctrl+O")});
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(triggered);
    // An item without a key is Qt's own.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&menu)->child(1)->text(QAccessible::Name),
              "Visit the website");
}

} // namespace
} // namespace tw
