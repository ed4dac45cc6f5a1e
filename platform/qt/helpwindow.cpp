#include "platform/qt/helpwindow.h"

#include "platform/qtcore/utf8.h"

#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tw {

namespace {

constexpr char kWindowIcon[] = ":/icons/twplan2.svg";
constexpr char kScheme[] = "help";
constexpr char kContents[] = "contents";
constexpr char kHelpOnHelp[] = "helponhelp";
constexpr char kTopicPrefix[] = "topic/";
constexpr char kMissingPrefix[] = "missing/";

// Used when the help file has no page on using help.
constexpr char kBuiltInHelpOnHelp[] =
    "The help window shows one page at a time.\n"
    "\n"
    "- Click an underlined title to open that page.\n"
    "- Back returns to the page shown before.\n"
    "- Contents shows the list of every page.\n"
    "\n"
    "The Help button of a calculator opens the page about that calculator.";

QString Escaped(std::string_view text)
{
    return FromUtf8(text).toHtmlEscaped();
}

// Paragraphs are separated by blank lines and "- " lines are list items; the other lines of
// a paragraph run together as one text.
QString BodyHtml(std::string_view body)
{
    QString html;
    bool inParagraph = false;
    bool inList = false;
    auto close = [&] {
        if (inParagraph)
            html += "</p>";
        if (inList)
            html += "</ul>";
        inParagraph = inList = false;
    };
    std::size_t start = 0;
    while (start <= body.size()) {
        std::size_t end = body.find('\n', start);
        if (end == std::string_view::npos)
            end = body.size();
        const std::string_view line = body.substr(start, end - start);
        start = end + 1;
        const QString text = Escaped(line).trimmed();
        if (text.isEmpty()) {
            close();
        } else if (line.substr(0, 2) == "- ") {
            if (inParagraph)
                close();
            if (!inList)
                html += "<ul>";
            inList = true;
            html += "<li>" + Escaped(line.substr(2)).trimmed() + "</li>";
        } else if (inParagraph) {
            html += ' ' + text;
        } else {
            if (inList)
                close();
            html += "<p>" + text;
            inParagraph = true;
        }
    }
    close();
    return html;
}

QString Link(const QString& address, const QString& title)
{
    return QStringLiteral("<a href=\"%1:%2\">%3</a>")
        .arg(QString::fromLatin1(kScheme), address, title);
}

QString TopicTitle(const HelpPage& page)
{
    return page.title.empty() ? QStringLiteral("Topic %1").arg(page.context) : Escaped(page.title);
}

// The topics come first, one link a line, so that the page answers "where is ...?" at a
// glance; the contents page's own text, the reference for the whole program, follows them.
QString ContentsHtml(const HelpFile& file, const QString& note)
{
    const QString title = file.contents && !file.contents->title.empty()
                              ? Escaped(file.contents->title)
                              : QStringLiteral("Contents");
    QString html = "<h2>" + title + "</h2>";
    if (!note.isEmpty())
        html += "<p><i>" + note.toHtmlEscaped() + "</i></p>";
    html += "<ul>";
    for (const HelpPage& page : file.topics)
        html +=
            "<li>" + Link(kTopicPrefix + QString::number(page.context), TopicTitle(page)) + "</li>";
    const QString usingHelp = file.helpOnHelp && !file.helpOnHelp->title.empty()
                                  ? Escaped(file.helpOnHelp->title)
                                  : QStringLiteral("Using help");
    html += "<li>" + Link(kHelpOnHelp, usingHelp) + "</li></ul>";
    if (file.contents && !file.contents->body.empty())
        html += "<hr/>" + BodyHtml(file.contents->body);
    return html;
}

QString PageHtml(const QString& title, std::string_view body)
{
    return "<h2>" + title + "</h2>" + BodyHtml(body) + "<p>" +
           Link(kContents, QStringLiteral("Contents")) + "</p>";
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)),
      back_(new QPushButton(QStringLiteral("&Back"), this))
{
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 520);
    if (QFile::exists(kWindowIcon))
        setWindowIcon(QIcon(kWindowIcon));
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { follow(link); });
    connect(contents, &QPushButton::clicked, this, [this] { go(kContents); });
    connect(back_, &QPushButton::clicked, this, [this] { back(); });
    back_->setEnabled(false);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::setHelpFile(HelpFile file)
{
    file_ = std::move(file);
    setWindowTitle(file_.contents && !file_.contents->title.empty()
                       ? QString::fromStdString(file_.contents->title)
                       : QStringLiteral("Help"));
}

void HelpWindow::showContents()
{
    go(kContents);
}

void HelpWindow::showTopic(int context)
{
    go(file_.topic(context) ? kTopicPrefix + QString::number(context)
                            : kMissingPrefix + QString::number(context));
}

void HelpWindow::showHelpOnHelp()
{
    go(kHelpOnHelp);
}

QString HelpWindow::pageText() const
{
    return browser_->toPlainText();
}

void HelpWindow::go(const QString& address)
{
    if (history_.empty() || history_.back() != address)
        history_.push_back(address);
    back_->setEnabled(history_.size() > 1);
    render(address);
}

void HelpWindow::back()
{
    if (history_.size() < 2)
        return;
    history_.pop_back();
    back_->setEnabled(history_.size() > 1);
    render(history_.back());
}

void HelpWindow::render(const QString& address)
{
    if (address.startsWith(kTopicPrefix)) {
        if (const HelpPage* page = file_.topic(address.mid(sizeof kTopicPrefix - 1).toInt())) {
            browser_->setHtml(PageHtml(TopicTitle(*page), page->body));
            return;
        }
    }
    if (address == kHelpOnHelp) {
        if (file_.helpOnHelp)
            browser_->setHtml(PageHtml(Escaped(file_.helpOnHelp->title), file_.helpOnHelp->body));
        else
            browser_->setHtml(PageHtml(QStringLiteral("Using help"), kBuiltInHelpOnHelp));
        return;
    }
    QString note;
    if (address.startsWith(kMissingPrefix))
        note = QStringLiteral("There is no help topic for context number %1.")
                   .arg(address.mid(sizeof kMissingPrefix - 1));
    browser_->setHtml(ContentsHtml(file_, note));
}

void HelpWindow::follow(const QUrl& link)
{
    if (link.scheme() == kScheme) {
        go(link.path());
        return;
    }
    if (link.scheme() == "http" || link.scheme() == "https" || link.scheme() == "mailto")
        QDesktopServices::openUrl(link);
}

} // namespace tw
