#pragma once
#include "platform/form.h"
#include "platform/qt/listcolours.h"
#include "platform/window.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <map>

class QEventLoop;
class QLineEdit;
class QMenu;

namespace tw {

class ReportListView;
class SpinArrows;

// A form's dialog on the desktop: the controls come from the dialog resource, found by their
// "controlId" property, and everything the user does is reported to the form. The dialog
// never closes itself: Escape, the close box and Enter become notices to the form, and only
// end() hides it.
//
// What makes it behave as a desktop dialog is decided here from what the resource declares:
// it opens with the focus on its first field and the field's text selected (unless the form
// puts the focus elsewhere); a field marked "numeric" refuses characters that can never be
// part of a number; a read-only field is a result, drawn on the window's colour, out of the
// Tab chain but selectable and copyable; Enter presses the form's default button, or, when the
// form names none that the dialog has, the button the resource marks as default, and that
// button is drawn as the default; a button's shortcut (F1 on Help) presses it.
class QtDialogWindow : public QDialog, public Window
{
    Q_OBJECT

  public:
    QtDialogWindow(Form& form, ListColours colours, QWidget* parent = nullptr);

    // Takes the controls and the frame from what the resource built (its setupUi); called
    // once, before the form is opened.
    void adoptControls();

    // The loop that runs the dialog; end() leaves it.
    void setModalLoop(QEventLoop* loop) { loop_ = loop; }
    bool hasEnded() const { return ended_; }
    int endResult() const { return endResult_; }

    // The control or list with that id, or null.
    QWidget* control(int id) const;
    SpinArrows* spin(int buddyId) const;

    // Asks where a file is to be saved; an empty answer gives up. The desktop's file dialog
    // unless a test says otherwise.
    using FileChooser = std::function<QString(QWidget* parent, const QString& caption,
                                              const QString& suggested, const QString& filter)>;
    void setFileChooser(FileChooser chooser);
    // The context menu of list id (see ReportListView), or null; the caller owns it.
    QMenu* createListMenu(int id);

    std::string text(int id, int maxChars) const override;
    void setText(int id, std::string_view text) override;
    void setEnabled(int id, bool enabled) override;
    void setReadOnly(int id, bool readOnly) override;
    bool isChecked(int id) const override;
    void setChecked(int id, bool checked) override;
    void focusAndSelect(int id) override;
    void end(int result) override;
    void bringToFront() override;
    Size clientSize() const override;
    void moveControl(int id, Rect where) override;
    void showControl(int id, bool shown) override;
    void createList(int id, Rect where, const std::vector<ListColumn>& columns) override;
    void addListRow(int id, const std::vector<std::string>& cells) override;
    void attachSpin(int buddyId, int upper, int lower, int position) override;
    Size fittedSize(int id, Size least) const override;
    void setMinimumClientSize(Size least) override;

    // The id Enter sends.
    int enterCommand() const { return enterCommand_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void adoptField(QLineEdit& edit);
    void chooseDefaultButton();
    void focusFirstField();
    void applyFrame();
    ReportListView* list(int id) const;
    QString chooseFile(const QString& caption, const QString& suffix, const QString& filter);

    Form& form_;
    ListColours colours_;
    std::map<int, QPointer<QWidget>> controls_;
    std::map<int, QPointer<ReportListView>> lists_;
    std::map<int, QPointer<SpinArrows>> spins_;
    FileChooser chooseFile_;
    const QObject* focused_ = nullptr; // the control that last received the focus
    QEventLoop* loop_ = nullptr;
    int enterCommand_ = kEnterCommand;
    bool focusChosen_ = false; // the form has put the focus somewhere
    bool shownBefore_ = false;
    bool showing_ = false;
    bool ended_ = false;
    int endResult_ = 0;
};

} // namespace tw
