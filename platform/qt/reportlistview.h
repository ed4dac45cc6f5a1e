#pragma once
#include "platform/qt/listcolours.h"
#include "platform/window.h"

#include <QTreeView>

#include <functional>
#include <string>
#include <vector>

class QMenu;

namespace tw {

// A report window's list on the desktop: banded rows of fixed height, the form's column
// widths (widened where the font or a row needs more), titles cut by the user's dragging
// shown whole in a tooltip, and a context menu (right mouse button or the Menu key) with
// "Print Preview…" and "Save as PDF…" of the window's printout, "Copy" of the selected rows
// (all of them when one or none is selected) as tab-separated text and an HTML table, and
// "Export CSV…" of every row. Ctrl+A selects every row and Ctrl+C copies as the menu does.
// The tables are wider than their windows on purpose; the first column, which says which row
// is which (the age, the O/R label), stays in view while the others scroll sideways.
class ReportListView final : public QTreeView
{
    Q_OBJECT

  public:
    // What the menu's entries ask of the window the list is in.
    struct Requests
    {
        std::function<void()> preview;
        std::function<void(const std::string& path)> savePdf;
        // Where a file is to be saved; an empty answer gives up.
        std::function<QString(const QString& caption, const QString& suffix, const QString& filter)>
            chooseFile;
    };

    ReportListView(QWidget* parent, const ListColours& colours,
                   const std::vector<ListColumn>& columns, Requests requests);

    void addRow(const std::vector<std::string>& cells);
    // The header and a few rows, beside a vertical scroll bar and above a horizontal one.
    QSize fittedSize(QSize least) const;
    // The context menu; the caller owns it.
    QMenu* createMenu();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    void freezeFirstColumn();
    void placeFrozenColumn();
    void widenColumns(const QStringList& cells);
    void copyRows();
    void exportCsv();

    Requests requests_;
    QTreeView* frozen_ = nullptr; // the first column again, drawn over the scrolling one
};

} // namespace tw
