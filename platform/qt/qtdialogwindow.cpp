#include "platform/qt/qtdialogwindow.h"

#include "platform/choicelist.h"
#include "platform/qt/accessiblenames.h"
#include "platform/qt/fontfitting.h"
#include "platform/qt/numbercharacters.h"
#include "platform/qt/reportlistview.h"
#include "platform/qt/resultlook.h"
#include "platform/qt/spinarrows.h"
#include "platform/qtcore/utf8.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
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
constexpr char kNumericProperty[] = "numeric";
// A label showing an icon file ("image") at a side length in pixels ("imageSize").
constexpr char kImageProperty[] = "image";
constexpr char kImageSizeProperty[] = "imageSize";
constexpr char kWindowIcon[] = ":/icons/twplan2.svg";
// Room the window manager's title bar takes besides the title: the window's icon and its
// buttons, about one line height each, and the spaces between them.
constexpr int kTitleBarLines = 6;

QString WidgetText(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return GivenText(*button);
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (const auto* choices = qobject_cast<const QComboBox*>(widget))
        return choices->currentText();
    return {};
}

// Chooses the item of a choice list that the text chooses (platform/choicelist.h); any other
// text leaves the choice as it is.
void Choose(QComboBox& choices, std::string_view text)
{
    std::vector<std::string> items;
    for (int i = 0; i < choices.count(); ++i)
        items.push_back(choices.itemText(i).toStdString());
    if (const std::optional<std::size_t> item = FindChoice(items, text))
        choices.setCurrentIndex(static_cast<int>(*item));
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

// Selects the whole text with the cursor at its start, so that a field too narrow for a text
// padded by its format shows the figures rather than the trailing blanks.
void SelectWhole(QLineEdit& edit)
{
    const int length = static_cast<int>(edit.text().size());
    edit.setSelection(length, -length);
}

bool BoolProperty(const QObject* object, const char* name)
{
    const QVariant value = object->property(name);
    return value.isValid() && value.toBool();
}

void ShowImage(QLabel& label)
{
    const QString file = label.property(kImageProperty).toString();
    const int side = label.property(kImageSizeProperty).toInt();
    if (file.isEmpty() || side <= 0 || !QFile::exists(file))
        return;
    // Drawn for the screen's pixel density, so it stays sharp at any scale.
    label.setPixmap(QIcon(file).pixmap(QSize(side, side), label.devicePixelRatioF()));
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
        if (auto* label = qobject_cast<QLabel*>(widget))
            ShowImage(*label);
        const QVariant property = widget->property(kControlIdProperty);
        bool isNumber = false;
        const int id = property.toInt(&isNumber);
        if (!property.isValid() || !isNumber || controls_.count(id) != 0)
            continue;
        controls_[id] = widget;
        widget->installEventFilter(this);
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            connect(button, &QAbstractButton::clicked, this, [this, id] { form_.command(id); });
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            adoptField(*edit);
    }
    chooseDefaultButton();
    WidenFixedLabels(*this);
    KeepButtonTextsWhole(*this);
    NameControls(*this);
    applyFrame();
    if (QFile::exists(kWindowIcon))
        setWindowIcon(QIcon(kWindowIcon));
}

void QtDialogWindow::adoptField(QLineEdit& edit)
{
    if (edit.isReadOnly())
        ShowAsResult(edit);
    else if (BoolProperty(&edit, kNumericProperty))
        MakeNumberField(edit);
}

void QtDialogWindow::chooseDefaultButton()
{
    // The form's default button when the dialog has it, else the one the resource marks.
    const int named = form_.defaultButton();
    QPushButton* chosen = qobject_cast<QPushButton*>(control(named));
    enterCommand_ = named;
    if (!chosen) {
        for (const auto& [id, widget] : controls_) {
            auto* button = qobject_cast<QPushButton*>(widget.data());
            if (button && button->isDefault()) {
                chosen = button;
                enterCommand_ = id;
                break;
            }
        }
    }
    // Enter belongs to the form, so no button may take it for itself when it has the focus;
    // only the button Enter presses looks like the default.
    for (QPushButton* button : findChildren<QPushButton*>()) {
        button->setAutoDefault(false);
        button->setDefault(button == chosen);
    }
}

void QtDialogWindow::focusFirstField()
{
    // The first field in the Tab chain that the user can type into.
    for (QWidget* widget = nextInFocusChain(); widget && widget != this;
         widget = widget->nextInFocusChain()) {
        auto* edit = qobject_cast<QLineEdit*>(widget);
        if (edit && !edit->isReadOnly() && edit->isEnabled() && edit->isVisibleTo(this) &&
            (edit->focusPolicy() & Qt::TabFocus)) {
            edit->setFocus(Qt::TabFocusReason);
            SelectWhole(*edit);
            return;
        }
    }
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
    if (!resizable) {
        // The resource's size, unless the desktop's font needs more for every label and field
        // whole or for the window manager to show the whole title.
        const QFontMetrics metrics(font());
        const int titled =
            metrics.horizontalAdvance(windowTitle()) + kTitleBarLines * metrics.height();
        QSize fixed = size().expandedTo(QSize(titled, 0));
        if (const QLayout* laidOut = layout()) {
            // The layout's preferred size, not its minimum: squeezed to its minimum a field
            // is a few characters wide and cuts the numbers it shows.
            fixed = fixed.expandedTo(laidOut->totalSizeHint());
            if (laidOut->hasHeightForWidth())
                fixed.setHeight(
                    std::max(fixed.height(), laidOut->totalHeightForWidth(fixed.width())));
        }
        setFixedSize(fixed);
    }
}

