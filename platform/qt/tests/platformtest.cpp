#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/qtplatform.h"
#include "platform/qt/tests/recordingform.h"
#include "tests/support/tempdirectory.h"
#include "ui_listform.h"
#include "ui_testform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace tw {
namespace {

namespace fs = std::filesystem;

QtDialogWindow* Dialog(Window* window)
{
    return dynamic_cast<QtDialogWindow*>(window);
}

// A click as the window system delivers it: refused while a modal window blocks the target.
void SystemClick(QWidget* widget)
{
    QWidget* top = widget->window();
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(top, widget->rect().center()));
}

class Desktop : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        platform.addDialogResource("testform",
                                   [](QDialog& dialog) { Ui::testform().setupUi(&dialog); });
        platform.addDialogResource("listform",
                                   [](QDialog& dialog) { Ui::listform().setupUi(&dialog); });
        mainButton = new QPushButton("Tool", &mainWindow);
        mainWindow.resize(350, 90);
        mainWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&mainWindow));
        platform.setMainWindow(&mainWindow);
    }

    QtPlatform platform{false};
    QWidget mainWindow;
    QPushButton* mainButton = nullptr;
};

TEST_F(Desktop, RunModalReturnsMinusOneForAnUnknownResourceWithoutOpening)
{
    RecordingForm form("nosuchdialog");
    EXPECT_EQ(platform.runModal(form, nullptr), -1);
    EXPECT_TRUE(form.events.empty());
}

TEST_F(Desktop, RunsTheAboutBoxUntilItsFormEndsIt)
{
    RecordingForm about("about");
    about.onOpened = [&](Window& window) {
        EXPECT_FALSE(Dialog(&window)->isVisible()) << "opened comes before the dialog shows";
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(Dialog(about.window)->isVisible());
            QTest::keyClick(Dialog(about.window), Qt::Key_Escape);
            Dialog(about.window)->close();
            SystemClick(Dialog(about.window)->control(101));
        });
    };
    about.onCommand = [&](int id) {
        if (id == 101)
            about.window->end(1);
    };
    EXPECT_EQ(platform.runModal(about, nullptr), 1);
    EXPECT_EQ(about.events,
              (std::vector<std::string>{"opened", "command 2", "closeRequested", "command 101"}));
}

TEST_F(Desktop, AFormThatEndsWhileOpeningIsNeverShown)
{
    RecordingForm form("testform");
    form.onOpened = [](Window& window) {
        window.setText(102, "x");
        window.end(9);
    };
    EXPECT_EQ(platform.runModal(form, nullptr), 9);
    EXPECT_EQ(form.events, (std::vector<std::string>{"opened"}));
}

TEST_F(Desktop, WithoutOwnerTheMainWindowStaysUsableAndItsCommandsNest)
{
    RecordingForm outer("testform");
    RecordingForm inner("listform");
    int innerResult = -2;
    bool outerShownDuringInner = false;
    QObject::connect(mainButton, &QPushButton::clicked, [&] {
        innerResult = platform.runModal(inner, nullptr);
        outer.window->end(3);
    });
    outer.onOpened = [&](Window&) {
        QTimer::singleShot(0, [&] {
            EXPECT_TRUE(mainWindow.isEnabled());
            SystemClick(mainButton);
        });
    };
    inner.onOpened = [&](Window&) {
        QTimer::singleShot(0, [&] {
            outerShownDuringInner = Dialog(outer.window)->isVisible();
            EXPECT_EQ(Dialog(inner.window)->parentWidget(), nullptr);
            EXPECT_EQ(Dialog(inner.window)->windowModality(), Qt::NonModal);
            inner.window->end(7);
        });
    };
    EXPECT_EQ(platform.runModal(outer, nullptr), 3);
    EXPECT_EQ(innerResult, 7) << "the main window's click opened the nested tool";
    EXPECT_TRUE(outerShownDuringInner);
}

TEST_F(Desktop, WithAnOwnerOnlyTheOwnerWaits)
{
    RecordingForm owner("testform");
    RecordingForm child("listform");
    int childResult = -2;
    bool mainClicked = false;
    QObject::connect(mainButton, &QPushButton::clicked, [&] { mainClicked = true; });
    owner.onOpened = [&](Window&) {
        QTimer::singleShot(0, [&] {
            childResult = platform.runModal(child, owner.window);
            owner.window->end(1);
        });
    };
    child.onOpened = [&](Window&) {
        QTimer::singleShot(0, [&] {
            QtDialogWindow* dialog = Dialog(child.window);
            EXPECT_EQ(dialog->parentWidget(), Dialog(owner.window));
            EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
            SystemClick(Dialog(owner.window)->control(110));
            SystemClick(mainButton);
            child.window->end(4);
        });
    };
    EXPECT_EQ(platform.runModal(owner, nullptr), 1);
    EXPECT_EQ(childResult, 4);
    EXPECT_FALSE(owner.saw("command 110")) << "the owner is blocked while its child runs";
    EXPECT_TRUE(mainClicked) << "the main window is not";
}

