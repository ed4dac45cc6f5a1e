#include "platform/color.h"
#include "platform/qt/listcolours.h"
#include "platform/qt/qtdialogwindow.h"
#include "platform/qt/tests/recordingform.h"
#include "ui_listform.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHelpEvent>
#include <QImage>
#include <QPalette>
#include <QPixmap>
#include <QTest>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tw {
namespace {

constexpr int kListId = 500;

std::string Describe(QColor colour)
{
    return colour.name().toStdString();
}

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
            window.addListRow(kListId,
                              {std::to_string(35 + row), std::to_string(1000 * row) + ".00",
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
    EXPECT_EQ(view->selectionMode(), QAbstractItemView::ExtendedSelection);
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
    EXPECT_EQ(window.findChildren<QTreeView*>(Qt::FindDirectChildrenOnly).size(), 1);
    window.addListRow(999, {"nowhere"});
}

// A screen reader reads the list as a table named after its window, each cell with its column's
// title and without the blanks a fixed-width format pads figures with.
TEST_F(BandedList, IsReadAsANamedTableWithTitlesAndCellsWithoutPadding)
{
    window.addListRow(kListId, {"  41", "  5000.00", "   9.50 "});
    window.setWindowTitle(QStringLiteral("Mortgage Schedule"));
    window.showControl(kListId, true);
    window.show();
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list());
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), "Mortgage Schedule");
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_NE(cells, nullptr);
    ASSERT_EQ(cells->columnCount(), 3);
    const char* const expected[] = {"41", "5000.00", "9.50"};
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        QAccessibleInterface* cell = cells->cellAt(6, column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name).toStdString(), expected[column]);
        const QList<QAccessibleInterface*> header = cell->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(header.size(), 1);
        EXPECT_EQ(header.front()->text(QAccessible::Name),
                  list()->model()->headerData(column, Qt::Horizontal).toString());
    }
    // The list shows the figures as they were given.
    EXPECT_EQ(list()->model()->data(list()->model()->index(6, 1)).toString(), "  5000.00");
}

// A dark palette of the kind a desktop's dark theme gives.
QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2d, 0x2d, 0x2d));
    dark.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x34, 0x34, 0x38));
    dark.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    dark.setColor(QPalette::Highlight, QColor(0x3d, 0x7a, 0xd6));
    dark.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0xff));
    return dark;
}

QPalette LightPalette()
{
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::AlternateBase, QColor(0xe9, 0xe9, 0xe9));
    light.setColor(QPalette::Text, Qt::black);
    light.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    light.setColor(QPalette::HighlightedText, Qt::white);
    return light;
}

// How far apart two colours are in lightness (0 to 255).
int Contrast(QColor a, QColor b)
{
    return qAbs(a.lightness() - b.lightness());
}

TEST(ListColours, ComeFromThePaletteWithTheBandThroughLightenColor)
{
    for (const auto& [name, palette] :
         {std::pair{"light", LightPalette()}, std::pair{"dark", DarkPalette()}}) {
        for (const bool lighter : {false, true}) {
            SCOPED_TRACE(std::string(name) + (lighter ? " lighter" : ""));
            const ListColours colours = ListColoursFromPalette(palette, lighter);
            EXPECT_EQ(Describe(colours.base), Describe(palette.color(QPalette::Base)));
            const QColor alternate = palette.color(QPalette::AlternateBase);
            EXPECT_EQ(Describe(colours.band), Describe(lighter ? Lightened(alternate) : alternate));
            EXPECT_EQ(Describe(colours.text), Describe(palette.color(QPalette::Text)));
            EXPECT_EQ(Describe(colours.highlight), Describe(palette.color(QPalette::Highlight)));
            EXPECT_EQ(Describe(colours.highlightedText),
                      Describe(palette.color(QPalette::HighlightedText)));
            // The text reads on both kinds of row and on the selection; the grid shows on both
            // kinds of row without shouting over the figures.
            EXPECT_GE(Contrast(colours.text, colours.base), 120);
            EXPECT_GE(Contrast(colours.text, colours.band), 80);
            EXPECT_GE(Contrast(colours.highlightedText, colours.highlight), 60);
            EXPECT_NE(Describe(colours.grid), Describe(colours.base));
            EXPECT_NE(Describe(colours.grid), Describe(colours.band));
            EXPECT_LT(Contrast(colours.grid, colours.band), Contrast(colours.text, colours.band));
        }
    }
    // A band a hair off the base would not be seen: it moves towards the text colour until
    // it is, and no further than needed.
    QPalette faint = LightPalette();
    faint.setColor(QPalette::AlternateBase, QColor(0xf7, 0xf7, 0xf7));
    const QColor band = ListColoursFromPalette(faint, false).band;
    EXPECT_GE(Contrast(band, Qt::white), 20) << Describe(band);
    EXPECT_LE(Contrast(band, Qt::white), 26) << Describe(band);
    EXPECT_EQ(band.saturation(), 0) << "grey stays grey";

    // A light palette gives the white table of the classic desktop.
    EXPECT_EQ(ListColoursFromPalette(LightPalette(), false).base, QColor(Qt::white));
    EXPECT_EQ(ListColoursFromPalette(LightPalette(), false).text, QColor(Qt::black));
}

