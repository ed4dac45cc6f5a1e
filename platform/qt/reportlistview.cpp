#include "platform/qt/reportlistview.h"

#include "platform/qt/bandedrowdelegate.h"
#include "platform/qt/listrowsmodel.h"
#include "platform/tableexport.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>

#include <algorithm>
#include <memory>

namespace tw {

namespace {

// A list stays usable with its header and this many rows in view.
constexpr int kListRowsShown = 3;

std::vector<std::string> ListTitles(const QAbstractItemModel& model)
{
    std::vector<std::string> titles;
    for (int column = 0; column < model.columnCount(); ++column)
        titles.push_back(model.headerData(column, Qt::Horizontal).toString().toStdString());
    return titles;
}

std::vector<std::string> ListRow(const QAbstractItemModel& model, int row)
{
    std::vector<std::string> cells;
    for (int column = 0; column < model.columnCount(); ++column)
        cells.push_back(model.data(model.index(row, column)).toString().toStdString());
    return cells;
}

} // namespace

ReportListView::ReportListView(QWidget* parent, const ListColours& colours,
                               const std::vector<ListColumn>& columns, Requests requests)
    : QTreeView(parent), requests_(std::move(requests))
{
    QStringList titles;
    for (const ListColumn& column : columns)
        titles.append(QString::fromStdString(column.title));

    setModel(new ListRowsModel(titles, this));
    setItemDelegate(new BandedRowDelegate(colours, this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(0);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);

    // The form's widths stand unless the font needs more for a title; the rows widen them
    // further as they come. A title cut by the user's dragging is elided and shown whole in a
    // tooltip.
    QHeaderView* titlesRow = header();
    titlesRow->setStretchLastSection(false);
    titlesRow->setSectionsMovable(false);
    titlesRow->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    titlesRow->setTextElideMode(Qt::ElideRight);
    titlesRow->viewport()->installEventFilter(this);
    for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
        const int wanted = columns[static_cast<std::size_t>(column)].width;
        titlesRow->resizeSection(column, std::max(wanted, titlesRow->sectionSizeHint(column)));
    }

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        const std::unique_ptr<QMenu> menu(createMenu());
        menu->exec(viewport()->mapToGlobal(at));
    });
    freezeFirstColumn();
}

// A second view over the same rows, selection and delegate that shows the first column only,
// laid over the first column's place; it scrolls up and down with the list and never sideways.
// The list's own column widths stay as the form gave them.
void ReportListView::freezeFirstColumn()
{
    frozen_ = new QTreeView(this);
    frozen_->setObjectName(QStringLiteral("frozenColumn"));
    frozen_->setModel(model());
    frozen_->setSelectionModel(selectionModel());
    frozen_->setItemDelegate(itemDelegate());
    frozen_->setRootIsDecorated(false);
    frozen_->setItemsExpandable(false);
    frozen_->setIndentation(0);
    frozen_->setUniformRowHeights(true);
    frozen_->setAllColumnsShowFocus(true);
    frozen_->setSelectionMode(selectionMode());
    frozen_->setSelectionBehavior(QAbstractItemView::SelectRows);
    frozen_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->setFrameStyle(QFrame::NoFrame);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setContextMenuPolicy(Qt::NoContextMenu);
    // Screen readers read the list itself; this copy of its first column is only drawn.
    frozen_->setAccessibleName(QStringLiteral("Row labels"));
    QHeaderView& titles = *frozen_->header();
    titles.setStretchLastSection(false);
    titles.setSectionsMovable(false);
    titles.setSectionResizeMode(QHeaderView::Fixed);
    titles.setDefaultAlignment(header()->defaultAlignment());
    for (int column = 1; column < model()->columnCount(); ++column)
        frozen_->setColumnHidden(column, true);

    connect(header(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
        if (section == 0) {
            frozen_->header()->resizeSection(0, size);
            placeFrozenColumn();
        }
    });
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    frozen_->header()->resizeSection(0, header()->sectionSize(0));
    placeFrozenColumn();
}

void ReportListView::placeFrozenColumn()
{
    if (frozen_ == nullptr)
        return;
    // Only once the list scrolls sideways does the first column need holding in place.
    frozen_->setVisible(horizontalScrollBar()->value() > 0);
    frozen_->setGeometry(frameWidth(), frameWidth(), header()->sectionSize(0),
                         viewport()->height() + header()->height());
}

void ReportListView::resizeEvent(QResizeEvent* event)
{
    QTreeView::resizeEvent(event);
    placeFrozenColumn();
}