TEST_F(Desktop, ResizableDialogsReportTheirNewClientSize)
{
    RecordingForm form("listform");
    form.onOpened = [&](Window& window) {
        EXPECT_EQ(window.clientSize(), (Size{420, 260}));
        QTimer::singleShot(0, [&] {
            QtDialogWindow* dialog = Dialog(form.window);
            EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
            EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
            form.events.clear();
            dialog->resize(500, 300);
            QCoreApplication::processEvents();
            EXPECT_TRUE(form.saw("resized 500x300"));
            form.window->end(1);
        });
    };
    EXPECT_EQ(platform.runModal(form, nullptr), 1);
}

class MessageBoxes : public Desktop
{
  protected:
    struct Seen
    {
        QString title, text;
        QString kind; // error, warning, question or information
        QPixmap picture;
        qreal pixelRatio = 1;
        int pictureSide = 0; // the style's message box icon size
        bool buttonIcons = false;
        QMessageBox::StandardButtons buttons;
        Qt::WindowModality modality = Qt::NonModal;
        QWidget* parent = nullptr;
        Qt::TextFormat format = Qt::AutoText;
    };

    // Answers the next message box with the button, or Escape when there is none.
    void answer(QMessageBox::StandardButton button)
    {
        auto seen = std::make_shared<Seen>();
        QTimer::singleShot(0, [seen, button] {
            QMessageBox* box = nullptr;
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* candidate = qobject_cast<QMessageBox*>(widget);
                    candidate && candidate->isVisible())
                    box = candidate;
            ASSERT_NE(box, nullptr);
            seen->title = box->windowTitle();
            seen->text = box->text();
            seen->kind = box->accessibleDescription();
            seen->picture = box->iconPixmap();
            seen->pixelRatio = box->devicePixelRatioF();
            seen->pictureSide =
                box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
            for (const QAbstractButton* shown : box->buttons())
                seen->buttonIcons = seen->buttonIcons || !shown->icon().isNull();
            seen->buttons = box->standardButtons();
            seen->modality = box->windowModality();
            seen->parent = box->parentWidget();
            seen->format = box->textFormat();
            if (button == QMessageBox::NoButton)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(button)->click();
        });
        pending = seen;
    }

    std::shared_ptr<Seen> pending;
};

TEST_F(MessageBoxes, ShowTextTitleIconAndButtonsAndReturnTheAnswer)
{
    RecordingForm form("testform");
    QtDialogWindow owner(form, ListColoursFromPalette(QApplication::palette(), false));
    Ui::testform().setupUi(&owner);
    owner.adoptControls();
    owner.show();

    const struct
    {
        const char* what;
        Window* owner;
        MessageIcon icon;
        MessageButtons buttons;
        bool systemModal;
        QMessageBox::StandardButton press;
        MessageAnswer expected;
        const char* kind;
        Qt::WindowModality modality;
        QWidget* parent;
    } cases[] = {
        {"question, no owner, system-modal: over the main window", nullptr, MessageIcon::Question,
         MessageButtons::YesNo, true, QMessageBox::Yes, MessageAnswer::Yes, "question",
         Qt::ApplicationModal, &mainWindow},
        {"no", nullptr, MessageIcon::Question, MessageButtons::YesNo, true, QMessageBox::No,
         MessageAnswer::No, "question", Qt::ApplicationModal, &mainWindow},
        {"escape answers no", nullptr, MessageIcon::Question, MessageButtons::YesNo, true,
         QMessageBox::NoButton, MessageAnswer::No, "question", Qt::ApplicationModal, &mainWindow},
        {"field error owned by the dialog", &owner, MessageIcon::Error, MessageButtons::Ok, true,
         QMessageBox::Ok, MessageAnswer::Ok, "error", Qt::ApplicationModal, &owner},
        {"warning owned by the dialog, not system-modal", &owner, MessageIcon::Warning,
         MessageButtons::Ok, false, QMessageBox::Ok, MessageAnswer::Ok, "warning", Qt::WindowModal,
         &owner},
        {"no owner, not system-modal: nobody's child", nullptr, MessageIcon::Information,
         MessageButtons::Ok, false, QMessageBox::Ok, MessageAnswer::Ok, "information",
         Qt::WindowModal, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        answer(c.press);
        const MessageAnswer result =
            platform.message(c.owner, "Line one\nand <b>two</b>", "Tarrow Software", c.icon,
                             c.buttons, c.systemModal);
        EXPECT_EQ(result, c.expected);
        const Seen& seen = *pending;
        EXPECT_EQ(seen.title, "Tarrow Software");
        EXPECT_EQ(seen.text, "Line one\nand <b>two</b>");
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_EQ(seen.kind, c.kind);
        // Drawn for the box's pixel density, not a fallback picture blown up; no stock
        // pictures on the buttons.
        ASSERT_FALSE(seen.picture.isNull());
        EXPECT_EQ(seen.picture.devicePixelRatio(), seen.pixelRatio);
        EXPECT_EQ(seen.picture.width(), qRound(seen.pictureSide * seen.pixelRatio));
        EXPECT_FALSE(seen.buttonIcons);
        // Without an icon theme the picture is the program's own for the kind of box.
        if (!QIcon::hasThemeIcon("dialog-" + seen.kind)) {
            const QPixmap own =
                QIcon(":/icons/message-" + seen.kind + ".svg")
                    .pixmap(QSize(seen.pictureSide, seen.pictureSide), seen.pixelRatio);
            EXPECT_EQ(seen.picture.toImage(), own.toImage());
        }
        EXPECT_EQ(seen.buttons, c.buttons == MessageButtons::YesNo
                                    ? QMessageBox::Yes | QMessageBox::No
                                    : QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(seen.modality, c.modality);
        EXPECT_EQ(seen.parent, c.parent);
    }
}

TEST_F(Desktop, PostedNoticesRunAfterTheCurrentEventInOrderAndOnlyWhileTheirDialogIsOpen)
{
    std::vector<int> order;
    RecordingForm form("testform");
    form.onOpened = [&](Window& window) {
        platform.post(window, [&] { order.push_back(2); });
        platform.post(window, [&] { order.push_back(3); });
        order.push_back(1);
        QTimer::singleShot(0, [&] {
            EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
            // Posted by the step that ends the dialog: the dialog is gone when it would run.
            platform.post(window, [&] { order.push_back(4); });
            window.end(1);
        });
    };
    platform.runModal(form, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3})) << "a notice dies with its dialog";
}

