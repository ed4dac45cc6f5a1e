#include "platform/qt/dialogfactory.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/qtplatform.h"
#include "shell/aboutform.h"
#include "tests/support/desktoptools.h"
#include "tests/widgets/dialogdriving.h"
#include "tools/calculators/effectiveform.h"
#include "tools/loansolver/loanscheduleform.h"
#include "tools/mortgage/mortgageform.h"
#include "tools/mortgage/scheduleform.h"
#include "tools/refinance/refinanceform.h"
#include "tools/refinance/resultsform.h"
#include "tools/toolcatalog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace tw {
namespace {

using testing::IdleForm;
using testing::ShownDialog;

enum class Kind { Input, Result, Button, Radio, Check, Choice };

struct DialogTable
{
    const char* name;
    const char* title;
    std::map<Kind, std::vector<int>> ids;
};

// The numbered controls of the dialogs that are not tools of the catalog, as their forms
// address them.
const DialogTable kOtherDialogs[] = {
    {"about",
     " About the Tarrow Financial Tool Set",
     {{Kind::Button, {AboutForm::kOk}}, {Kind::Result, {AboutForm::kVersion}}}},
    {"moschedule",
     "Mortgage Schedule",
     {{Kind::Button, {ScheduleForm::kOk, ScheduleForm::kPrint}}}},
    {"raschedule",
     "Refinance Analysis",
     {{Kind::Button, {RefinanceResultsForm::kOk, RefinanceResultsForm::kPrint}}}},
    {"loanschedule",
     "Loan Schedule",
     {{Kind::Button, {LoanScheduleForm::kOk, LoanScheduleForm::kPrint}},
      {Kind::Check, {LoanScheduleForm::kYearsOnly}}}},
};

// Every dialog resource with its numbered controls: the tools' from the catalog.
std::vector<DialogTable> AllDialogs()
{
    std::vector<DialogTable> tables(std::begin(kOtherDialogs), std::end(kOtherDialogs));
    const auto ids = [](std::span<const int> span) {
        return std::vector<int>(span.begin(), span.end());
    };
    for (const ToolDescription* tool : ToolCatalog()) {
        const ToolControls& controls = tool->controls;
        DialogTable table{tool->resource.data(), tool->title.data(), {}};
        const std::pair<Kind, std::span<const int>> kinds[] = {
            {Kind::Input, controls.inputs},   {Kind::Result, controls.results},
            {Kind::Check, controls.checks},   {Kind::Radio, controls.radios},
            {Kind::Button, controls.buttons}, {Kind::Choice, controls.choices}};
        for (const auto& [kind, span] : kinds)
            if (!span.empty())
                table.ids[kind] = ids(span);
        tables.push_back(std::move(table));
    }
    return tables;
}

bool IsKind(const QWidget* widget, Kind kind)
{
    const auto* edit = qobject_cast<const QLineEdit*>(widget);
    switch (kind) {
    case Kind::Input:
        return edit != nullptr && !edit->isReadOnly();
    case Kind::Result:
        return (edit != nullptr && edit->isReadOnly()) || qobject_cast<const QLabel*>(widget);
    case Kind::Button:
        return qobject_cast<const QPushButton*>(widget) != nullptr;
    case Kind::Radio:
        return qobject_cast<const QRadioButton*>(widget) != nullptr;
    case Kind::Check:
        return qobject_cast<const QCheckBox*>(widget) != nullptr;
    case Kind::Choice:
        return qobject_cast<const QComboBox*>(widget) != nullptr;
    }
    return false;
}

TEST(Dialogs, EveryResourceHasTheControlsItsFormAddresses)
{
    std::vector<std::string> tabled;
    for (const DialogTable& table : AllDialogs()) {
        SCOPED_TRACE(table.name);
        tabled.emplace_back(table.name);
        IdleForm form(table.name);
        QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
        ASSERT_TRUE(BuildDialogResource(table.name, window));
        window.adoptControls();
        EXPECT_EQ(window.windowTitle().toStdString(), table.title);
        std::size_t expected = 0;
        for (const auto& [kind, ids] : table.ids) {
            expected += ids.size();
            for (int id : ids) {
                const QWidget* control = window.control(id);
                ASSERT_NE(control, nullptr) << "control " << id;
                EXPECT_TRUE(IsKind(control, kind))
                    << "control " << id << " is a " << control->metaObject()->className();
            }
        }
        int numbered = 0;
        for (const QWidget* widget : window.findChildren<QWidget*>())
            numbered += widget->property("controlId").isValid();
        EXPECT_EQ(static_cast<std::size_t>(numbered), expected) << "numbered controls";
        // For a look by eye.
        window.grab().save(
            QDir::temp().filePath(QStringLiteral("tw-dialog-%1.png").arg(table.name)));
    }
    std::sort(tabled.begin(), tabled.end());
    EXPECT_EQ(DialogResourceNames(), tabled);
}

TEST(Dialogs, MortgageAnalysisButtonsStartDisabledAndCompoundingChoicesFormOneGroup)
{
    IdleForm mortgage("mortgage");
    QtDialogWindow window(mortgage, ListColoursFromPalette(QApplication::palette(), false));
    ASSERT_TRUE(BuildDialogResource("mortgage", window));
    window.adoptControls();
    EXPECT_FALSE(window.control(MortgageForm::kRefinancing)->isEnabled());
    EXPECT_FALSE(window.control(MortgageForm::kAccelerated)->isEnabled());
    EXPECT_TRUE(window.control(MortgageForm::kSchedule)->isEnabled());

    IdleForm effective("effective");
    QtDialogWindow rate(effective, ListColoursFromPalette(QApplication::palette(), false));
    ASSERT_TRUE(BuildDialogResource("effective", rate));
    rate.adoptControls();
    // The five compounding choices are one group: they share their parent.
    const QWidget* group = rate.control(EffectiveForm::kRadios[0])->parentWidget();
    for (const int id : EffectiveForm::kRadios)
        EXPECT_EQ(rate.control(id)->parentWidget(), group) << id;
}

// The colour a row of the list shows: left of the right-aligned figures of its second column
// and clear of the grid line at the cell's edge.
QColor RowColour(const QWidget& window, const QTreeView& list, const QImage& picture, int row)
{
    const QPoint offset = list.viewport()->mapTo(&window, QPoint(0, 0));
    const QRect cell = list.visualRect(list.model()->index(row, 1));
    // The picture is in device pixels: twice the widget's at a scale of 2.
    const QPointF at = QPointF(offset + cell.topLeft() + QPoint(4, cell.height() / 2)) *
                       picture.devicePixelRatio();
    return picture.pixelColor(at.toPoint());
}

// The schedule window of the worked mortgage: rows alternate white and the band colour.
TEST(Dialogs, ScheduleWindowShowsBandedRows)
{
    QTemporaryDir directory;
    ASSERT_TRUE(directory.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(directory.path());

    testing::DesktopTools tools;
    auto& [platform, records, marks, context] = tools;
    testing::SetWorkedMortgage(records.mortgageRecord());

    QImage picture;
    QColor even, odd;
    int rows = 0;
    QTimer::singleShot(0, [&] {
        QtDialogWindow* window = nullptr;
        window = ShownDialog("moschedule");
        ASSERT_NE(window, nullptr);
        auto* list = window->findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->isVisible());
        rows = list->model()->rowCount();
        picture = window->grab().toImage();
        even = RowColour(*window, *list, picture, 0);
        odd = RowColour(*window, *list, picture, 1);
        picture.save(QDir::temp().filePath(QStringLiteral("tw-schedule-window.png")));
        qobject_cast<QPushButton*>(window->control(ScheduleForm::kOk))->click();
    });
    ScheduleForm form(context);
    platform.runModal(form, nullptr);
    QDir::setCurrent(previous);

    EXPECT_EQ(rows, 31);
    EXPECT_FALSE(picture.isNull());
    EXPECT_EQ(even, QColor(Qt::white));
    EXPECT_NE(odd, QColor(Qt::white));
    EXPECT_GT(odd.lightness(), 150) << "black text must stay readable on the band";
}

// The refinance form over the worked case, with its results window in front of it.
class RefinanceWindows : public ::testing::Test, protected testing::DesktopTools
{
  protected:
    RefinanceWindows()
    {
        QDir::setCurrent(directory.path());
        testing::SetWorkedRefinance(records);
    }
    ~RefinanceWindows() override { QDir::setCurrent(previous); }

