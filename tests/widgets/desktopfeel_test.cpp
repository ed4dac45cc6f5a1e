// The real forms on the desktop host: what a person notices in the first minute (where the
// cursor is, what typing does, what Enter and F1 do, how the results and the tables look
// and fit the font), checked over every dialog resource.
#include "platform/qt/dialogfactory.h"
#include "platform/qt/numbercharacters.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/qtplatform.h"
#include "tests/support/desktoptools.h"
#include "tests/widgets/dialogdriving.h"
#include "tools/calculators/effectiveform.h"
#include "tools/calculators/inflationform.h"
#include "tools/mortgage/accelform.h"
#include "tools/mortgage/loanform.h"
#include "tools/mortgage/mortgageform.h"
#include "tools/mortgage/scheduleform.h"
#include "tools/refinance/refinanceform.h"
#include "tools/refinance/resultsform.h"
#include "tools/toolcatalog.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace tw {
namespace {

using testing::IdleForm;
using testing::ShownDialog;

TEST(DesktopFields, EveryTypedFieldIsANumberFieldButTheOptionNames)
{
    std::set<std::pair<std::string, int>> textFields;
    for (const ToolDescription* tool : ToolCatalog())
        for (const int id : tool->textFields)
            textFields.insert({std::string(tool->resource), id});
    int numberFields = 0;
    for (const std::string& name : DialogResourceNames()) {
        SCOPED_TRACE(name);
        IdleForm form(name);
        QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
        ASSERT_TRUE(BuildDialogResource(name, window));
        window.adoptControls();
        for (QLineEdit* edit : window.findChildren<QLineEdit*>()) {
            const int id = edit->property("controlId").toInt();
            SCOPED_TRACE("control " + std::to_string(id));
            const bool number = qobject_cast<const NumberCharacters*>(edit->validator()) != nullptr;
            if (edit->isReadOnly()) {
                EXPECT_FALSE(number);
                EXPECT_EQ(edit->focusPolicy(), Qt::ClickFocus) << "a result: out of the Tab chain";
            } else {
                EXPECT_EQ(number, textFields.count({name, id}) == 0);
                numberFields += number;
            }
        }
    }
    EXPECT_GT(numberFields, 50);
}

TEST(DesktopFields, EveryHelpButtonTakesFOne)
{
    int helps = 0;
    for (const std::string& name : DialogResourceNames()) {
        SCOPED_TRACE(name);
        IdleForm form(name);
        QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
        ASSERT_TRUE(BuildDialogResource(name, window));
        for (const QPushButton* button : window.findChildren<QPushButton*>()) {
            const bool help = button->text() == QLatin1String("Help");
            EXPECT_EQ(button->shortcut() == QKeySequence(Qt::Key_F1), help)
                << button->text().toStdString();
            helps += help;
        }
    }
    int toolsWithHelp = 0;
    for (const ToolDescription* tool : ToolCatalog())
        toolsWithHelp += tool->help.has_value();
    EXPECT_EQ(helps, toolsWithHelp) << "every calculator but the inflation calculator";
}

class Forms : public ::testing::Test, protected testing::DesktopTools
{
  protected:
    Forms() { QDir::setCurrent(directory.path()); }
    ~Forms() override { QDir::setCurrent(previous); }

