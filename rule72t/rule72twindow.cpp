#include "rule72t/rule72twindow.h"

#include "platform/qt/listcolours.h"
#include "platform/qt/numbercharacters.h"
#include "platform/qt/reportlistview.h"
#include "platform/qt/resultlook.h"
#include "rule72t/printout.h"
#include "rule72t/report.h"
#include "ui_rule72twindow.h"

#include <QAction>
#include <QFileDialog>
#include <QIconEngine>
#include <QImageReader>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>

#include <ctime>
#include <map>

namespace tw::rule72t {

namespace {

constexpr char kTitle[] = "Rule 72T Distributions";
// The toolbar strip of the suite: images side by side, this one the Rule 72T button's.
constexpr char kToolbarStrip[] = ":/icons/toolbar.svg";
constexpr int kStripImages = 25;
constexpr int kRule72tImage = 24;

// Draws the strip's image at the size asked for, in device pixels, so it is sharp at any
// scale; the suite's toolbar draws its buttons the same way.
class StripIconEngine : public QIconEngine
{
  public:
    QIconEngine* clone() const override { return new StripIconEngine; }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        painter->drawImage(rect, image(std::min(rect.width(), rect.height())));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override
    {
        QPixmap picture = QPixmap::fromImage(image(std::min(size.width(), size.height())));
        picture.setDevicePixelRatio(scale);
        return picture;
    }

  private:
    static QImage image(int side)
    {
        side = std::max(1, side);
        QImageReader reader(QString::fromLatin1(kToolbarStrip));
        reader.setScaledSize(QSize(kStripImages * side, side));
        return reader.read().copy(kRule72tImage * side, 0, side, side);
    }
};

// The suite's message boxes take the desktop's warning picture, else its own.
void WarningBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kTitle), text, QMessageBox::Ok,
                    parent);
    box.setTextFormat(Qt::PlainText);
    const QIcon picture = QIcon::hasThemeIcon(QStringLiteral("dialog-warning"))
                              ? QIcon::fromTheme(QStringLiteral("dialog-warning"))
                              : QIcon(QStringLiteral(":/icons/message-warning.svg"));
    const int side = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    box.setIconPixmap(picture.pixmap(QSize(side, side), box.devicePixelRatioF()));
    box.setAccessibleDescription(QStringLiteral("warning"));
    box.exec();
}

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

std::tm LocalNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}

} // namespace

QIcon Rule72tIcon()
{
    return QIcon(new StripIconEngine);
}

Rule72tWindow::Rule72tWindow(QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::Rule72tWindow>()),
      printers_([this](Window*) { return this; }, [] {}), warn_(WarningBox)
{
    ui_->setupUi(this);
    setWindowIcon(Rule72tIcon());
    for (QLineEdit* edit : {ui_->balance, ui_->rate, ui_->midTerm1, ui_->midTerm2, ui_->growth})
        MakeNumberField(*edit);
    for (QLineEdit* edit :
         {ui_->minimumFactor, ui_->minimumAnnual, ui_->minimumPerPayment, ui_->amortizationFactor,
          ui_->amortizationAnnual, ui_->amortizationPerPayment, ui_->annuitizationFactor,
          ui_->annuitizationAnnual, ui_->annuitizationPerPayment}) {
        // Results look as in the suite's forms; the amounts line up on the right.
        ShowAsResult(*edit);
        edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
    }
    ui_->table->setCurrentIndex(static_cast<int>(LifeTable::Single));
    ui_->growth->setText(QStringLiteral("0"));
    ui_->taxFree->hide();
    clearResults();

    createActions();
    connect(ui_->table, &QComboBox::currentIndexChanged, this, &Rule72tWindow::tableChanged);
    connect(ui_->calculate, &QPushButton::clicked, this, &Rule72tWindow::calculate);
    connect(ui_->close, &QPushButton::clicked, this, &QWidget::close);
    tableChanged();
    // Room for the projection's columns and ten years of it, in the desktop's font.
    const QFontMetrics metrics(font());
    resize(sizeHint().expandedTo(QSize(metrics.averageCharWidth() * 150, metrics.height() * 38)));
    ui_->balance->setFocus();
}

Rule72tWindow::~Rule72tWindow() = default;

void Rule72tWindow::setWarn(Warn warn)
{
    warn_ = std::move(warn);
}

