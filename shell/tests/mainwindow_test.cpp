#include "platform/mainwindow.h"
#include "shell/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace tw {
namespace {

struct Events final : MainWindowEvents
{
    void command(int id) override { commands.push_back(id); }
    void closeRequested() override { ++closes; }
    void toolbarNotified() override { ++notices; }
    void pointerMoved(int, int) override {}

    std::vector<int> commands;
    int closes = 0;
    int notices = 0;
};

class MainWindowTest : public ::testing::Test
{
  protected:
    MainWindowTest() : window(events)
    {
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    QToolBar* Toolbar() const { return window.findChild<QToolBar*>(QStringLiteral("toolbar990")); }

    Events events;
    MainWindow window;
};

TEST_F(MainWindowTest, IsASmallFixedWindowWithTheProgramsTitle)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarrow Financial Tool Set"));
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(100, 100));
    // 350 pixels, or what the toolbar needs when that is more: no button is folded away
    // behind the toolbar's extension arrow.
    EXPECT_GE(window.frameGeometry().width(), 350);
    for (QAction* action : Toolbar()->actions())
        EXPECT_TRUE(action->isSeparator() || Toolbar()->widgetForAction(action)->isVisible())
            << action->toolTip().toStdString();
    EXPECT_GE(window.frameGeometry().height(), 90);
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(MainWindowTest, MenusHoldTheirItemsInOrder)
{
    QStringList titles;
    QStringList items;
    for (QAction* menuAction : window.menuBar()->actions()) {
        titles << menuAction->text();
        for (QAction* item : menuAction->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    }
    EXPECT_EQ(titles, (QStringList{"File", "Tools/Aids", "Tarrow Software", "Help"}));
    ASSERT_EQ(items.size(), 20);
    EXPECT_EQ(items[0], QStringLiteral("E&xit\tAlt+x"));
    EXPECT_EQ(items[1], QStringLiteral("-"));
    EXPECT_EQ(items[3], QStringLiteral("M&ortgage Calculator\tCtrl+o"));
    EXPECT_EQ(items[7], QStringLiteral("Loan &Solver\tCtrl+j"));
    EXPECT_EQ(items[14], QStringLiteral("-"));
    EXPECT_EQ(items[18], QStringLiteral("Table Of Contents\tF1"));
    for (QAction* menuAction : window.menuBar()->actions())
        for (QAction* item : menuAction->menu()->actions())
            EXPECT_TRUE(item->isEnabled()) << item->text().toStdString();
}

TEST_F(MainWindowTest, MenuItemsSendTheirCommands)
{
    std::vector<int> expected;
    for (QAction* menuAction : window.menuBar()->actions())
        for (QAction* item : menuAction->menu()->actions())
            if (!item->isSeparator())
                item->trigger();
    expected = {5,   6,   108, 882, 883, 881, 885, 177, 180,
                179, 886, 467, 945, 884, 671, 887, 104, 105};
    EXPECT_EQ(events.commands, expected);
}

TEST_F(MainWindowTest, ToolbarButtonsHaveTooltipsImagesAndCommands)
{
    QToolBar* toolbar = Toolbar();
    ASSERT_NE(toolbar, nullptr);
    const QList<QAction*> actions = toolbar->actions();
    ASSERT_EQ(actions.size(), 15);
    EXPECT_TRUE(actions[13]->isSeparator());
    EXPECT_EQ(actions[0]->toolTip(), QStringLiteral("Mortgage Calculator"));
    EXPECT_EQ(actions[4]->toolTip(), QStringLiteral("Loan Solver"));
    EXPECT_EQ(actions[11]->toolTip(), QStringLiteral("Open Window's Calculator"));
    EXPECT_EQ(actions[14]->toolTip(), QStringLiteral("Help"));
    EXPECT_EQ(toolbar->iconSize(), QSize(16, 16));

    std::vector<QImage> images;
    for (QAction* action : actions) {
        if (action->isSeparator())
            continue;
        const QPixmap pixmap = action->icon().pixmap(QSize(16, 16));
        ASSERT_FALSE(pixmap.isNull()) << action->toolTip().toStdString();
        const QImage image = pixmap.toImage();
        // Each picture draws something and differs from every other one.
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += qAlpha(image.pixel(x, y)) > 0;
        EXPECT_GT(inked, 20) << action->toolTip().toStdString();
        for (const QImage& other : images)
            EXPECT_NE(image, other) << action->toolTip().toStdString();
        images.push_back(image);
        action->trigger();
    }
    const std::vector<int> expected = {108, 882, 883, 881, 885, 177, 180,
                                       179, 886, 467, 945, 884, 6,   104};
    EXPECT_EQ(events.commands, expected);
}

TEST_F(MainWindowTest, ToolbarImagesStaySharpOnHighDensityScreens)
{
    const QIcon icon = Toolbar()->actions()[0]->icon();
    const QPixmap doubled = icon.pixmap(QSize(16, 16), 2.0);
    ASSERT_EQ(doubled.size(), QSize(32, 32));
    EXPECT_EQ(doubled.devicePixelRatio(), 2.0);
    // Drawn afresh at 32 pixels, not the 16-pixel picture blown up.
    const QImage blownUp = icon.pixmap(QSize(16, 16), 1.0)
                               .toImage()
                               .scaled(32, 32, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                               .convertToFormat(QImage::Format_ARGB32);
    EXPECT_NE(doubled.toImage().convertToFormat(QImage::Format_ARGB32), blownUp);
}

TEST_F(MainWindowTest, AcceleratorsSendCommandsAndHelpKeysDoNothing)
{
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_F1);
    QTest::keyClick(&window, Qt::Key_F4);
    const std::vector<int> expected = {108, 108, 403, 6, 5};
    EXPECT_EQ(events.commands, expected);
}

TEST_F(MainWindowTest, AcceleratorsDoNothingWhileAToolsLoopRuns)
{
    bool toolOpen = true;
    window.setAcceleratorGate([&toolOpen] { return toolOpen; });
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(events.commands.empty());
    // The menu still works: the main window stays enabled while a tool is open.
    window.menuBar()->actions()[1]->menu()->actions()[0]->trigger();
    EXPECT_EQ(events.commands, std::vector<int>{108});
    toolOpen = false;
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(events.commands, (std::vector<int>{108, 177}));
}

TEST_F(MainWindowTest, CloseBoxIsReportedAndTheWindowStaysUntilDestroyed)
{
    window.close();
    EXPECT_EQ(events.closes, 1);
    EXPECT_TRUE(window.isVisible());
    window.allowClose();
    window.close();
    EXPECT_EQ(events.closes, 1);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, ToolbarReportsPointerNotices)
{
    QWidget* button = Toolbar()->widgetForAction(Toolbar()->actions()[0]);
    ASSERT_NE(button, nullptr);
    const int before = events.notices;
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_GE(events.notices, before + 2);
}

TEST_F(MainWindowTest, FTenAndAltAloneOpenTheMenuBarSoEveryMenuIsReachable)
{
    QMenuBar* bar = window.menuBar();
    const auto closeMenus = [&] {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        bar->setActiveAction(nullptr);
    };
    QTest::keyClick(&window, Qt::Key_F10);
    ASSERT_NE(bar->activeAction(), nullptr);
    EXPECT_EQ(bar->activeAction()->text(), "File");
    // The arrow keys go on from there: Left wraps round to the Help menu.
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    QTest::keyClick(popup, Qt::Key_Left);
    ASSERT_NE(bar->activeAction(), nullptr);
    EXPECT_EQ(bar->activeAction()->text(), "Help");
    closeMenus();

    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(&window, Qt::Key_Alt, Qt::NoModifier);
    ASSERT_NE(bar->activeAction(), nullptr);
    EXPECT_EQ(bar->activeAction()->text(), "File");
    closeMenus();

    // Alt with a letter is an accelerator, and the menus stay shut.
    QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    QTest::keyRelease(&window, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(events.commands, std::vector<int>{6});
}

TEST_F(MainWindowTest, PaintsItsClientAreaInThePalettesBaseColour)
{
    QWidget* client = window.centralWidget();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->backgroundRole(), QPalette::Base);
    EXPECT_TRUE(client->autoFillBackground());

    QPalette dark = window.palette();
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    window.setPalette(dark);
    const QImage picture = client->grab().toImage();
    EXPECT_EQ(picture.pixelColor(picture.width() / 2, picture.height() / 2),
              QColor(0x1e, 0x1e, 0x1e));
}

TEST(ClientSize, LeavesTheOuterSizeOnceTheFrameIsKnown)
{
    const struct
    {
        const char* what;
        QMargins frame;
        QSize needed;
        QSize client;
    } cases[] = {
        {"no frame yet", {}, {300, 50}, {350, 90}},
        {"a window manager's frame", {1, 20, 1, 1}, {300, 50}, {348, 69}},
        {"a frame taller than leaves room for menu and toolbar",
         {4, 40, 4, 4},
         {300, 60},
         {342, 60}},
        {"menu titles wider than the window in a large font", {1, 20, 1, 1}, {410, 50}, {410, 69}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ClientSizeFor(QSize(350, 90), c.frame, c.needed), c.client);
    }
}

TEST(MainWindowFont, GrowsJustEnoughThatEveryMenuTitleShowsInALargeFont)
{
    const QFont usual = QApplication::font();
    for (const int points : {9, 14, 20}) {
        SCOPED_TRACE(points);
        QFont font = usual;
        font.setPointSize(points);
        QApplication::setFont(font);
        Events events;
        MainWindow window(events);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        const QMenuBar& bar = *window.menuBar();
        const QList<QAction*> menus = bar.actions();
        ASSERT_FALSE(menus.isEmpty());
        EXPECT_LE(bar.actionGeometry(menus.back()).right(), bar.width()) << "the last menu title";
        EXPECT_GE(window.frameGeometry().width(), 350);
    }
    QApplication::setFont(usual);
}

TEST_F(MainWindowTest, ItsOuterRectangleIsTheFixedOne)
{
    // The offscreen platform draws no frame, so client and outer size are the same here; under
    // a window manager the client area is set again once its frame is known.
    EXPECT_EQ(window.frameGeometry().topLeft(), QPoint(100, 100));
    EXPECT_EQ(window.frameGeometry().height(), 90);
    EXPECT_GE(window.frameGeometry().width(), 350); // wider only for the toolbar's buttons
}

} // namespace
} // namespace tw