    QString previous = QDir::currentPath();
    QTemporaryDir directory;
};

TEST_F(Forms, OpenOnTheirFirstFieldWithItsTextSelectedAndEnterPressesCalculate)
{
    // Enter is Calculate unless the form's own description says otherwise: the effective
    // rate calculator closes on Enter, the refinance form runs Do Analysis.
    for (const ToolDescription* entry : ToolCatalog()) {
        const ToolDescription& opening = *entry;
        SCOPED_TRACE(opening.resource);
        int focused = 0;
        bool wholeTextSelected = false;
        int enter = 0;
        std::set<int> drawnDefault;
        QTimer::singleShot(0, [&] {
            QtDialogWindow* window = ShownDialog(std::string(opening.resource).c_str());
            ASSERT_NE(window, nullptr);
            if (auto* edit = qobject_cast<QLineEdit*>(window->focusWidget())) {
                focused = edit->property("controlId").toInt();
                wholeTextSelected = edit->selectedText() == edit->text();
            }
            enter = window->enterCommand();
            for (const QPushButton* button : window->findChildren<QPushButton*>())
                if (button->isDefault())
                    drawnDefault.insert(button->property("controlId").toInt());
            qobject_cast<QPushButton*>(window->control(opening.ok))->click();
        });
        const std::unique_ptr<Form> form = opening.make(context);
        platform.runModal(*form, nullptr);
        EXPECT_EQ(focused, opening.firstField);
        EXPECT_TRUE(wholeTextSelected);
        EXPECT_EQ(enter, opening.enter);
        EXPECT_EQ(drawnDefault, std::set<int>{opening.enter});
    }
}

TEST_F(Forms, ARefusedFieldHasTheFocusWithItsTextSelectedOnceTheBoxIsClosed)
{
    // Each kind of check: a checked reader, a range check of a text kept as typed, a form's
    // own warning, the refinance rules (the age order is the age at refinancing's to fix).
    struct Refusal
    {
        const ToolDescription& tool;
        std::map<int, const char*> texts;
        int button;
        int expected;
    };
    const Refusal refusals[] = {
        {MortgageForm::kTool,
         {{MortgageForm::kStartAge, "0"}},
         MortgageForm::kCalculate,
         MortgageForm::kStartAge},
        {LoanForm::kTool, {{LoanForm::kRate, "0.5"}}, LoanForm::kCalculate, LoanForm::kRate},
        {AccelForm::kTool,
         {{AccelForm::kAmount, "5"}, {AccelForm::kYears, "0"}},
         AccelForm::kCalculate,
         AccelForm::kYears},
        {EffectiveForm::kTool,
         {{EffectiveForm::kNominalRate, "500"}},
         EffectiveForm::kCalculate,
         EffectiveForm::kNominalRate},
        {RefinanceForm::kTool,
         {{RefinanceForm::kStartAge, "0"}},
         RefinanceForm::kDoAnalysis,
         RefinanceForm::kStartAge},
        {RefinanceForm::kTool,
         {{RefinanceForm::kRefinanceAge, "30"}},
         RefinanceForm::kDoAnalysis,
         RefinanceForm::kRefinanceAge},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.tool.resource);
        records = AppRecords{};
        testing::SetWorkedRefinance(records);
        QString boxTitle;
        int focused = 0;
        bool wholeTextSelected = false;
        QTimer::singleShot(0, [&] {
            QtDialogWindow* window = ShownDialog(std::string(refusal.tool.resource).c_str());
            ASSERT_NE(window, nullptr);
            for (const auto& [id, text] : refusal.texts)
                qobject_cast<QLineEdit*>(window->control(id))->setText(text);
            QTimer closer;
            QObject::connect(&closer, &QTimer::timeout, window, [&] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                    boxTitle = box->windowTitle();
                    box->accept();
                }
            });
            closer.start(10);
            qobject_cast<QPushButton*>(window->control(refusal.button))->click();
            closer.stop();
            if (auto* edit = qobject_cast<QLineEdit*>(window->focusWidget())) {
                focused = edit->property("controlId").toInt();
                wholeTextSelected = !edit->text().isEmpty() && edit->selectedText() == edit->text();
            }
            qobject_cast<QPushButton*>(window->control(refusal.tool.ok))->click();
        });
        const std::unique_ptr<Form> form = refusal.tool.make(context);
        platform.runModal(*form, nullptr);
        EXPECT_FALSE(boxTitle.isEmpty()) << "no box";
        EXPECT_EQ(focused, refusal.expected) << boxTitle.toStdString();
        EXPECT_TRUE(wholeTextSelected);
    }
}

TEST_F(Forms, TypingIntoAFreshInflationCalculatorReplacesItsTextAndEnterCalculates)
{
    QString result;
    QTimer::singleShot(0, [&] {
        QtDialogWindow* window = ShownDialog("inflate");
        ASSERT_NE(window, nullptr);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        // Start age, end age, amount, rate in the Tab order of the form; Enter in the last.
        bool first = true;
        for (const char* typed : {"30", "40", "1000", "3"}) {
            if (!first)
                QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
            first = false;
            QTest::keyClicks(window->focusWidget(), typed);
        }
        EXPECT_EQ(window->focusWidget(), window->control(InflationForm::kRate));
        QTest::keyClick(window->focusWidget(), Qt::Key_Return);
        result = qobject_cast<QLineEdit*>(window->control(105))->text().trimmed();
        qobject_cast<QPushButton*>(window->control(InflationForm::kOk))->click();
    });
    InflationForm form(context);
    platform.runModal(form, nullptr);
    EXPECT_EQ(result, "1343.92");
}