void Rule72tWindow::setFileChooser(ChooseFile choose)
{
    chooseFile_ = std::move(choose);
}

void Rule72tWindow::createActions()
{
    struct Entry
    {
        const char* menu;
        const char* text;
        const char* tip;
        QList<QKeySequence> keys;
        std::function<void()> run;
        bool needsResults;
    };
    // Copy and CSV are in the list's own menu (right mouse button or the Menu key), as in
    // the suite's table windows.
    const Entry entries[] = {
        {"&File",
         "C&alculate",
         "Check the form and compute the three methods",
         {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
         [this] { calculate(); },
         false},
        {"&File",
         "&Print\u2026",
         "Print the results with a title page of the inputs",
         {QKeySequence::Print},
         [this] { print(); },
         true},
        {"&File",
         "Print Pre&view\u2026",
         "Show the printout as it will be printed",
         {},
         [this] { preview(); },
         true},
        {"&File",
         "Save as P&DF\u2026",
         "Save the printout as a PDF file",
         {},
         [this] { saveAsPdf(); },
         true},
        {"&File",
         "&Close",
         "Close the window",
         {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::Key_Escape)},
         [this] { close(); },
         false},
    };
    std::map<QString, QMenu*> menus;
    for (const Entry& entry : entries) {
        QMenu*& menu = menus[QString::fromUtf8(entry.menu)];
        if (menu == nullptr)
            menu = menuBar()->addMenu(QString::fromUtf8(entry.menu));
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setStatusTip(QString::fromUtf8(entry.tip));
        action->setShortcuts(entry.keys);
        connect(action, &QAction::triggered, this, entry.run);
        if (entry.needsResults)
            resultActions_.append(action);
    }
    statusBar();
}

void Rule72tWindow::tableChanged()
{
    const bool joint = ui_->table->currentIndex() == static_cast<int>(LifeTable::Joint);
    ui_->beneficiaryBorn->setEnabled(joint);
    ui_->beneficiaryBornLabel->setEnabled(joint);
}

InputTexts Rule72tWindow::texts() const
{
    static constexpr const char* kTables[] = {"uniform", "single", "joint"};
    InputTexts texts;
    texts.balance = ui_->balance->text().toStdString();
    texts.born = ui_->born->text().toStdString();
    texts.start = ui_->start->text().toStdString();
    texts.table = kTables[std::clamp(ui_->table->currentIndex(), 0, 2)];
    // A beneficiary typed before another table was chosen is kept, but not read.
    if (ui_->beneficiaryBorn->isEnabled())
        texts.beneficiaryBorn = ui_->beneficiaryBorn->text().toStdString();
    texts.rate = ui_->rate->text().toStdString();
    texts.midTerm = {ui_->midTerm1->text().toStdString(), ui_->midTerm2->text().toStdString()};
    texts.paymentsPerYear = ui_->perYear->currentText().toStdString();
    texts.growth = ui_->growth->text().toStdString();
    return texts;
}

QWidget* Rule72tWindow::fieldWidget(const Problem& problem) const
{
    switch (problem.field) {
    case Field::Balance:
        return ui_->balance;
    case Field::Born:
        return ui_->born;
    case Field::Start:
        return ui_->start;
    case Field::Table:
        return ui_->table;
    case Field::BeneficiaryBorn:
        return ui_->beneficiaryBorn;
    case Field::Rate:
        return ui_->rate;
    case Field::MidTerm:
        return problem.item == 0 ? ui_->midTerm1 : ui_->midTerm2;
    case Field::PaymentsPerYear:
        return ui_->perYear;
    case Field::Growth:
        break;
    }
    return ui_->growth;
}

bool Rule72tWindow::calculate()
{
    const auto read = ReadInput(texts());
    if (const auto* problem = std::get_if<Problem>(&read)) {
        clearResults();
        warn_(this, Text(problem->message));
        QWidget* field = fieldWidget(*problem);
        field->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->selectAll();
        return false;
    }
    clearResults();
    input_ = std::get<DistributionInput>(read);
    result_ = ComputeDistributions(*input_);
    showResults();
    return true;
}

void Rule72tWindow::clearResults()
{
    input_.reset();
    result_.reset();
    for (QLineEdit* edit : ui_->resultBox->findChildren<QLineEdit*>())
        edit->clear();
    ui_->mayChange->setText(QStringLiteral("Calculate to see the three methods."));
    ui_->taxFree->hide();
    makeList({});
    for (QAction* action : resultActions_)
        action->setEnabled(false);
}

