#include "tests/widgets/dialogdriving.h"

#include "tools/refinance/refinanceform.h"
#include "tools/refinance/resultsform.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace tw::testing {

void SetWorkedMortgage(MortgageRecord& record)
{
    record.startAge = 35;
    record.payoffAge = 65;
    record.amount = 200000;
    record.downPayment = 40000;
    record.rate = 6.5F;
    record.years = 30;
    record.appreciation = 3;
}

void SetWorkedRefinance(AppRecords& records)
{
    records.currentMortgage.startAge = 40;
    records.currentMortgage.principal = 200000;
    records.currentMortgage.rate = 8;
    records.currentMortgage.years = 30;
    records.currentRefinance.refinanceAge = 45;
    records.currentRefinance.rate = 6;
    records.currentRefinance.years = 30;
}

QtDialogWindow* ShownDialog(const char* name)
{
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String(name) && top->isVisible())
            return qobject_cast<QtDialogWindow*>(top);
    return nullptr;
}

namespace {

void Press(QtDialogWindow& window, int id)
{
    qobject_cast<QPushButton*>(window.control(id))->click();
}

} // namespace

void WithRefinanceResults(QtPlatform& platform, ToolContext& context,
                          const std::function<void(QtDialogWindow& results)>& look)
{
    bool looked = false;
    // Each step runs from the modal loop of the window before it.
    QTimer::singleShot(0, [&] {
        QtDialogWindow* refinance = ShownDialog("refinance");
        ASSERT_NE(refinance, nullptr);
        QTimer::singleShot(0, [&, refinance] {
            QtDialogWindow* results = ShownDialog("raschedule");
            if (results != nullptr) {
                look(*results);
                looked = true;
                Press(*results, RefinanceResultsForm::kOk);
            }
            QTimer::singleShot(0, [refinance] { Press(*refinance, RefinanceForm::kOk); });
        });
        Press(*refinance, RefinanceForm::kShowDetails);
    });
    RefinanceForm form(context);
    platform.runModal(form, nullptr);
    EXPECT_TRUE(looked) << "no results window came up";
}

} // namespace tw::testing
