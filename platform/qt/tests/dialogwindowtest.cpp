#include "platform/qt/dialogfactory.h"
#include "platform/qt/listcolours.h"
#include "platform/qt/numbercharacters.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/tests/recordingform.h"
#include "ui_testform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace tw {
namespace {

class DialogWindow : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Ui::testform().setupUi(&window);
        window.adoptControls();
    }

    void showActive()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    template <typename T> T* widget(int id) const
    {
        T* found = qobject_cast<T*>(window.control(id));
        EXPECT_NE(found, nullptr) << "control " << id;
        return found;
    }

    // Events since the last call, so that each step checks only what it caused.
    std::vector<std::string> take()
    {
        std::vector<std::string> events;
        events.swap(form.events);
        return events;
    }

    RecordingForm form{"testform", 110};
    QtDialogWindow window{form, ListColoursFromPalette(QApplication::palette(), false)};
};

using Events = std::vector<std::string>;

TEST(DialogResources, HoldTheAboutBoxWithItsOkButton)
{
    EXPECT_TRUE(HasDialogResource("about"));
    EXPECT_FALSE(HasDialogResource("nosuchdialog"));
    const std::vector<std::string> names = DialogResourceNames();
    EXPECT_NE(std::find(names.begin(), names.end(), "about"), names.end());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));

    RecordingForm form("about");
    QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
    ASSERT_TRUE(BuildDialogResource("about", window));
    window.adoptControls();
    EXPECT_NE(qobject_cast<QPushButton*>(window.control(101)), nullptr);
    EXPECT_EQ(window.text(101, 10), "OK");
    EXPECT_EQ(window.windowTitle(), " About the Tarrow Financial Tool Set");
    // No close box and a fixed size.
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(BuildDialogResource("nosuchdialog", window));
}

TEST(DialogResources, EveryOneBuildsWithDistinctControlIds)
{
    for (const std::string& name : DialogResourceNames()) {
        SCOPED_TRACE(name);
        RecordingForm form(name);
        QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
        ASSERT_TRUE(BuildDialogResource(name, window));
        window.adoptControls();
        EXPECT_EQ(window.objectName().toStdString(), name);
        std::map<int, std::string> seen;
        for (const QWidget* widget : window.findChildren<QWidget*>()) {
            bool isNumber = false;
            const int id = widget->property("controlId").toInt(&isNumber);
            if (!isNumber)
                continue;
            const std::string objectName = widget->objectName().toStdString();
            const auto [where, added] = seen.emplace(id, objectName);
            EXPECT_TRUE(added) << "id " << id << " on " << where->second << " and " << objectName;
            EXPECT_EQ(window.control(id), widget);
        }
        EXPECT_FALSE(seen.empty());
    }
}

TEST_F(DialogWindow, FindsControlsByTheirIdAndReadsTheirTexts)
{
    EXPECT_EQ(window.text(102, 100), "initial");
    EXPECT_EQ(window.text(105, 100), "Amount");
    EXPECT_EQ(window.text(1, 100), "OK");
    EXPECT_EQ(window.text(120, 100), "Taxes");
    EXPECT_EQ(window.text(999, 100), "");

    window.setText(104, "1,234.50");
    window.setText(105, "Price");
    window.setText(110, "Again");
    window.setText(999, "ignored");
    EXPECT_EQ(widget<QLineEdit>(104)->text(), "1,234.50");
    EXPECT_EQ(widget<QLabel>(105)->text(), "Price");
    EXPECT_EQ(widget<QPushButton>(110)->text(), "Again");
}

