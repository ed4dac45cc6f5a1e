#include "platform/qt/qtdialogwindow.h"

#include "platform/qt/bandedrowdelegate.h"
#include "platform/qt/listrowsmodel.h"
#include "platform/qt/spinarrows.h"
#include "print/tableexport.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace tw {

namespace {

constexpr char kControlIdProperty[] = "controlId";
constexpr char kCloseBoxProperty[] = "closeBox";
constexpr char kResizableProperty[] = "resizable";
constexpr char kWindowIcon[] = ":/icons/twplan2.svg";

QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString WidgetText(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return {};
}

// At most maxChars − 1 characters, counted as code points so that a character outside the
// basic plane is never cut in half.
std::string Truncated(const QString& text, int maxChars)
{
    if (maxChars <= 1)
        return {};
    const auto limit = static_cast<qsizetype>(maxChars - 1);
    qsizetype units = 0;
    qsizetype characters = 0;
    while (units < text.size() && characters < limit) {
        units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
        ++characters;
    }
    return text.left(units).toStdString();
}

bool BoolProperty(const QObject* object, const char* name)
{
    const QVariant value = object->property(name);
    return value.isValid() && value.toBool();
}

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

QString Suggested(const QWidget& window, const QString& suffix)
{
    const QString title = window.windowTitle();
    return (title.isEmpty() ? QStringLiteral("table") : title) + suffix;
}

} // namespace

QtDialogWindow::QtDialogWindow(Form& form, ListColours colours, QWidget* parent)
    : QDialog(parent), form_(form), colours_(std::move(colours))
{
    // Only the main window ends the program; a tool window closing must not.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void QtDialogWindow::adoptControls()
{
    for (QWidget* widget : findChildren<QWidget*>()) {
        const QVariant property = widget->property(kControlIdProperty);
        bool isNumber = false;
        const int id = property.toInt(&isNumber);
        if (!property.isValid() || !isNumber || controls_.count(id) != 0)
            continue;
        controls_[id] = widget;
        widget->installEventFilter(this);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            connect(button, &QAbstractButton::clicked, this, [this, id] { form_.command(id); });
    }
    // Enter belongs to the form (its default button), so no button may take it for itself.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    applyFrame();
    if (QFile::exists(kWindowIcon))
        setWindowIcon(QIcon(kWindowIcon));
}

void QtDialogWindow::applyFrame()
{
    const bool closeBox = BoolProperty(this, kCloseBoxProperty);
    const bool resizable = BoolProperty(this, kResizableProperty);

    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeBox)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (resizable)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
    setWindowFlags(flags);

    // The client size the form sees when it opens must be the size it will have on screen,
    // so the layout settles it now rather than when the dialog is shown.
    if (layout())
        layout()->activate();
    if (!resizable)
        setFixedSize(size());
}

QWidget* QtDialogWindow::control(int id) const
{
    if (QTreeView* view = list(id))
        return view;
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.data();
}

QTreeView* QtDialogWindow::list(int id) const
{
    const auto found = lists_.find(id);
    return found == lists_.end() ? nullptr : found->second.data();
}

void QtDialogWindow::setFileChooser(FileChooser chooser)
{
    chooseFile_ = std::move(chooser);
}

QString QtDialogWindow::chooseFile(const QString& caption, const QString& suffix,
                                   const QString& filter)
{
    const QString suggested = Suggested(*this, suffix);
    if (chooseFile_)
        return chooseFile_(this, caption, suggested, filter);
    return QFileDialog::getSaveFileName(this, caption, suggested, filter);
}

