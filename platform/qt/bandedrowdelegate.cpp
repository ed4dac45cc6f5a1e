#include "platform/qt/bandedrowdelegate.h"

#include <QPainter>

namespace tw {

namespace {

constexpr int kFirstColumnIndent = 1;
constexpr int kRightIndent = 2;
constexpr int kRowPadding = 4;
constexpr int kLongestCellText = 199;

} // namespace

BandedRowDelegate::BandedRowDelegate(ListColours colours, QObject* parent)
    : QStyledItemDelegate(parent), colours_(std::move(colours))
{
}

void BandedRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    QColor background = index.row() % 2 == 0 ? colours_.base : colours_.band;
    if (selected)
        background = colours_.highlight;

    painter->save();
    const QRect cell = option.rect;
    painter->fillRect(cell, background);
    painter->setPen(colours_.grid);
    painter->drawLine(cell.left(), cell.top(), cell.left(), cell.bottom());

    QRect textArea = cell;
    int alignment = Qt::AlignVCenter;
    if (index.column() == 0) {
        textArea.setLeft(cell.left() + kFirstColumnIndent);
        alignment |= Qt::AlignLeft;
    } else {
        textArea.setRight(cell.right() - kRightIndent);
        alignment |= Qt::AlignRight;
    }
    painter->setFont(option.font);
    painter->setPen(selected ? colours_.highlightedText : colours_.text);
    const QString text = index.data(Qt::DisplayRole).toString().left(kLongestCellText);
    painter->drawText(textArea, alignment | Qt::TextSingleLine, text);
    painter->restore();
}

QSize BandedRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString().left(kLongestCellText);
    const QFontMetrics metrics(option.font);
    return {CellWidthFor(metrics, text, index.column()), metrics.height() + kRowPadding};
}

int CellWidthFor(const QFontMetrics& metrics, const QString& text, int column)
{
    QString shown = text.left(kLongestCellText);
    if (column == 0) {
        while (shown.endsWith(QLatin1Char(' ')))
            shown.chop(1);
    } else {
        while (shown.startsWith(QLatin1Char(' ')))
            shown.remove(0, 1);
    }
    return metrics.horizontalAdvance(shown) + metrics.horizontalAdvance(QLatin1Char(' ')) +
           (column == 0 ? kFirstColumnIndent : kRightIndent);
}

} // namespace tw