TEST_F(Desktop, DestroyEndsEveryLoopAndNothingOpensAfterwards)
{
    RecordingForm outer("testform");
    RecordingForm inner("listform");
    int outerResult = -2;
    int innerResult = -2;
    outer.onOpened = [&](Window&) {
        QTimer::singleShot(0, [&] { innerResult = platform.runModal(inner, nullptr); });
    };
    inner.onOpened = [&](Window&) { QTimer::singleShot(0, [&] { platform.destroy(); }); };
    QTimer::singleShot(0, [&] { outerResult = platform.runModal(outer, nullptr); });

    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(innerResult, 0);
    EXPECT_EQ(outerResult, 0);
    EXPECT_FALSE(mainWindow.isVisible());
    EXPECT_TRUE(platform.isEnding());

    RecordingForm later("testform");
    EXPECT_EQ(platform.runModal(later, nullptr), 0);
    EXPECT_TRUE(later.events.empty());
    EXPECT_EQ(
        platform.message(nullptr, "t", "t", MessageIcon::Question, MessageButtons::YesNo, true),
        MessageAnswer::No);
}

TEST_F(Desktop, PortReportsTheOuterRectangle)
{
    const QRect frame = mainWindow.frameGeometry();
    EXPECT_EQ(platform.outerRect(), (Rect{frame.x(), frame.y(), frame.width(), frame.height()}));
    platform.repaintFrame();
    platform.repaintMainFrame();
    platform.focus();
}

class ProgramStart : public Desktop
{
  protected:
    void SetUp() override
    {
        Desktop::SetUp();
        ASSERT_TRUE(scratch.valid());
        const char* path = std::getenv("PATH");
        savedPath = path ? path : "";
        ::setenv("PATH", directory.c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", savedPath.c_str(), 1); }

    TempDirectory scratch;
    fs::path directory{scratch.path()};
    std::string savedPath;
};

TEST_F(ProgramStart, StartsTheProgramFoundWithItsArgumentsAndNoShell)
{
    const fs::path output = directory / "arguments.txt";
    const fs::path program = directory / "twfake";
    std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << output.string()
                           << ".part'\n/bin/mv '" << output.string() << ".part' '"
                           << output.string() << "'\n";
    ::chmod(program.c_str(), 0755);

    EXPECT_TRUE(platform.startProgram("twfake.exe trade.tmp a;touch$HOME `x`"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(output); }, 10000));
    std::ifstream in(output);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(written, "trade.tmp\na;touch$HOME\n`x`\n");

    EXPECT_FALSE(platform.startProgram("twrule11.exe"));
}

} // namespace
} // namespace tw