// Draws the list of a window in the given palette and checks every row's colours.
void CheckDrawnRows(const QPalette& palette, const char* picture)
{
    RecordingForm form("listform");
    const ListColours colours = ListColoursFromPalette(palette, false);
    QtDialogWindow window(form, colours);
    Ui::listform().setupUi(&window);
    window.setPalette(palette);
    window.adoptControls();
    window.createList(kListId, Rect{10, 10, 400, 210},
                      {{"Age", 50}, {"Principal", 120}, {"Interest", 120}});
    for (int row = 0; row < 6; ++row)
        window.addListRow(kListId, {std::to_string(35 + row), std::to_string(1000 * row) + ".00",
                                    std::to_string(99 * row) + ".50"});
    window.showControl(kListId, true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* view = qobject_cast<QTreeView*>(window.control(kListId));
    ASSERT_NE(view, nullptr);
    view->setCurrentIndex(view->model()->index(4, 0));

    const QImage image = view->viewport()->grab().toImage();
    view->grab().save(QDir::temp().filePath(picture)); // for a look by eye
    const qreal ratio = image.devicePixelRatio();
    const auto pixel = [&](int x, int y) {
        return image.pixelColor(QPointF(QPointF(x, y) * ratio).toPoint());
    };

    const int rowHeight = view->visualRect(view->model()->index(0, 0)).height();
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        EXPECT_EQ(view->visualRect(view->model()->index(row, 0)).height(), rowHeight);
        const QRect cell = view->visualRect(view->model()->index(row, 1));
        const QColor expected = row == 4       ? colours.highlight
                                : row % 2 == 0 ? colours.base
                                               : colours.band;
        // Left inside the cell, away from the right-aligned text.
        EXPECT_EQ(Describe(pixel(cell.left() + 4, cell.center().y())), Describe(expected));
        EXPECT_EQ(Describe(pixel(cell.left(), cell.center().y())), Describe(colours.grid));

        // The text colour near the cell's right edge.
        bool textSeen = false;
        const QColor ink = row == 4 ? colours.highlightedText : colours.text;
        for (int x = cell.right() - 40; x <= cell.right(); ++x)
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                if (Contrast(pixel(x, y), ink) < 40)
                    textSeen = true;
        EXPECT_TRUE(textSeen);
        // Right-aligned two pixels in: the last column of pixels is background.
        EXPECT_EQ(Describe(pixel(cell.right(), cell.center().y())), Describe(expected));
    }
    // Below the last row the list shows the base colour, never a white slab in a dark palette.
    const QRect last = view->visualRect(view->model()->index(5, 1));
    EXPECT_EQ(Describe(pixel(last.left() + 4, last.bottom() + rowHeight)), Describe(colours.base));
}

TEST(BandedListColours, DrawRowsTextAndSelectionFromALightPalette)
{
    CheckDrawnRows(LightPalette(), "tw-list-light.png");
}

TEST(BandedListColours, DrawRowsTextAndSelectionFromADarkPalette)
{
    CheckDrawnRows(DarkPalette(), "tw-list-dark.png");
}

