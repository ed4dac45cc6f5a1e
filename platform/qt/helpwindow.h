#pragma once
#include "platform/helpfile.h"

#include <QString>
#include <QWidget>

#include <vector>

class QPushButton;
class QTextBrowser;
class QUrl;

namespace tw {

// The program's help window over a parsed help file: its contents page with a link to every
// topic, one page per context number, and a page on using the help window itself. One window
// serves every request; Back retraces the pages shown.
class HelpWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    void setHelpFile(HelpFile file);
    void showContents();
    // The topic with that context number; the contents with a short note when there is none.
    void showTopic(int context);
    void showHelpOnHelp();

    // The page shown, as plain text.
    QString pageText() const;
    QTextBrowser* browser() const { return browser_; }

  private:
    // Pages are kept by address ("contents", "topic/259", "helponhelp") so that going back
    // renders them again from the file now loaded.
    void go(const QString& address);
    void render(const QString& address);
    void follow(const QUrl& link);
    void back();

    HelpFile file_;
    QTextBrowser* browser_;
    QPushButton* back_;
    std::vector<QString> history_;
};

} // namespace tw
