#pragma once
// twrule11's window: the form, the three methods side by side, the earliest change and the
// projection in the suite's report list, whose menu previews, saves as PDF, copies and
// exports CSV; the window prints (with a title page). It reads and checks the form with
// inputcheck.h, computes with distributions.h and takes every text it shows from report.h;
// the report list, the printers and the number fields are the suite's (platform/qt).

#include "platform/qt/qtprinters.h"
#include "rule72t/inputcheck.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLineEdit;

namespace Ui {
class Rule72tWindow;
}

namespace tw {

class ReportListView;

namespace rule72t {

class Rule72tWindow : public QMainWindow
{
    Q_OBJECT

  public:
    explicit Rule72tWindow(QWidget* parent = nullptr);
    ~Rule72tWindow() override;

    // Where a refused field's message goes: a warning box unless a test says otherwise.
    using Warn = std::function<void(QWidget* parent, const QString& text)>;
    void setWarn(Warn warn);
    // Asks for a file to write (caption, suggested name, filter); empty when cancelled.
    using ChooseFile = std::function<QString(QWidget* parent, const QString& caption,
                                             const QString& suggested, const QString& filter)>;
    void setFileChooser(ChooseFile choose);

    // Reads and checks the form; shows the results, or the first refused field's message
    // with the focus on that field. Enter does this too.
    bool calculate();

    bool savePdf(const QString& path);

    const Ui::Rule72tWindow& form() const { return *ui_; }
    // The projection's list, made afresh for each result.
    ReportListView* projection() const { return list_; }
    QtPrinters& printers() { return printers_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createActions();
    void tableChanged();
    void showResults();
    void clearResults();
    void makeList(const std::vector<std::vector<std::string>>& rows);
    QWidget* fieldWidget(const Problem& problem) const;
    InputTexts texts() const;
    void print();
    void preview();
    void saveAsPdf();
    QString chooseFile(const QString& caption, const QString& suffix, const QString& filter);

    std::unique_ptr<Ui::Rule72tWindow> ui_;
    ReportListView* list_ = nullptr;
    QtPrinters printers_;
    Warn warn_;
    ChooseFile chooseFile_;
    std::optional<DistributionInput> input_;
    std::optional<DistributionResult> result_;
    QList<QAction*> resultActions_; // enabled once there are results
};

// The window's icon: the picture of "Calculate Rule 72T Distributions" on the suite's
// toolbar, drawn from the same strip at every size.
QIcon Rule72tIcon();

} // namespace rule72t
} // namespace tw