TEST_F(DialogWindow, GivesAtMostMaxCharsMinusOneCharacters)
{
    const struct
    {
        const char* text;
        int maxChars;
        const char* expected;
    } cases[] = {
        {"123456789012", 10, "123456789"},
        {"12345", 10, "12345"},
        {"abc", 1, ""},
        {"abc", 0, ""},
        {"abc", -4, ""},
        {"\xC3\xA4\xC3\xB6\xC3\xBC", 3, "\xC3\xA4\xC3\xB6"}, // äöü: characters, not bytes
        {"a\xF0\x9D\x84\x9E"
         "b",
         3, "a\xF0\x9D\x84\x9E"}, // a𝄞b: never half a character
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + std::to_string(c.maxChars));
        window.setText(103, c.text);
        EXPECT_EQ(window.text(103, c.maxChars), c.expected);
    }
}

TEST_F(DialogWindow, ChecksRadioButtonsExclusivelyWithinTheirParent)
{
    EXPECT_TRUE(window.isChecked(121));
    EXPECT_FALSE(window.isChecked(122));
    EXPECT_TRUE(window.isChecked(123));

    window.setChecked(122, true);
    EXPECT_FALSE(window.isChecked(121));
    EXPECT_TRUE(window.isChecked(122));
    EXPECT_TRUE(window.isChecked(123)) << "another parent is another group";

    // The form may clear the checked button of a group, which Qt alone would refuse.
    window.setChecked(122, false);
    EXPECT_FALSE(window.isChecked(121));
    EXPECT_FALSE(window.isChecked(122));
    window.setChecked(121, true);
    EXPECT_TRUE(window.isChecked(121));
    EXPECT_FALSE(window.isChecked(122));

    window.setChecked(120, true);
    EXPECT_TRUE(window.isChecked(120));
    window.setChecked(120, false);
    EXPECT_FALSE(window.isChecked(120));
    EXPECT_FALSE(window.isChecked(102)) << "a line edit is never checked";
    EXPECT_TRUE(take().empty()) << "setting a check state is not a click";
}

TEST_F(DialogWindow, ReportsClickedButtonsAsCommands)
{
    showActive();
    window.focusAndSelect(102);
    take();
    // Clicking a button gives it the focus, so the field before it has been left.
    const QPoint indicator(6, widget<QRadioButton>(122)->height() / 2);
    QTest::mouseClick(widget<QPushButton>(110), Qt::LeftButton);
    QTest::mouseClick(widget<QCheckBox>(120), Qt::LeftButton, {}, indicator);
    QTest::mouseClick(widget<QRadioButton>(122), Qt::LeftButton, {}, indicator);
    QTest::mouseClick(widget<QPushButton>(111), Qt::LeftButton); // disabled
    EXPECT_EQ(take(), (Events{"focusLost 102", "command 110", "focusLost 110", "command 120",
                              "focusLost 120", "command 122"}));
    EXPECT_TRUE(window.isChecked(120));
    EXPECT_TRUE(window.isChecked(122));
    EXPECT_FALSE(window.isChecked(121));

    window.setEnabled(111, true);
    QTest::mouseClick(widget<QPushButton>(111), Qt::LeftButton);
    EXPECT_EQ(take(), (Events{"focusLost 122", "command 111"}));
}

TEST_F(DialogWindow, EscapeSendsCommandTwoAndNeverClosesTheDialog)
{
    showActive();
    window.focusAndSelect(102);
    QTest::keyClick(widget<QLineEdit>(102), Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(take(), (Events{"command 2", "command 2"}));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.hasEnded());
}