// The table windows in a large font: nothing cut, and no shrinking below what keeps the list
// and both buttons usable.
class LargeFont : public Forms
{
  protected:
    LargeFont() : saved(QApplication::font())
    {
        QFont large = saved;
        large.setPointSize(13);
        QApplication::setFont(large);
    }
    ~LargeFont() override { QApplication::setFont(saved); }

    static void CheckTable(QtDialogWindow& window, int ok, int print)
    {
        auto* list = window.findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        const QHeaderView& header = *list->header();
        for (int column = 0; column < header.count(); ++column)
            EXPECT_GE(header.sectionSize(column), header.sectionSizeHint(column))
                << "title of column " << column << " cut";

        const QFontMetrics metrics(window.font());
        const QRect okRect = window.control(ok)->geometry();
        const QRect printRect = window.control(print)->geometry();
        for (const QRect& button : {okRect, printRect}) {
            EXPECT_GE(button.width(), 60);
            EXPECT_GE(button.height(), std::max(20, metrics.height()));
            EXPECT_TRUE(window.rect().contains(button));
            EXPECT_GE(button.top(), list->geometry().bottom()) << "the list covers a button";
        }
        EXPECT_FALSE(okRect.intersects(printRect));
        EXPECT_GE(okRect.width(), metrics.horizontalAdvance("OK"));
        EXPECT_GE(printRect.width(), metrics.horizontalAdvance("Print"));
    }

    static void Shrink(QtDialogWindow& window)
    {
        window.resize(40, 40);
        QCoreApplication::processEvents();
    }

    QFont saved;
};

TEST_F(LargeFont, EveryDialogShowsEveryLabelAndButtonWhole)
{
    for (const std::string& name : DialogResourceNames()) {
        SCOPED_TRACE(name);
        IdleForm form(name);
        QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
        ASSERT_TRUE(BuildDialogResource(name, window));
        window.adoptControls();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (!label->isVisible() || label->wordWrap() || label->text().isEmpty())
                continue;
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
            EXPECT_GE(label->height(), label->fontMetrics().height())
                << label->text().toStdString();
        }
        for (const QPushButton* button : window.findChildren<QPushButton*>()) {
            if (!button->isVisible() || window.property("resizable").toBool())
                continue;
            EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
                << button->text().toStdString();
        }
        window.grab().save(QDir::temp().filePath(
            QStringLiteral("tw-large-%1.png").arg(QString::fromStdString(name))));
    }
}

TEST_F(LargeFont, TheScheduleWindowFitsItsTitlesFiguresAndButtons)
{
    testing::SetWorkedMortgage(records.mortgageRecord());
    QSize least;
    QTimer::singleShot(0, [&] {
        QtDialogWindow* window = ShownDialog("moschedule");
        ASSERT_NE(window, nullptr);
        CheckTable(*window, ScheduleForm::kOk, ScheduleForm::kPrint);
        Shrink(*window);
        least = window->size();
        EXPECT_EQ(least, window->minimumSize());
        CheckTable(*window, ScheduleForm::kOk, ScheduleForm::kPrint);
        qobject_cast<QPushButton*>(window->control(ScheduleForm::kOk))->click();
    });
    ScheduleForm form(context);
    platform.runModal(form, nullptr);
    EXPECT_GT(least.width(), 2 * 60 + 10);
    EXPECT_GT(least.height(), 3 * QFontMetrics(QApplication::font()).height());
}

TEST_F(LargeFont, TheRefinanceResultsWindowFitsItsTitlesFiguresAndButtons)
{
    testing::SetWorkedRefinance(records);
    int rows = 0;
    testing::WithRefinanceResults(platform, context, [&](QtDialogWindow& window) {
        CheckTable(window, RefinanceResultsForm::kOk, RefinanceResultsForm::kPrint);
        Shrink(window);
        EXPECT_EQ(window.size(), window.minimumSize());
        CheckTable(window, RefinanceResultsForm::kOk, RefinanceResultsForm::kPrint);
        rows = window.findChild<QTreeView*>()->model()->rowCount();
    });
    EXPECT_EQ(rows, 62) << "the shrunk window still holds the whole table";
}

} // namespace
} // namespace tw
