// The context menu of the report lists: how it opens, and what each of its actions does with
// the list's rows and the window's form.
#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/tests/recordingform.h"
#include "ui_listform.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tw {
namespace {

constexpr int kListId = 101;

QStringList ActionTexts(const QMenu& menu)
{
    QStringList texts;
    for (const QAction* action : menu.actions())
        if (!action->isSeparator())
            texts.append(action->text());
    return texts;
}

class ListMenu : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        Ui::listform().setupUi(&window);
        window.adoptControls();
        window.setWindowTitle(QStringLiteral("Mortgage Schedule"));
        window.createList(kListId, Rect{10, 10, 400, 210},
                          {{"Age", 50}, {"Principal", 120}, {"Note", 120}});
        window.addListRow(kListId, {" 35", "      1788.39", "plain"});
        window.addListRow(kListId, {" 36", "      1908.16", "a, \"quoted\" one"});
        window.addListRow(kListId, {" 37", "      2035.95", "x<y"});
        window.showControl(kListId, true);
        window.setFileChooser(
            [this](QWidget*, const QString& caption, const QString& suggested, const QString&) {
                asked.append(caption + "|" + suggested);
                return answer;
            });
    }

    QTreeView* list() const { return qobject_cast<QTreeView*>(window.control(kListId)); }

    // Triggers the action of the menu with that text.
    void choose(const QString& text)
    {
        const std::unique_ptr<QMenu> menu(window.createListMenu(kListId));
        for (QAction* action : menu->actions()) {
            if (action->text() == text) {
                action->trigger();
                return;
            }
        }
        ADD_FAILURE() << "no action " << text.toStdString();
    }

    RecordingForm form{"listform"};
    QtDialogWindow window{form, ListColoursFromPalette(QApplication::palette(), false)};
    QStringList asked;
    QString answer;
    QTemporaryDir directory;
};

TEST_F(ListMenu, OpensOnTheRightButtonAndOnTheMenuKeyWithItsFourActions)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTreeView* view = list();
    view->setFocus();

    // The window system turns the Menu key into a context-menu event of the keyboard for the
    // focused widget (the offscreen platform has no such key), a right click into one of the
    // mouse for the widget under the pointer.
    for (const QContextMenuEvent::Reason reason :
         {QContextMenuEvent::Mouse, QContextMenuEvent::Keyboard}) {
        SCOPED_TRACE(reason == QContextMenuEvent::Mouse ? "mouse" : "keyboard");
        QStringList seen;
        QTimer::singleShot(0, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                seen = ActionTexts(*menu);
                menu->close();
            }
        });
        QWidget* target = reason == QContextMenuEvent::Mouse ? view->viewport() : view;
        QContextMenuEvent event(reason, QPoint(20, 20), target->mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(target, &event);
        EXPECT_EQ(seen, (QStringList{QStringLiteral("Print Preview\u2026"),
                                     QStringLiteral("Save as PDF\u2026"), QStringLiteral("Copy"),
                                     QStringLiteral("Export CSV\u2026")}));
    }

    // A picture of the menu, for a look by eye.
    const std::unique_ptr<QMenu> menu(window.createListMenu(kListId));
    menu->ensurePolished();
    menu->adjustSize();
    const QPixmap picture = menu->grab();
    EXPECT_GT(picture.width(), 0);
    picture.save(QDir::temp().filePath(QStringLiteral("tw-list-menu.png")));
}

