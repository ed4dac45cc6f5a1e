#include "platform/script/dialogresource.h"
#include "platform/script/scripthost.h"
#include "platform/script/tests/testdialogs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw {
namespace {

using namespace uitext;

TEST(ParseDialogResource, ReadsEveryControlWithAnIdAndItsStateOnOpening)
{
    const std::string xml = Dialog(
        "sample",
        Item(Control("QLineEdit", 101, "12.50")) +
            Item(Control("QLineEdit", 102, "", Flag("readOnly", true))) +
            Item(Control("QPushButton", 1, "OK", Flag("enabled", false))) +
            Item(Group("first", Item(Control("QRadioButton", 301, "A", Flag("checked", true))) +
                                    Item(Control("QRadioButton", 302, "B")))) +
            Item(Group("second", Item(Control("QRadioButton", 303, "C")))) +
            Item("<widget class=\"QLabel\" name=\"plain\">" +
                 Property("text", "<string>no id</string>") + "</widget>") +
            Item(Control("QLabel", 401, "Grüße &amp; €\nzwei", Flag("visible", false))) +
            "<item><spacer name=\"gap\">" + Property("orientation", "<enum>Qt::Vertical</enum>") +
            "</spacer></item>",
        420, 260, Flag("resizable", true));

    const std::optional<DialogResource> dialog = ParseDialogResource(xml);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->name, "sample");
    EXPECT_EQ(dialog->clientSize, (Size{420, 260}));
    EXPECT_TRUE(dialog->resizable);
    EXPECT_FALSE(dialog->closeBox);

    struct Expected
    {
        int id;
        std::string_view className;
        std::string_view text;
        bool enabled, readOnly, checked, visible;
    };
    const Expected expected[] = {
        {101, "QLineEdit", "12.50", true, false, false, true},
        {102, "QLineEdit", "", true, true, false, true},
        {1, "QPushButton", "OK", false, false, false, true},
        {301, "QRadioButton", "A", true, false, true, true},
        {302, "QRadioButton", "B", true, false, false, true},
        {303, "QRadioButton", "C", true, false, false, true},
        {401, "QLabel", "Grüße & €\nzwei", true, false, false, false},
    };
    ASSERT_EQ(dialog->controls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const DialogControl& control = dialog->controls[i];
        SCOPED_TRACE("control " + std::to_string(expected[i].id));
        EXPECT_EQ(control.id, expected[i].id);
        EXPECT_EQ(control.className, expected[i].className);
        EXPECT_EQ(control.text, expected[i].text);
        EXPECT_EQ(control.enabled, expected[i].enabled);
        EXPECT_EQ(control.readOnly, expected[i].readOnly);
        EXPECT_EQ(control.checked, expected[i].checked);
        EXPECT_EQ(control.visible, expected[i].visible);
    }
    // Radio groups follow the widget a button sits in, not the layouts around it.
    EXPECT_EQ(dialog->controls[3].parent, dialog->controls[4].parent);
    EXPECT_NE(dialog->controls[3].parent, dialog->controls[5].parent);
    EXPECT_NE(dialog->controls[3].parent, dialog->controls[0].parent);
    EXPECT_EQ(dialog->controls[0].parent, dialog->controls[6].parent);
}

TEST(ParseDialogResource, RejectsTextThatIsNoDialog)
{
    const std::string good = Dialog("cut", Item(Control("QLineEdit", 101, "x")));
    std::string badId = good;
    badId.replace(badId.find("<number>101") + 8, 3, "1o1");
    const std::pair<std::string_view, std::string> cases[] = {
        {"empty", ""},
        {"not a Designer file", "<html><body/></html>"},
        {"no widget", "<ui version=\"4.0\"><class>none</class></ui>"},
        {"cut short", good.substr(0, good.size() - 30)},
        {"id not a number", badId},
    };
    for (const auto& [what, xml] : cases) {
        SCOPED_TRACE(std::string(what));
        EXPECT_FALSE(ParseDialogResource(xml).has_value());
    }
}

// The compiled-in dialogs must be readable without any application object: a resource file
// linked through a static library is easily lost.
// The reader recurses once a level; a file nested tens of thousands of levels deep must be
// refused, not overflow the stack, and a shallow one still read. The text of a property may
// nest just as deeply.
TEST(ParseDialogResource, RefusesNestingDeeperThanAnyDialog)
{
    const auto nested = [](int levels, std::string_view open, std::string_view close,
                           std::string_view inside) {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += open;
        text += inside;
        for (int i = 0; i < levels; ++i)
            text += close;
        return text;
    };
    const std::string control = Item(Control("QLineEdit", 101, "x"));
    const struct
    {
        const char* what;
        std::string items;
        bool read;
    } cases[] = {
        {"layouts 20 deep",
         nested(20, "<item><layout class=\"QVBoxLayout\">", "</layout></item>", control), true},
        {"widgets 50 deep",
         nested(50, "<item><widget class=\"QWidget\">", "</widget></item>", control), true},
        {"layouts 50000 deep",
         nested(50000, "<item><layout class=\"QVBoxLayout\">", "</layout></item>", control), false},
        {"widgets 50000 deep",
         nested(50000, "<item><widget class=\"QWidget\">", "</widget></item>", control), false},
        {"unknown elements 100000 deep", Item(nested(100000, "<x>", "</x>", "")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<DialogResource> dialog = ParseDialogResource(Dialog("deep", c.items));
        EXPECT_EQ(dialog.has_value(), c.read);
        if (dialog && c.read) {
            ASSERT_EQ(dialog->controls.size(), 1u);
            EXPECT_EQ(dialog->controls[0].id, 101);
        }
    }

    const std::string deepText =
        "<widget class=\"QLabel\" name=\"deep\"><property name=\"controlId\" stdset=\"0\">"
        "<number>7</number></property><property name=\"text\"><string>" +
        nested(100000, "<b>", "</b>", "deep text") + "</string></property></widget>";
    const std::optional<DialogResource> dialog =
        ParseDialogResource(Dialog("text", Item(deepText)));
    ASSERT_TRUE(dialog.has_value());
    ASSERT_EQ(dialog->controls.size(), 1u);
    EXPECT_EQ(dialog->controls[0].text, "deep text");
}

TEST(ReadCompiledDialog, FindsTheDialogsBuiltIntoTheProgram)
{
    const std::optional<std::string> about = ScriptHost::ReadCompiledDialog("about");
    ASSERT_TRUE(about.has_value());
    const std::optional<DialogResource> dialog = ParseDialogResource(*about);
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->name, "about");
    auto ok = std::find_if(dialog->controls.begin(), dialog->controls.end(),
                           [](const DialogControl& control) { return control.id == 101; });
    ASSERT_NE(ok, dialog->controls.end());
    EXPECT_EQ(ok->className, "QPushButton");

    EXPECT_FALSE(ScriptHost::ReadCompiledDialog("nosuchdialog").has_value());
}

} // namespace
} // namespace tw
