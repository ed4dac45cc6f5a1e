#include "platform/qt/listrowsmodel.h"

namespace tw {

ListRowsModel::ListRowsModel(QStringList titles, QObject* parent)
    : QAbstractTableModel(parent), titles_(std::move(titles))
{
}

void ListRowsModel::addRow(QStringList cells)
{
    while (cells.size() > titles_.size())
        cells.removeLast();
    while (cells.size() < titles_.size())
        cells.append(QString());
    const int row = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back(std::move(cells));
    endInsertRows();
}

int ListRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ListRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(titles_.size());
}

QVariant ListRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= rows_.size() || index.column() >= rows_[row].size())
        return {};
    // The blanks that line figures up in a fixed-width format are not read out.
    const QString& cell = rows_[row][index.column()];
    return role == Qt::DisplayRole ? cell : cell.simplified();
}

QVariant ListRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= titles_.size())
        return {};
    if (role == Qt::DisplayRole)
        return titles_[section];
    if (role == Qt::AccessibleTextRole)
        return titles_[section].simplified();
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags ListRowsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

} // namespace tw