QWidget* QtDialogWindow::control(int id) const
{
    if (QTreeView* view = list(id))
        return view;
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.data();
}

ReportListView* QtDialogWindow::list(int id) const
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
    ReportListView* view = list(id);
    return view != nullptr ? view->createMenu() : nullptr;
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
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(FromUtf8(text));
        edit->setCursorPosition(0); // the start of the text in view, as the figures are there
    } else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(FromUtf8(text));
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(FromUtf8(text));
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        group->setTitle(FromUtf8(text));
    else if (auto* choices = qobject_cast<QComboBox*>(widget))
        Choose(*choices, text);
}

void QtDialogWindow::setReadOnly(int id, bool readOnly)
{
    auto* edit = qobject_cast<QLineEdit*>(control(id));
    if (!edit || edit->isReadOnly() == readOnly)
        return;
    edit->setReadOnly(readOnly);
    // A number field keeps the validator it was given when the dialog was built.
    if (readOnly)
        ShowAsResult(*edit);
    else
        ShowAsInput(*edit);
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
    focusChosen_ = true;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        SelectWhole(*edit);
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

Size QtDialogWindow::clientSize() const
{
    return {width(), height()};
}

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
    ReportListView::Requests requests{
        [this] { form_.previewRequested(); },
        [this](const std::string& path) { form_.savePdfRequested(path); },
        [this](const QString& caption, const QString& suffix, const QString& filter) {
            return chooseFile(caption, suffix, filter);
        }};
    auto* view = new ReportListView(this, colours_, columns, std::move(requests));
    view->setGeometry(where.x, where.y, where.width, where.height);
    view->hide();
    lists_[id] = view;
}

void QtDialogWindow::addListRow(int id, const std::vector<std::string>& cells)
{
    if (ReportListView* view = list(id))
        view->addRow(cells);
}

Size QtDialogWindow::fittedSize(int id, Size least) const
{
    QSize fitted(least.width, least.height);
    if (const ReportListView* view = list(id)) {
        fitted = view->fittedSize(fitted);
    } else if (const auto* button = qobject_cast<const QPushButton*>(control(id))) {
        // The label with room about it: a line height to either side, a third of one above
        // and below, which the 60 by 20 of the compact layout holds at the common 9 to 10
        // points.
        const QFontMetrics metrics(button->font());
        fitted = fitted.expandedTo(
            QSize(metrics.horizontalAdvance(GivenText(*button)) + 2 * metrics.height(),
                  metrics.height() + 2 * (metrics.height() / 6)));
    } else if (const QWidget* widget = control(id)) {
        fitted = fitted.expandedTo(widget->sizeHint());
    }
    return {fitted.width(), fitted.height()};
}

void QtDialogWindow::setMinimumClientSize(Size least)
{
    if (BoolProperty(this, kResizableProperty))
        setMinimumSize(std::max(least.width, 0), std::max(least.height, 0));
}

void QtDialogWindow::attachSpin(int buddyId, int upper, int lower, int position)
{
    const auto found = controls_.find(buddyId);
    if (found == controls_.end() || !found->second)
        return;
    delete spin(buddyId);
    spins_[buddyId] =
        new SpinArrows(found->second, upper, lower, position,
                       [this, buddyId](int moved) { form_.spinMoved(buddyId, moved); });
}

bool QtDialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && IsShownAsResult(*watched)) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            PaintResult(*edit, event);
            return true;
        }
    }
    // Focus that goes to another window or to a context menu comes back to the same field;
    // only moving to another control of this dialog counts as leaving the field. (The form's
    // own message boxes would otherwise report the field they interrupt as left.)
    //
    // A control counts as left only if it really had the focus: when the form moves the focus
    // back from inside its focusLost, Qt takes it from a control that never received it.
    if (event->type() == QEvent::FocusIn) {
        focused_ = watched;
        // Tab selects a field's whole text as it enters; the cursor then goes to its start.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (edit && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason)) {
            QPointer<QLineEdit> entered(edit);
            QMetaObject::invokeMethod(
                this,
                [entered] {
                    if (entered && entered->hasFocus() &&
                        entered->selectedText() == entered->text())
                        SelectWhole(*entered);
                },
                Qt::QueuedConnection);
        }
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
            form_.command(enterCommand_);
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
    if (!shownBefore_) {
        shownBefore_ = true;
        if (!focusChosen_)
            focusFirstField();
    }
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