TEST_F(DialogWindow, EnterSendsTheDefaultButtonOrClicksTheFocusedPushButton)
{
    showActive();
    for (QPushButton* button : window.findChildren<QPushButton*>())
        EXPECT_FALSE(button->autoDefault()) << button->objectName().toStdString();

    window.focusAndSelect(102);
    QTest::keyClick(widget<QLineEdit>(102), Qt::Key_Return);
    QTest::keyClick(widget<QLineEdit>(102), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(take(), (Events{"command 110", "command 110"})) << "the form's default, not OK";

    widget<QPushButton>(2)->setFocus(Qt::TabFocusReason);
    take();
    QTest::keyClick(widget<QPushButton>(2), Qt::Key_Return);
    EXPECT_EQ(take(), (Events{"command 2"}));

    widget<QCheckBox>(120)->setFocus(Qt::TabFocusReason);
    take();
    QTest::keyClick(widget<QCheckBox>(120), Qt::Key_Return);
    EXPECT_EQ(take(), (Events{"command 110"}));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(DialogWindow, CloseRequestsGoToTheFormAndTheDialogStaysOpen)
{
    showActive();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(take(), (Events{"closeRequested"}));

    window.end(5);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(window.hasEnded());
    EXPECT_EQ(window.endResult(), 5);
    window.end(6);
    EXPECT_EQ(window.endResult(), 5) << "the first end stands";
    EXPECT_TRUE(take().empty());
}

TEST_F(DialogWindow, ReportsAFieldLeftForAnotherControlButNotForAnotherWindow)
{
    showActive();
    window.focusAndSelect(102);
    EXPECT_TRUE(widget<QLineEdit>(102)->hasFocus());
    EXPECT_EQ(widget<QLineEdit>(102)->selectedText(), "initial");
    take();

    window.focusAndSelect(103);
    EXPECT_EQ(take(), (Events{"focusLost 102"}));

    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(widget<QLineEdit>(103)->hasFocus());
    EXPECT_TRUE(take().empty());
}

TEST_F(DialogWindow, AFormMayTakeTheFocusBackWhenAFieldIsLeft)
{
    showActive();
    window.focusAndSelect(102);
    take();
    form.onFocusLost = [this](int id) { window.focusAndSelect(id); };
    QTest::mouseClick(widget<QLineEdit>(103), Qt::LeftButton);
    EXPECT_TRUE(widget<QLineEdit>(102)->hasFocus());
    EXPECT_EQ(take(), (Events{"focusLost 102"})) << "103 never had the focus, so it was not left";
}

TEST_F(DialogWindow, ReportsPressesOnItsOwnSurfaceOnly)
{
    showActive();
    window.focusAndSelect(102);
    take();

    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(take(), (Events{"surface", "surface"}));

    // A label is part of the surface; a field and a button are not.
    QTest::mouseClick(widget<QLabel>(105), Qt::LeftButton);
    EXPECT_EQ(take(), (Events{"surface"}));
    QTest::mouseClick(widget<QLineEdit>(103), Qt::LeftButton);
    QTest::keyClick(widget<QLineEdit>(103), Qt::Key_5);
    EXPECT_EQ(take(), (Events{"focusLost 102"}));
    widget<QPushButton>(1)->setFocus(Qt::TabFocusReason);
    take();
    QTest::keyClick(widget<QPushButton>(1), Qt::Key_A);
    EXPECT_TRUE(take().empty()) << "a key the focused button passes on is not the surface's";

    window.focusWidget()->clearFocus();
    take();
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_EQ(take(), (Events{"surface"}));
}

TEST_F(DialogWindow, HasAFixedSizeAndACloseBoxFromItsProperties)
{
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.clientSize(), (Size{window.width(), window.height()}));
    // The layout has settled the size before the form sees it.
    EXPECT_GE(window.width(), window.layout()->minimumSize().width());
}

TEST_F(DialogWindow, ReportsMovesOnlyOnceShown)
{
    window.move(40, 40);
    EXPECT_TRUE(take().empty());
    showActive();
    take();
    window.move(window.x() + 25, window.y() + 5);
    QCoreApplication::processEvents();
    const Events events = take();
    EXPECT_FALSE(events.empty());
    EXPECT_EQ(std::count(events.begin(), events.end(), "moved"),
              static_cast<std::ptrdiff_t>(events.size()));
}

TEST_F(DialogWindow, MovesAndHidesAnyControl)
{
    window.moveControl(104, Rect{5, 6, 70, 21});
    EXPECT_EQ(widget<QLineEdit>(104)->geometry(), QRect(5, 6, 70, 21));
    showActive();
    window.showControl(104, false);
    EXPECT_FALSE(widget<QLineEdit>(104)->isVisible());
    window.showControl(104, true);
    EXPECT_TRUE(widget<QLineEdit>(104)->isVisible());
    window.setEnabled(104, false);
    EXPECT_FALSE(widget<QLineEdit>(104)->isEnabled());
    window.moveControl(999, Rect{1, 1, 1, 1});
    window.showControl(999, true);
}

TEST_F(DialogWindow, OpensWithTheFirstFieldFocusedAndItsTextSelectedSoTypingReplacesIt)
{
    showActive();
    auto* first = widget<QLineEdit>(102);
    EXPECT_EQ(window.focusWidget(), first);
    EXPECT_EQ(first->selectedText(), "initial");
    QTest::keyClicks(first, "35");
    EXPECT_EQ(window.text(102, 20), "35");

    // Tab selects the next field's text the same way.
    window.setText(103, "0.00");
    QTest::keyClick(first, Qt::Key_Tab);
    auto* next = widget<QLineEdit>(103);
    ASSERT_EQ(window.focusWidget(), next);
    QTest::keyClicks(next, "6.5");
    EXPECT_EQ(window.text(103, 20), "6.5");
}

TEST_F(DialogWindow, ANarrowFieldShowsTheStartOfAPaddedTextAlsoWhenTabSelectsIt)
{
    showActive();
    auto* rate = widget<QLineEdit>(103);
    rate->setFixedWidth(rate->fontMetrics().horizontalAdvance("5.00") * 2);
    window.setText(103, "5.00                    "); // as "%-24.2f" prints it
    EXPECT_EQ(rate->cursorPosition(), 0);
    widget<QLineEdit>(102)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(widget<QLineEdit>(102), Qt::Key_Tab);
    ASSERT_EQ(window.focusWidget(), rate);
    QCoreApplication::processEvents();
    EXPECT_EQ(rate->selectedText(), rate->text());
    EXPECT_EQ(rate->cursorPosition(), 0) << "the figures in view, not the blanks";
    QTest::keyClicks(rate, "7");
    EXPECT_EQ(window.text(103, 20), "7") << "typing still replaces the whole text";
}

TEST(DialogWindowOpening, LeavesTheFocusWhereTheFormPutsIt)
{
    RecordingForm form("testform");
    QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
    Ui::testform().setupUi(&window);
    window.adoptControls();
    window.setText(601, " 12");
    window.focusAndSelect(601); // as a form does when it opens
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* periods = qobject_cast<QLineEdit*>(window.control(601));
    EXPECT_EQ(window.focusWidget(), periods);
    EXPECT_EQ(periods->selectedText(), " 12");
}

void HideHint(const QLineEdit& edit)
{
    if (QLabel* hint = NumberFieldHintShown(edit))
        hint->hide();
}

TEST_F(DialogWindow, NumberFieldsRefuseWhatCanNeverBePartOfANumberWithAHint)
{
    showActive();
    auto* rate = widget<QLineEdit>(103);
    const struct
    {
        const char* typed;
        const char* kept;
        bool hinted;
    } cases[] = {
        {"250,000", "250000", true}, {"$250000", "250000", true}, {"6.5%", "6.5", true},
        {"1e-5", "1e-5", false},     {"-2.5E3", "-2.5E3", false}, {" 12 ", " 12 ", false},
        {"x12", "12", true},         {"inf", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        window.setText(103, "");
        rate->setFocus(Qt::TabFocusReason);
        HideHint(*rate);
        QTest::keyClicks(rate, c.typed);
        EXPECT_EQ(window.text(103, 20), c.kept);
        // Still there after the keys that follow the refused one.
        const QLabel* hint = NumberFieldHintShown(*rate);
        EXPECT_EQ(hint != nullptr, c.hinted);
        if (hint) {
            const QPoint below = rate->mapToGlobal(QPoint(0, rate->height()));
            EXPECT_LE(qAbs(hint->pos().y() - below.y()), 4) << "just below the field";
            EXPECT_EQ(hint->pos().x(), below.x());
        }
    }

    // A paste is refused whole, never stripped: "1,5" must not become 15.
    window.setText(103, "7");
    rate->setFocus(Qt::TabFocusReason);
    rate->end(false);
    HideHint(*rate);
    QGuiApplication::clipboard()->setText("1,5");
    QTest::keyClick(rate, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.text(103, 20), "7");
    EXPECT_NE(NumberFieldHintShown(*rate), nullptr);
    QGuiApplication::clipboard()->setText("25.5");
    QTest::keyClick(rate, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.text(103, 20), "725.5");

    // A field the resource does not mark as a number takes any text; the form's own texts
    // are never refused.
    window.setText(102, "");
    widget<QLineEdit>(102)->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(widget<QLineEdit>(102), "Plan B, $5");
    EXPECT_EQ(window.text(102, 20), "Plan B, $5");
    EXPECT_EQ(NumberFieldHintShown(*rate), nullptr) << "leaving the field takes the hint away";
    window.setText(103, "$1,000.00");
    EXPECT_EQ(window.text(103, 20), "$1,000.00");
}

TEST_F(DialogWindow, ResultsLookReadOnlyStayOutOfTheTabChainAndCanBeCopied)
{
    auto* result = widget<QLineEdit>(104);
    auto* field = widget<QLineEdit>(103);
    EXPECT_EQ(result->palette().color(QPalette::Active, QPalette::Base),
              result->palette().color(QPalette::Active, QPalette::Window));
    EXPECT_EQ(result->palette().color(QPalette::Active, QPalette::Text),
              result->palette().color(QPalette::Active, QPalette::WindowText));
    EXPECT_NE(field->palette().color(QPalette::Active, QPalette::Base),
              field->palette().color(QPalette::Active, QPalette::Window))
        << "an input keeps the look of an input";

    showActive();
    // A flat one-pixel frame in the palette's mid colour instead of the style's input frame.
    EXPECT_FALSE(result->hasFrame());
    const QImage drawn = result->grab().toImage();
    const QPoint edge =
        QPointF(QPointF(0, result->height() / 2) * drawn.devicePixelRatio()).toPoint();
    EXPECT_EQ(drawn.pixelColor(edge).rgb(), result->palette().color(QPalette::Mid).rgb());
    EXPECT_EQ(drawn.pixelColor(drawn.width() / 2, drawn.height() / 2).rgb(),
              result->palette().color(QPalette::Window).rgb());

    window.setText(104, "1,234.50");
    field->setFocus(Qt::TabFocusReason);
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_EQ(window.focusWidget(), window.control(601)) << "Tab passes the result by";

    // The mouse selects its text and Ctrl+C copies it.
    QGuiApplication::clipboard()->clear();
    const int y = result->height() / 2;
    QTest::mousePress(result, Qt::LeftButton, {}, QPoint(2, y));
    QMouseEvent drag(QEvent::MouseMove, QPointF(result->width() - 2, y),
                     result->mapToGlobal(QPointF(result->width() - 2, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(result, &drag);
    QTest::mouseRelease(result, Qt::LeftButton, {}, QPoint(result->width() - 2, y));
    EXPECT_EQ(window.focusWidget(), result);
    EXPECT_EQ(result->selectedText(), "1,234.50");
    QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "1,234.50");
    EXPECT_EQ(window.text(104, 20), "1,234.50");
}

// A form may turn an input into a result and back: the look, the Tab stop and the typing go
// with it, and the field keeps refusing what can never be part of a number.
TEST_F(DialogWindow, AFieldTurnedIntoAResultAndBackTakesTheLookOfEach)
{
    auto* field = widget<QLineEdit>(103);
    const QPalette input = field->palette();
    window.setReadOnly(103, true);
    EXPECT_TRUE(field->isReadOnly());
    EXPECT_EQ(field->palette().color(QPalette::Active, QPalette::Base),
              field->palette().color(QPalette::Active, QPalette::Window));
    EXPECT_EQ(field->focusPolicy(), Qt::ClickFocus);
    window.setReadOnly(103, false);
    EXPECT_FALSE(field->isReadOnly());
    EXPECT_TRUE(field->hasFrame());
    EXPECT_EQ(field->palette().color(QPalette::Active, QPalette::Base),
              input.color(QPalette::Active, QPalette::Base));
    EXPECT_EQ(field->focusPolicy(), Qt::StrongFocus);
    EXPECT_NE(field->validator(), nullptr);
}

// A choice list reads as its chosen item and a text chooses the item it is, or the first that
// begins with it and a blank; any other text leaves the choice alone.
TEST(DialogWindowChoices, ChooseTheItemATextNames)
{
    RecordingForm form("loansolver");
    QtDialogWindow window(form, ListColoursFromPalette(QApplication::palette(), false));
    ASSERT_TRUE(BuildDialogResource("loansolver", window));
    window.adoptControls();
    auto* choices = qobject_cast<QComboBox*>(window.control(104));
    ASSERT_NE(choices, nullptr);
    EXPECT_EQ(window.text(104, 50), "12 (monthly)");
    const std::pair<const char*, const char*> cases[] = {
        {"26", "26 (every two weeks)"}, {"2", "2 (half-yearly)"}, {"52 (weekly)", "52 (weekly)"},
        {"5", "52 (weekly)"},           {"", "52 (weekly)"},      {"1", "1 (yearly)"},
    };
    for (const auto& [typed, chosen] : cases) {
        SCOPED_TRACE(typed);
        window.setText(104, typed);
        EXPECT_EQ(window.text(104, 50), chosen);
        EXPECT_EQ(choices->currentText().toStdString(), chosen);
    }
    window.setText(103, "continuous");
    EXPECT_EQ(window.text(103, 50), "continuous");
    // Named by the label it sits beside, as the fields are.
    EXPECT_EQ(choices->accessibleName(), QStringLiteral("Payments per year"));
}

TEST_F(DialogWindow, DrawsTheButtonEnterPressesAsTheDefault)
{
    // The form names 110: Enter presses it, and it is drawn as the default, not OK.
    EXPECT_EQ(window.enterCommand(), 110);
    EXPECT_TRUE(widget<QPushButton>(110)->isDefault());
    EXPECT_FALSE(widget<QPushButton>(1)->isDefault());

    // A form that names no button of the dialog gets the one the resource marks.
    RecordingForm other("testform", 999);
    QtDialogWindow dialog(other, ListColoursFromPalette(QApplication::palette(), false));
    Ui::testform().setupUi(&dialog);
    dialog.adoptControls();
    EXPECT_EQ(dialog.enterCommand(), 1);
    EXPECT_TRUE(qobject_cast<QPushButton*>(dialog.control(1))->isDefault());
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_EQ(other.events.back(), "command 1");
}

TEST_F(DialogWindow, FOnePressesTheHelpButtonWhileItIsEnabled)
{
    showActive();
    take();
    QTest::keyClick(widget<QLineEdit>(102), Qt::Key_F1);
    QTest::qWait(250);
    EXPECT_TRUE(take().empty()) << "a disabled Help button takes no key";
    window.setEnabled(111, true);
    QTest::keyClick(widget<QLineEdit>(102), Qt::Key_F1);
    QTRY_COMPARE(form.count("command 111"), 1);
}

TEST_F(DialogWindow, IsWideEnoughForTheWindowManagerToShowTheWholeTitle)
{
    const QFontMetrics metrics(window.font());
    EXPECT_GE(window.width(),
              metrics.horizontalAdvance(window.windowTitle()) + 4 * metrics.height());
    RecordingForm about("about");
    QtDialogWindow box(about, ListColoursFromPalette(QApplication::palette(), false));
    ASSERT_TRUE(BuildDialogResource("about", box));
    box.adoptControls();
    EXPECT_GE(box.width(), metrics.horizontalAdvance(box.windowTitle()) + 4 * metrics.height());
}

} // namespace
} // namespace tw