// The list of a window whose font is font: three columns of the given widths.
class SizedList : public ::testing::Test
{
  protected:
    void build(const QFont& font, std::vector<ListColumn> columns,
               const std::vector<std::vector<std::string>>& rows)
    {
        Ui::listform().setupUi(&window);
        window.setFont(font);
        window.adoptControls();
        window.createList(kListId, Rect{10, 10, 400, 210}, columns);
        for (const auto& row : rows)
            window.addListRow(kListId, row);
        view = qobject_cast<QTreeView*>(window.control(kListId));
        ASSERT_NE(view, nullptr);
    }

    RecordingForm form{"listform"};
    QtDialogWindow window{form, ListColoursFromPalette(QApplication::palette(), false)};
    QTreeView* view = nullptr;
};

TEST_F(SizedList, KeepsTheGivenWidthsWhereTheFontNeedsNoMore)
{
    QFont font = QApplication::font();
    font.setPointSize(9);
    build(font, {{"Age", 80}, {"Principal", 160}, {"Interest", 160}},
          {{" 35", "      1788.39", "     10347.35"}});
    EXPECT_EQ(view->header()->sectionSize(0), 80);
    EXPECT_EQ(view->header()->sectionSize(1), 160);
    EXPECT_EQ(view->header()->sectionSize(2), 160);
}

TEST_F(SizedList, NeverCutsATitleOrAFigureInALargeFont)
{
    QFont font = QApplication::font();
    font.setPointSize(13);
    const std::vector<std::vector<std::string>> rows = {{" 35", "      1788.39", "    158211.61"},
                                                        {"100", "  12345678.90", "         0.00"}};
    // Narrow widths of the kind a small window gives.
    build(font, {{"Age", 20}, {"Total Principal", 40}, {"Property Liability", 40}}, rows);
    const QFontMetrics metrics(view->font());
    const QHeaderView& header = *view->header();
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE("column " + std::to_string(column));
        const int width = header.sectionSize(column);
        // The whole title, as the header's style lays it out.
        EXPECT_GE(width, header.sectionSizeHint(column));
        for (const auto& row : rows) {
            const QString cell = QString::fromStdString(row[static_cast<std::size_t>(column)]);
            // The visible figures, with a blank's room to the grid line and the inset.
            EXPECT_GE(width, metrics.horizontalAdvance(cell.trimmed()) +
                                 metrics.horizontalAdvance(QLatin1Char(' ')) + 1)
                << cell.toStdString();
        }
    }
    // Rows take the font's height.
    EXPECT_GE(view->visualRect(view->model()->index(0, 0)).height(), metrics.height());
}

TEST_F(SizedList, ElidesATitleCutByTheUserAndShowsItWholeAsATooltip)
{
    build(QApplication::font(), {{"Age", 40}, {"Property Liability", 200}, {"Equity", 90}},
          {{"35", "1.00", "2.00"}});
    window.showControl(kListId, true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QHeaderView& header = *view->header();
    EXPECT_EQ(header.textElideMode(), Qt::ElideRight);

    const auto tooltipAt = [&](int section) {
        QToolTip::hideText();
        const QPoint at(header.sectionViewportPosition(section) + 3, header.height() / 2);
        QHelpEvent event(QEvent::ToolTip, at, header.viewport()->mapToGlobal(at));
        QApplication::sendEvent(header.viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_EQ(tooltipAt(1), QString()) << "a whole title needs no tooltip";
    header.resizeSection(1, 30); // as a drag on the header does
    EXPECT_EQ(tooltipAt(1), QStringLiteral("Property Liability"));
    QToolTip::hideText();
}

TEST_F(SizedList, IsUsableAtItsFittedSizeWithHeaderAndRowsInView)
{
    QFont font = QApplication::font();
    font.setPointSize(13);
    build(font, {{"Age", 50}, {"Principal", 120}, {"Interest", 120}}, {{"35", "1.00", "2.00"}});
    const Size least = window.fittedSize(kListId, {0, 0});
    const int rowHeight = view->sizeHintForRow(0);
    EXPECT_GE(least.height, view->header()->sizeHint().height() + 3 * rowHeight);
    EXPECT_GE(least.width, view->header()->sectionSize(0) + view->header()->sectionSize(1));
    // Asking for more than the list needs gives what was asked.
    EXPECT_EQ(window.fittedSize(kListId, {2000, 1500}), (Size{2000, 1500}));
}

} // namespace
} // namespace tw