QMenu* QtDialogWindow::createListMenu(int id)
{
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("Print Preview\u2026"), this,
                    [this] { form_.previewRequested(); });
    menu->addAction(QStringLiteral("Save as PDF\u2026"), this, [this] {
        const QString path = chooseFile(QStringLiteral("Save as PDF"), QStringLiteral(".pdf"),
                                        QStringLiteral("PDF files (*.pdf)"));
        if (!path.isEmpty())
            form_.savePdfRequested(path.toStdString());
    });
    menu->addSeparator();
    menu->addAction(QStringLiteral("Copy"), this, [this, id] { copyListRows(id); });
    menu->addAction(QStringLiteral("Export CSV\u2026"), this, [this, id] { exportListCsv(id); });
    return menu;
}

void QtDialogWindow::copyListRows(int id)
{
    const QTreeView* view = list(id);
    if (!view)
        return;
    const QAbstractItemModel& model = *view->model();
    std::vector<int> rows;
    for (const QModelIndex& index : view->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty()) {
        for (int row = 0; row < model.rowCount(); ++row)
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    std::vector<std::vector<std::string>> cells;
    for (const int row : rows)
        cells.push_back(ListRow(model, row));
    const std::vector<std::string> titles = ListTitles(model);

    auto* data = new QMimeData;
    data->setText(QString::fromStdString(TabText(titles, cells)));
    data->setHtml(QString::fromStdString(HtmlTableText(titles, cells)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void QtDialogWindow::exportListCsv(int id)
{
    const QTreeView* view = list(id);
    if (!view)
        return;
    const QString path = chooseFile(QStringLiteral("Export CSV"), QStringLiteral(".csv"),
                                    QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    const QAbstractItemModel& model = *view->model();
    std::vector<std::vector<std::string>> cells;
    for (int row = 0; row < model.rowCount(); ++row)
        cells.push_back(ListRow(model, row));
    const std::string text = CsvText(ListTitles(model), cells);

    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         file.flush();
    if (!written)
        QMessageBox::warning(this, QStringLiteral("Export CSV"),
                             QStringLiteral("Cannot write the file %1").arg(path));
}

SpinArrows* QtDialogWindow::spin(int buddyId) const
{
    const auto found = spins_.find(buddyId);
    return found == spins_.end() ? nullptr : found->second.data();
}

std::string QtDialogWindow::text(int id, int maxChars) const
{
    const QWidget* widget = control(id);
    return widget ? Truncated(WidgetText(widget), maxChars) : std::string();
}

void QtDialogWindow::setText(int id, std::string_view text)
{
    QWidget* widget = control(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(FromUtf8(text));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(FromUtf8(text));
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(FromUtf8(text));
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(FromUtf8(text));
}

void QtDialogWindow::setEnabled(int id, bool enabled)
{
    if (QWidget* widget = control(id))
        widget->setEnabled(enabled);
}

bool QtDialogWindow::isChecked(int id) const
{
    const auto* button = qobject_cast<const QAbstractButton*>(control(id));
    return button && button->isCheckable() && button->isChecked();
}

void QtDialogWindow::setChecked(int id, bool checked)
{
    auto* button = qobject_cast<QAbstractButton*>(control(id));
    if (!button || !button->isCheckable())
        return;
    // Qt refuses to clear the checked button of an exclusive group; the form may clear it.
    const bool exclusive = button->autoExclusive();
    if (!checked && exclusive)
        button->setAutoExclusive(false);
    button->setChecked(checked);
    if (!checked && exclusive)
        button->setAutoExclusive(true);
}

void QtDialogWindow::focusAndSelect(int id)
{
    QWidget* widget = control(id);
    if (!widget)
        return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
}

void QtDialogWindow::end(int result)
{
    if (ended_)
        return;
    ended_ = true;
    endResult_ = result;
    hide();
    if (loop_)
        loop_->exit(0);
}

void QtDialogWindow::bringToFront()
{
    if (ended_ || !isVisible())
        return;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

Size QtDialogWindow::clientSize() const { return {width(), height()}; }

void QtDialogWindow::moveControl(int id, Rect where)
{
    if (QWidget* widget = control(id))
        widget->setGeometry(where.x, where.y, where.width, where.height);
}

void QtDialogWindow::showControl(int id, bool shown)
{
    if (QWidget* widget = control(id))
        widget->setVisible(shown);
}

void QtDialogWindow::createList(int id, Rect where, const std::vector<ListColumn>& columns)
{
    delete list(id);
    lists_.erase(id);

    QStringList titles;
    for (const ListColumn& column : columns)
        titles.append(QString::fromStdString(column.title));

    auto* view = new QTreeView(this);
    view->setModel(new ListRowsModel(titles, view));
    view->setItemDelegate(new BandedRowDelegate(colours_, view));
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setIndentation(0);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // Below the last row the list shows the colour of its even rows, whatever the theme.
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, Qt::white);
    view->setPalette(palette);
    // The column widths are fixed fractions of the window's width, measured for the compact
    // dialog font of a small window; a slightly smaller font keeps titles and figures whole.
    QFont font = view->font();
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * 0.85);
        view->setFont(font);
    }

    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int column = 0; column < static_cast<int>(columns.size()); ++column)
        header->resizeSection(column, columns[static_cast<std::size_t>(column)].width);

    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, [this, id, view](QPoint at) {
        const std::unique_ptr<QMenu> menu(createListMenu(id));
        menu->exec(view->viewport()->mapToGlobal(at));
    });

    view->setGeometry(where.x, where.y, where.width, where.height);
    view->hide();
    lists_[id] = view;
}

void QtDialogWindow::addListRow(int id, const std::vector<std::string>& cells)
{
    QTreeView* view = list(id);
    if (!view)
        return;
    QStringList row;
    for (const std::string& cell : cells)
        row.append(QString::fromStdString(cell));
    static_cast<ListRowsModel*>(view->model())->addRow(std::move(row));
}

void QtDialogWindow::attachSpin(int buddyId, int upper, int lower, int position)
{
    const auto found = controls_.find(buddyId);
    if (found == controls_.end() || !found->second)
        return;
    delete spin(buddyId);
    spins_[buddyId] = new SpinArrows(found->second, upper, lower, position,
                                     [this, buddyId](int moved) {
                                         form_.spinMoved(buddyId, moved);
                                     });
}

bool QtDialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Focus that goes to another window or to a context menu comes back to the same field;
    // only moving to another control of this dialog counts as leaving the field. (The form's
    // own message boxes would otherwise report the field they interrupt as left.)
    //
    // A control counts as left only if it really had the focus: when the form moves the focus
    // back from inside its focusLost, Qt takes it from a control that never received it.
    if (event->type() == QEvent::FocusIn) {
        focused_ = watched;
    } else if (event->type() == QEvent::FocusOut && watched == focused_) {
        focused_ = nullptr;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (const auto& [id, widget] : controls_) {
                if (widget == watched) {
                    form_.focusLost(id);
                    break;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QtDialogWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        form_.command(kEscapeCommand);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
            button->click();
        else
            form_.command(form_.defaultButton());
        break;
    default: {
        // Keys meant for a control reach the dialog only when the control passes them on;
        // those are not a press on the dialog's own surface.
        const QWidget* focused = focusWidget();
        if (!focused || focused == this)
            form_.surfaceClicked();
        QWidget::keyPressEvent(event);
        return;
    }
    }
    event->accept();
}

void QtDialogWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        form_.surfaceClicked();
    event->accept();
}

void QtDialogWindow::closeEvent(QCloseEvent* event)
{
    if (ended_) {
        event->accept();
        return;
    }
    event->ignore();
    form_.closeRequested();
}

void QtDialogWindow::showEvent(QShowEvent* event)
{
    // Showing places the dialog (centred on its owner or the screen); that is not the user
    // moving it.
    showing_ = true;
    QDialog::showEvent(event);
    showing_ = false;
}

void QtDialogWindow::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    if (isVisible() && !showing_ && !ended_)
        form_.moved();
}

void QtDialogWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (isVisible() && !ended_)
        form_.resized(clientSize());
}

} // namespace tw