TEST_F(ListMenu, CopyPutsTheSelectedRowsOrAllOfThemAsTabTextAndAnHtmlTable)
{
    choose(QStringLiteral("Copy"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text().toStdString(), "Age\tPrincipal\tNote\n"
                                          "35\t1788.39\tplain\n"
                                          "36\t1908.16\ta, \"quoted\" one\n"
                                          "37\t2035.95\tx<y\n");
    ASSERT_TRUE(data->hasHtml());
    const QString html = data->html();
    EXPECT_TRUE(html.contains(QStringLiteral("<th>Principal</th>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<td>1788.39</td>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("x&lt;y"))) << html.toStdString();

    // One row selected, as a click leaves it, copies them all as well; two copy those two.
    const std::string all = data->text().toStdString();
    list()->selectionModel()->select(list()->model()->index(1, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    choose(QStringLiteral("Copy"));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), all);
    list()->selectionModel()->select(list()->model()->index(2, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    choose(QStringLiteral("Copy"));
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "Age\tPrincipal\tNote\n36\t1908.16\ta, \"quoted\" one\n37\t2035.95\tx<y\n");
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->html().contains("1788.39"));
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(ListMenu, CtrlASelectsEveryRowAndCtrlCCopiesThem)
{
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list()->selectionModel()->selectedRows().size(), 3);
    QTest::keyClick(list(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "Age\tPrincipal\tNote\n35\t1788.39\tplain\n36\t1908.16\ta, \"quoted\" one\n"
              "37\t2035.95\tx<y\n");
}

TEST_F(ListMenu, TheFirstColumnStaysInViewWhileTheOthersScrollSideways)
{
    QTreeView& view = *list();
    view.header()->resizeSection(2, 900); // wider than the list: it scrolls sideways
    window.resize(500, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto* frozen = view.findChild<QTreeView*>(QStringLiteral("frozenColumn"));
    ASSERT_NE(frozen, nullptr);
    EXPECT_FALSE(frozen->isVisible()) << "nothing to hold before the list scrolls";

    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    ASSERT_GT(view.horizontalScrollBar()->value(), 0);
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->geometry().left(), view.frameWidth());
    EXPECT_EQ(frozen->geometry().width(), view.header()->sectionSize(0));
    EXPECT_EQ(frozen->header()->sectionSize(0), view.header()->sectionSize(0));
    EXPECT_EQ(view.header()->sectionSize(2), 900) << "the list's own widths stay";
    // It shows the rows the list shows, scrolled up and down with it.
    EXPECT_EQ(frozen->model(), view.model());
    EXPECT_EQ(frozen->verticalScrollBar()->value(), view.verticalScrollBar()->value());
    // For a look by eye.
    window.grab().save(QDir::temp().filePath(QStringLiteral("tw-frozen-column.png")));
}

TEST_F(ListMenu, ExportCsvWritesEveryRowToTheChosenFile)
{
    ASSERT_TRUE(directory.isValid());
    answer = directory.filePath(QStringLiteral("table.csv"));
    // Every row is exported, whatever is selected.
    list()->selectionModel()->select(list()->model()->index(0, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    choose(QStringLiteral("Export CSV\u2026"));
    EXPECT_EQ(asked, QStringList{QStringLiteral("Export CSV|Mortgage Schedule.csv")});
    QFile file(answer);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "Age,Principal,Note\r\n"
                                            "35,1788.39,plain\r\n"
                                            "36,1908.16,\"a, \"\"quoted\"\" one\"\r\n"
                                            "37,2035.95,x<y\r\n");
    // Where it went is said, in a box that does not hold the window up.
    const QList<QMessageBox*> boxes = window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), QStringLiteral("Exported the table to ") + answer);
    EXPECT_NE(boxes[0]->windowModality(), Qt::ApplicationModal);
    boxes[0]->close();

    // Given up in the file dialog: nothing is written.
    answer.clear();
    const QString other = directory.filePath(QStringLiteral("other.csv"));
    choose(QStringLiteral("Export CSV\u2026"));
    EXPECT_FALSE(QFile::exists(other));
}

TEST_F(ListMenu, SaveAsPdfAndPreviewAreTheFormsToCarryOut)
{
    answer = QStringLiteral("/some where/schedule \u00e9.pdf");
    choose(QStringLiteral("Save as PDF\u2026"));
    answer.clear();
    choose(QStringLiteral("Save as PDF\u2026"));
    choose(QStringLiteral("Print Preview\u2026"));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("Save as PDF|Mortgage Schedule.pdf"),
                                  QStringLiteral("Save as PDF|Mortgage Schedule.pdf")}));
    EXPECT_EQ(form.events,
              (std::vector<std::string>{"savePdf /some where/schedule \xc3\xa9.pdf", "preview"}));
}

} // namespace
} // namespace tw
