#include "platform/qt/dialogfactory.h"
#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/tests/recordingform.h"
#include "ui_testform.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

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
        {"a\xF0\x9D\x84\x9E" "b", 3, "a\xF0\x9D\x84\x9E"},  // a𝄞b: never half a character
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
    QTest::keyClick(widget<QLineEdit>(103), Qt::Key_A);
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

} // namespace
} // namespace tw