void Rule72tWindow::showResults()
{
    const ReportTable methods = MethodTable(*result_, Amounts::Grouped);
    QLineEdit* const cells[3][3] = {
        {ui_->minimumFactor, ui_->minimumAnnual, ui_->minimumPerPayment},
        {ui_->amortizationFactor, ui_->amortizationAnnual, ui_->amortizationPerPayment},
        {ui_->annuitizationFactor, ui_->annuitizationAnnual, ui_->annuitizationPerPayment}};
    for (std::size_t m = 0; m < kMethods.size(); ++m) {
        for (std::size_t q = 0; q < 3; ++q) {
            // The row's cells after the method's name: factor, annual amount, per payment.
            const QString dollar = q == 0 ? QString() : QStringLiteral("$");
            cells[m][q]->setText(dollar + Text(methods.rows[m][q + 1]));
            cells[m][q]->setCursorPosition(0);
        }
    }
    ui_->mayChange->setText(Text(MayChangeLine(*result_)));
    ui_->taxFree->setText(QString::fromUtf8(kTaxFreeNote));
    ui_->taxFree->setVisible(result_->taxFree);
    // Plain amounts, as the suite's lists show them, so that a copy or an export reads as
    // numbers in a spreadsheet.
    makeList(ProjectionTable(*result_, Amounts::Plain).rows);
    for (QAction* action : resultActions_)
        action->setEnabled(true);
}

void Rule72tWindow::makeList(const std::vector<std::vector<std::string>>& rows)
{
    const ReportTable table = ProjectionTable({}, Amounts::Plain);
    std::vector<ListColumn> columns;
    for (const std::string& title : table.titles)
        columns.push_back({title, 0}); // as wide as the titles and the rows need
    ReportListView::Requests requests{
        [this] { preview(); },
        [this](const std::string& path) { savePdf(QString::fromStdString(path)); },
        [this](const QString& caption, const QString& suffix, const QString& filter) {
            return chooseFile(caption, suffix, filter);
        }};
    auto* list = new ReportListView(ui_->central, ListColoursFromPalette(palette(), false), columns,
                                    std::move(requests));
    list->setAccessibleName(QStringLiteral("Projection, year by year"));
    for (const auto& row : rows)
        list->addRow(row);
    if (list_ != nullptr) {
        const bool focused = list_->hasFocus();
        ui_->projectionPlace->replaceWidget(list_, list);
        delete list_;
        if (focused)
            list->setFocus();
    } else {
        ui_->projectionPlace->addWidget(list);
    }
    list_ = list;
    ui_->projectionLabel->setBuddy(list_);
    setTabOrder(ui_->close, list_);
}

QString Rule72tWindow::chooseFile(const QString& caption, const QString& suffix,
                                  const QString& filter)
{
    const QString suggested = QString::fromLatin1(kTitle) + suffix;
    if (chooseFile_)
        return chooseFile_(this, caption, suggested, filter);
    return QFileDialog::getSaveFileName(this, caption, suggested, filter);
}

void Rule72tWindow::print()
{
    if (!result_)
        return;
    bool failed = false;
    PrintWithDialog(printers_, MakePrintout(*input_, *result_, LocalNow()), failed);
    if (failed)
        warn_(this, QStringLiteral("The printer did not take the printout."));
}

void Rule72tWindow::preview()
{
    if (result_)
        Preview(printers_, MakePrintout(*input_, *result_, LocalNow()));
}

bool Rule72tWindow::savePdf(const QString& path)
{
    if (!result_)
        return false;
    if (SavePdf(printers_, MakePrintout(*input_, *result_, LocalNow()), path.toStdString()))
        return true;
    warn_(this, QStringLiteral("Cannot write the PDF file %1").arg(path));
    return false;
}

void Rule72tWindow::saveAsPdf()
{
    const QString path = chooseFile(QStringLiteral("Save as PDF"), QStringLiteral(".pdf"),
                                    QStringLiteral("PDF files (*.pdf)"));
    if (!path.isEmpty())
        savePdf(path);
}

bool Rule72tWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && IsShownAsResult(*watched)) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            PaintResult(*edit, event);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace tw::rule72t
