#pragma once
#include "platform/qt/listcolours.h"

#include <QFontMetrics>
#include <QStyledItemDelegate>

namespace tw {

// Draws a report list's cells: base and band-coloured rows in turn in the text colour, the
// selected row in the highlighted text colour on the highlight, the first column left-aligned
// and the others right-aligned, and a one-pixel grid line at the left edge of every cell.
// Every row has the same height, that of the list's font.
class BandedRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT

  public:
    explicit BandedRowDelegate(ListColours colours, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  private:
    ListColours colours_;
};

// The width a cell of column needs to show text whole in the font of metrics, its inset
// included, with a blank's width to spare between the text and the grid line at the cell's
// left edge. Blanks on the side away from the alignment need no room: right-aligned figures
// padded on the left by their format may run past the cell's left edge with their padding.
int CellWidthFor(const QFontMetrics& metrics, const QString& text, int column);

} // namespace tw
