#include "platform/color.h"
#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/tests/recordingform.h"
#include "ui_listform.h"

#include <QDir>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tw {
namespace {

constexpr int kListId = 500;

std::string Describe(QColor colour) { return colour.name().toStdString(); }

QColor Lightened(QColor colour)
{
    const Colour lighter =
        LightenColor(MakeColour(colour.red(), colour.green(), colour.blue()), true);
    return QColor(static_cast<int>(lighter & 0xff), static_cast<int>((lighter >> 8) & 0xff),
                  static_cast<int>((lighter >> 16) & 0xff));
}

class BandedList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Ui::listform().setupUi(&window);
        window.adoptControls();
        window.createList(kListId, Rect{10, 10, 400, 210},
                          {{"Age", 50}, {"Principal", 120}, {"Interest", 120}});
        for (int row = 0; row < 6; ++row)
            window.addListRow(kListId, {std::to_string(35 + row), std::to_string(1000 * row) + ".00",
                                        std::to_string(99 * row) + ".50"});
    }

    QTreeView* list() const { return qobject_cast<QTreeView*>(window.control(kListId)); }

    RecordingForm form{"listform"};
    ListColours colours = ListColoursFromPalette(QApplication::palette(), false);
    QtDialogWindow window{form, colours};
};

TEST_F(BandedList, IsAHiddenReportListWithRightAlignedTitlesAndTheGivenWidths)
{
    QTreeView* view = list();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->parentWidget(), &window);
    EXPECT_EQ(view->geometry(), QRect(10, 10, 400, 210));
    EXPECT_TRUE(view->isHidden());
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_EQ(view->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(view->frameShadow(), QFrame::Sunken);
    EXPECT_TRUE(view->uniformRowHeights());

    const QAbstractItemModel* model = view->model();
    ASSERT_EQ(model->columnCount(), 3);
    ASSERT_EQ(model->rowCount(), 6);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Principal");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              static_cast<int>(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model->data(model->index(2, 1)).toString(), "2000.00");
    EXPECT_EQ(view->header()->sectionSize(0), 50);
    EXPECT_EQ(view->header()->sectionSize(2), 120);

    window.showControl(kListId, true);
    window.show();
    EXPECT_TRUE(view->isVisible());
}

TEST_F(BandedList, CreatingItAgainReplacesTheListAndItsRows)
{
    window.addListRow(kListId, {"1", "2", "3", "dropped"});
    EXPECT_EQ(list()->model()->data(list()->model()->index(6, 2)).toString(), "3");
    window.addListRow(kListId, {"only"});
    EXPECT_EQ(list()->model()->data(list()->model()->index(7, 2)).toString(), "");

    window.createList(kListId, Rect{0, 0, 100, 50}, {{"A", 30}});
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(list()->model()->rowCount(), 0);
    EXPECT_EQ(list()->model()->columnCount(), 1);
    EXPECT_EQ(window.findChildren<QTreeView*>().size(), 1);
    window.addListRow(999, {"nowhere"});
}

TEST_F(BandedList, DrawsWhiteAndBandRowsWithGridLinesAndTheSelection)
{
    window.showControl(kListId, true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTreeView* view = list();
    view->setCurrentIndex(view->model()->index(4, 0));

    const QImage image = view->viewport()->grab().toImage();
    view->grab().save(QDir::temp().filePath("tw-list-banded.png")); // for a look by eye

    const int rowHeight = view->visualRect(view->model()->index(0, 0)).height();
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(view->visualRect(view->model()->index(row, 0)).height(), rowHeight);
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        const QColor expected =
            row == 4 ? colours.highlight : row % 2 == 0 ? QColor(Qt::white) : colours.band;
        // Left inside the cell, away from the right-aligned text.
        const QColor background = image.pixelColor(cell.left() + 4, cell.center().y());
        EXPECT_EQ(Describe(background), Describe(expected));
        const QColor grid = image.pixelColor(cell.left(), cell.center().y());
        EXPECT_EQ(Describe(grid), Describe(colours.grid));

        // Text: black on the rows, white on the selection, near the cell's right edge.
        bool textSeen = false;
        const QColor ink = row == 4 ? QColor(Qt::white) : QColor(Qt::black);
        for (int x = cell.right() - 40; x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (qAbs(image.pixelColor(x, y).lightness() - ink.lightness()) < 60)
                    textSeen = true;
        EXPECT_TRUE(textSeen);
        // Right-aligned two pixels in: the last two columns of pixels are background.
        EXPECT_EQ(Describe(image.pixelColor(cell.right(), cell.center().y())),
                  Describe(expected));
    }
}

TEST(ListColours, KeepTheBandLightAndDistinctFromWhiteInLightAndDarkThemes)
{
    QPalette light;
    light.setColor(QPalette::Button, QColor(0xef, 0xef, 0xef));
    light.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    QPalette dark;
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    QPalette tinted;
    tinted.setColor(QPalette::Button, QColor(0x20, 0x40, 0xff));

    for (const auto& [name, palette] :
         {std::pair{"light", light}, std::pair{"dark", dark}, std::pair{"tinted", tinted}}) {
        for (const bool lighter : {false, true}) {
            const ListColours colours = ListColoursFromPalette(palette, lighter);
            SCOPED_TRACE(std::string(name) + (lighter ? " lighter " : " ") +
                         Describe(colours.band));
            // Black text stays readable and the band stays apart from the white rows.
            EXPECT_GE(colours.band.lightness(), 180);
            EXPECT_LE(colours.band.lightness(), 235);
            EXPECT_LT(colours.band.saturation(), 100);
            EXPECT_EQ(Describe(colours.band),
                      Describe(lighter ? Lightened(colours.grid) : colours.grid));
        }
    }
    EXPECT_EQ(ListColoursFromPalette(light, false).highlight, QColor(0x30, 0x8c, 0xc6));
    EXPECT_NE(ListColoursFromPalette(light, true).band, ListColoursFromPalette(light, false).band);
}

} // namespace
} // namespace tw
