#pragma once
#include "platform/qt/listcolours.h"

#include <QStyledItemDelegate>

namespace tw {

// Draws a report list's cells: white and band-coloured rows in turn with black text, the
// selected row in white on the highlight colour, the first column left-aligned and the
// others right-aligned, and a one-pixel grid line at the left edge of every cell. Every row
// has the same height.
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

} // namespace tw