void ReportListView::scrollContentsBy(int dx, int dy)
{
    QTreeView::scrollContentsBy(dx, dy);
    placeFrozenColumn();
}

void ReportListView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copyRows();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ReportListView::addRow(const std::vector<std::string>& cells)
{
    QStringList row;
    for (const std::string& cell : cells)
        row.append(QString::fromStdString(cell));
    widenColumns(row);
    static_cast<ListRowsModel*>(model())->addRow(std::move(row));
}

void ReportListView::widenColumns(const QStringList& cells)
{
    QHeaderView& titlesRow = *header();
    const QFontMetrics metrics(font());
    const int columns = std::min(static_cast<int>(cells.size()), titlesRow.count());
    for (int column = 0; column < columns; ++column) {
        const int needed = CellWidthFor(metrics, cells[column], column);
        if (titlesRow.sectionSize(column) < needed)
            titlesRow.resizeSection(column, needed);
    }
}

QSize ReportListView::fittedSize(QSize least) const
{
    const QHeaderView& titlesRow = *header();
    const int rowHeight = std::max(sizeHintForRow(0), QFontMetrics(font()).height());
    const int frame = 2 * frameWidth();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const int firstColumns =
        titlesRow.sectionSize(0) + (titlesRow.count() > 1 ? titlesRow.sectionSize(1) : 0);
    return least.expandedTo(
        QSize(firstColumns + scrollBar + frame,
              titlesRow.sizeHint().height() + kListRowsShown * rowHeight + scrollBar + frame));
}

QMenu* ReportListView::createMenu()
{
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("Print Preview\u2026"), this, [this] { requests_.preview(); });
    menu->addAction(QStringLiteral("Save as PDF\u2026"), this, [this] {
        const QString path =
            requests_.chooseFile(QStringLiteral("Save as PDF"), QStringLiteral(".pdf"),
                                 QStringLiteral("PDF files (*.pdf)"));
        if (!path.isEmpty())
            requests_.savePdf(path.toStdString());
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Copy"), this, [this] { copyRows(); });
    menu->addAction(QStringLiteral("Export CSV\u2026"), this, [this] { exportCsv(); });
    return menu;
}

void ReportListView::copyRows()
{
    const QAbstractItemModel& rowsModel = *model();
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    // One row is selected as soon as the list is clicked: copying it alone is rarely meant.
    if (rows.size() <= 1) {
        rows.clear();
        for (int row = 0; row < rowsModel.rowCount(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    std::vector<std::vector<std::string>> cells;
    for (const int row : rows)
        cells.push_back(ListRow(rowsModel, row));
    const std::vector<std::string> titles = ListTitles(rowsModel);

    auto* data = new QMimeData;
    data->setText(QString::fromStdString(TabText(titles, cells)));
    data->setHtml(QString::fromStdString(HtmlTableText(titles, cells)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void ReportListView::exportCsv()
{
    const QString path = requests_.chooseFile(QStringLiteral("Export CSV"), QStringLiteral(".csv"),
                                              QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    const QAbstractItemModel& rowsModel = *model();
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < rowsModel.rowCount(); ++row)
        cells.push_back(ListRow(rowsModel, row));
    const std::string file = path.toStdString();
    const QString title = QString::fromUtf8(kExportCsvTitle.data(), kExportCsvTitle.size());
    if (!WriteCsvFile(file, ListTitles(rowsModel), cells)) {
        QMessageBox::warning(window(), title, QString::fromStdString(CsvFailedMessage(file)));
        return;
    }
    // Where the file went, in a box that does not hold up the window: a notice, not a question.
    auto* written =
        new QMessageBox(QMessageBox::Information, title,
                        QString::fromStdString(CsvWrittenMessage(file)), QMessageBox::Ok, window());
    written->setAttribute(Qt::WA_DeleteOnClose);
    written->open();
}

bool ReportListView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip || watched != header()->viewport())
        return QTreeView::eventFilter(watched, event);
    QHeaderView& titlesRow = *header();
    const auto* help = static_cast<QHelpEvent*>(event);
    const int section = titlesRow.logicalIndexAt(help->pos());
    const QString title =
        section < 0 ? QString() : titlesRow.model()->headerData(section, Qt::Horizontal).toString();
    if (!title.isEmpty() && titlesRow.sectionSize(section) < titlesRow.sectionSizeHint(section))
        QToolTip::showText(help->globalPos(), title, &titlesRow);
    else
        QToolTip::hideText();
    return true;
}

} // namespace tw