    QString previous = QDir::currentPath();
    QTemporaryDir directory;
};

TEST_F(RefinanceWindows, FormOpensOnTheAgeAtRefinancingWithItsAmountDisabled)
{
    bool focused = false;
    QString selected;
    bool amountEnabled = true;
    QTimer::singleShot(0, [&] {
        QtDialogWindow* window = ShownDialog("refinance");
        ASSERT_NE(window, nullptr);
        auto* age = qobject_cast<QLineEdit*>(window->control(RefinanceForm::kRefinanceAge));
        focused = window->focusWidget() == age;
        selected = age->selectedText();
        amountEnabled = window->control(RefinanceForm::kRefinancedAmount)->isEnabled();
        EXPECT_TRUE(marks[ToolMark::Refinance].open);
        window->grab().save(QDir::temp().filePath(QStringLiteral("tw-refinance-form.png")));
        qobject_cast<QPushButton*>(window->control(RefinanceForm::kOk))->click();
    });
    RefinanceForm form(context);
    platform.runModal(form, nullptr);
    EXPECT_TRUE(focused);
    EXPECT_EQ(selected, QStringLiteral("45.00 "));
    EXPECT_FALSE(amountEnabled);
    EXPECT_FALSE(marks[ToolMark::Refinance].open);
}

TEST_F(RefinanceWindows, ResultsWindowShowsTenBandedColumnsSizedFromItsWidth)
{
    int rows = 0;
    QStringList titles;
    std::vector<int> widths;
    std::vector<int> titleWidths;
    std::vector<int> alignments;
    QRect ok, print;
    QSize client;
    QColor even, odd;
    testing::WithRefinanceResults(platform, context, [&](QtDialogWindow& window) {
        auto* list = window.findChild<QTreeView*>();
        ASSERT_NE(list, nullptr);
        EXPECT_TRUE(list->isVisible());
        client = window.size();
        rows = list->model()->rowCount();
        for (int column = 0; column < list->model()->columnCount(); ++column) {
            titles << list->model()->headerData(column, Qt::Horizontal).toString();
            widths.push_back(list->header()->sectionSize(column));
            titleWidths.push_back(list->header()->sectionSizeHint(column));
            alignments.push_back(list->header()->defaultAlignment() & Qt::AlignHorizontal_Mask);
        }
        ok = window.control(RefinanceResultsForm::kOk)->geometry();
        print = window.control(RefinanceResultsForm::kPrint)->geometry();
        const QImage picture = window.grab().toImage();
        even = RowColour(window, *list, picture, 0);
        odd = RowColour(window, *list, picture, 1);
        picture.save(QDir::temp().filePath(QStringLiteral("tw-refinance-results.png")));
    });

    EXPECT_EQ(rows, 62);
    EXPECT_EQ(titles, (QStringList{"Age", "Net Worth", "Savings", "Equity", "+Diff. in Mon. Pay.",
                                   "+Principal", "-Interest", "+Tax Savings", "+Savings Interest",
                                   "-Tax on Interest"}));
    const int factors[] = {30, 70, 70, 80, 83, 68, 68, 65, 80, 75};
    ASSERT_EQ(widths.size(), 10U);
    // The window's width decides, unless the title needs more in the font of the moment.
    for (std::size_t i = 0; i < 10; ++i) {
        SCOPED_TRACE("column " + std::to_string(i));
        const int fromWidth = (client.width() - 20) * factors[i] / 500;
        EXPECT_EQ(widths[i], std::max(fromWidth, titleWidths[i]));
    }
    for (int alignment : alignments)
        EXPECT_EQ(alignment, Qt::AlignRight);
    EXPECT_EQ(ok, QRect(client.width() / 2 - 65, client.height() - 25, 60, 20));
    EXPECT_EQ(print, QRect(client.width() / 2 + 5, client.height() - 25, 60, 20));
    EXPECT_EQ(even, QColor(Qt::white));
    EXPECT_NE(odd, QColor(Qt::white));
    EXPECT_TRUE(records.refinanceResults.known) << "OK keeps the column widths";
}

} // namespace
} // namespace tw
