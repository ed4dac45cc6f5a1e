#pragma once
// twrule11's window: the form, the three methods side by side, the earliest change and the
// projection in a report list that prints (with a title page), previews, saves as PDF,
// exports CSV and copies. It reads and checks the form with inputcheck.h, computes with
// distributions.h and takes every text it shows from report.h; the lists, the printers and
// the number fields are the suite's (platform/qt).

#include "platform/qt/qtprinters.h"
#include "rule72t/inputcheck.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QLineEdit;

namespace Ui {
class Rule72tWindow;
}

namespace tw {

class ListRowsModel;

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
    bool exportCsv(const QString& path);
    // The selected rows of the projection, or all of them, as tab text and an HTML table.
    void copyRows();

    const Ui::Rule72tWindow& form() const { return *ui_; }
    QtPrinters& printers() { return printers_; }

  private:
    void createActions();
    void tableChanged();
    void showResults();
    void clearResults();
    QWidget* fieldWidget(const Problem& problem) const;
    InputTexts texts() const;
    void print();
    void preview();
    void saveAsPdf();
    void exportAsCsv();
    void showListMenu(const QPoint& at);
    QString chooseFile(const QString& caption, const QString& suffix, const QString& filter);

    std::unique_ptr<Ui::Rule72tWindow> ui_;
    ListRowsModel* model_ = nullptr;
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
