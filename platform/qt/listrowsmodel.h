#pragma once
#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

namespace tw {

// The rows of a report list: fixed column titles, rows only ever appended.
class ListRowsModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    explicit ListRowsModel(QStringList titles, QObject* parent = nullptr);

    // Cells beyond the last column are dropped; missing cells are empty.
    void addRow(QStringList cells);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    QStringList titles_;
    std::vector<QStringList> rows_;
};

} // namespace tw
