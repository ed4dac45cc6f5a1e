#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/spinarrows.h"
#include "platform/qt/tests/recordingform.h"
#include "ui_testform.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tw {
namespace {

constexpr int kPeriods = 601;

class Spin : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Ui::testform().setupUi(&window);
        window.adoptControls();
        window.show();
    }

    SpinArrows* attach(int upper, int lower, int position)
    {
        window.attachSpin(kPeriods, upper, lower, position);
        SpinArrows* spin = window.spin(kPeriods);
        EXPECT_NE(spin, nullptr);
        form.events.clear();
        return spin;
    }

    void click(QToolButton* arrow, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            QTest::mouseClick(arrow, Qt::LeftButton);
    }

    std::string field() const { return window.text(kPeriods, 20); }

    RecordingForm form{"testform"};
    QtDialogWindow window{form, ListColoursFromPalette(QApplication::palette(), false)};
};

TEST_F(Spin, UpperZeroLowerHundredMakesTheUpArrowLowerTheNumber)
{
    SpinArrows* spin = attach(0, 100, 12);
    EXPECT_EQ(field(), " 12") << "attaching leaves the field as the form wrote it";

    click(spin->upArrow());
    EXPECT_EQ(field(), "11");
    click(spin->downArrow(), 3);
    EXPECT_EQ(field(), "14");
    EXPECT_EQ(form.events, (std::vector<std::string>{"spin 601 11", "spin 601 12", "spin 601 13",
                                                     "spin 601 14"}));
}

TEST_F(Spin, UpperAboveLowerMakesTheUpArrowRaiseTheNumber)
{
    SpinArrows* spin = attach(100, 0, 12);
    click(spin->upArrow());
    EXPECT_EQ(field(), "13");
    click(spin->downArrow(), 2);
    EXPECT_EQ(field(), "11");
    EXPECT_EQ(form.events.back(), "spin 601 11");
}

TEST_F(Spin, StopsAtTheEndsOfTheRange)
{
    const struct
    {
        int upper, lower, position;
        bool upArrow;
        const char* expected; // "x": the field is left alone and the form hears nothing
    } cases[] = {
        {0, 100, 0, true, "x"},    // already at the upper end
        {0, 100, 100, false, "x"}, // already at the lower end
        {100, 0, 100, true, "x"},  {100, 0, 0, false, "x"},
        {0, 100, 150, true, "99"}, // a start outside the range is held to it
        {0, 100, -7, false, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.upper) + "/" + std::to_string(c.lower) + " from " +
                     std::to_string(c.position));
        SpinArrows* spin = attach(c.upper, c.lower, c.position);
        window.setText(kPeriods, "x"); // not a number: the arrows go from their own position
        click(c.upArrow ? spin->upArrow() : spin->downArrow());
        EXPECT_EQ(field(), c.expected);
        EXPECT_EQ(form.events.size(), std::string(c.expected) == "x" ? 0u : 1u);
    }
}

TEST_F(Spin, StartsFromAWholeNumberTypedIntoTheField)
{
    const struct
    {
        const char* typed;
        const char* afterUp;
    } cases[] = {
        {"50", "49"},  {" 40 ", "39"}, {"+30", "29"}, {"100", "99"},  {"12.7", "11"},
        {"200", "11"}, {"-3", "11"},   {"", "11"},    {"7abc", "11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        SpinArrows* spin = attach(0, 100, 12);
        window.setText(kPeriods, c.typed);
        click(spin->upArrow());
        EXPECT_EQ(field(), c.afterUp);
        EXPECT_EQ(form.events, (std::vector<std::string>{"spin 601 " + field()}));
    }
}

TEST_F(Spin, ArrowKeysInTheFieldWorkAsTheArrows)
{
    attach(0, 100, 12);
    auto* edit = qobject_cast<QLineEdit*>(window.control(kPeriods));
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(field(), "11");
    QTest::keyClick(edit, Qt::Key_Down);
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(field(), "13");
}

TEST_F(Spin, SitsInsideTheFieldsRightEdgeAndTakesNoFocus)
{
    SpinArrows* spin = attach(0, 100, 12);
    QWidget* edit = window.control(kPeriods);
    EXPECT_EQ(spin->parentWidget(), edit);
    EXPECT_LE(spin->geometry().right(), edit->width() - 1);
    EXPECT_GT(spin->geometry().left(), edit->width() / 2);
    EXPECT_EQ(spin->upArrow()->focusPolicy(), Qt::NoFocus);
    edit->resize(edit->width() + 30, edit->height());
    EXPECT_LE(spin->geometry().right(), edit->width() - 1);
    EXPECT_GT(spin->geometry().left(), edit->width() - 30);

    // Attaching again replaces the arrows.
    window.attachSpin(kPeriods, 0, 10, 5);
    EXPECT_EQ(edit->findChildren<SpinArrows*>().size(), 1);
    window.attachSpin(999, 0, 10, 5);
    EXPECT_EQ(window.spin(999), nullptr);
}

} // namespace
} // namespace tw
