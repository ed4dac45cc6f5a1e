#include "print/pagefiles.h"

#include "finance/format.h"
#include "print/textpages.h"
#include "tools/textfile.h"

#include <cstdio>

namespace tw {

namespace {

constexpr int kPageHeadColumns = 10;
// A page file's line counter starts at 4 and the next page file begins when it reaches the
// kind's limit: 56 rows a schedule page, 46 a refinance page.
constexpr int kFirstLineCount = 4;

int LineLimit(PrintoutKind kind)
{
    return kind == PrintoutKind::Refinance ? 50 : 60;
}

std::string PageHead(const PrintTable& table)
{
    std::string head;
    for (std::size_t i = 0; i < kPageHeadColumns; ++i) {
        if (i < table.titles.size())
            head += table.titles[i];
        head += '\t';
    }
    head += "\n-----------------------\n";
    return head;
}

std::string PageRow(const std::vector<double>& values, std::size_t position, PrintoutKind kind)
{
    const auto value = [&values](std::size_t i) -> double {
        return i < values.size() ? values[i] : 0.0;
    };
    std::string line;
    if (kind == PrintoutKind::Refinance)
        line = Format(position % 2 == 0 ? "%13.2f O\t" : "%13.2f R\t", value(0));
    else
        line = Format("%13.2f\t", value(0));
    for (std::size_t i = 1; i < kPageHeadColumns; ++i)
        line += Format("%13.2f\t", value(i));
    line += '\n';
    return line;
}

std::string JoinPath(const std::string& directory, std::string_view name)
{
    if (directory == "." || directory.empty())
        return std::string(name);
    std::string path = directory;
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

} // namespace

std::string_view PrintInputFile(PrintoutKind kind)
{
    if (kind == PrintoutKind::LoanSchedule)
        return "loansched.tmp";
    return kind == PrintoutKind::Refinance ? "refprt.tmp" : "psched.tmp";
}

std::string_view PrintInputMissingMessage(PrintoutKind kind)
{
    if (kind == PrintoutKind::LoanSchedule)
        return "Cannot open temporary print file - loansched.tmp";
    return kind == PrintoutKind::Refinance ? "Cannot open temporary print file - refprt.tmp"
                                           : "Cannot open temporary print file - psched.tmp";
}

std::string PrintInputRefusedMessage(PrintoutKind kind, std::string_view why)
{
    return "Cannot print " + std::string(PrintInputFile(kind)) + ": " + std::string(why) + ".";
}

std::string_view PrintoutTitle(PrintoutKind kind)
{
    switch (kind) {
    case PrintoutKind::Schedule:
        return "Mortgage Payoff Schedule";
    case PrintoutKind::Refinance:
        return "Refinance Analysis Report";
    case PrintoutKind::LoanSchedule:
        return "Loan Schedule";
    case PrintoutKind::None:
        break;
    }
    return {};
}

int RowsPerPageFile(PrintoutKind kind)
{
    return LineLimit(kind) - kFirstLineCount;
}

std::vector<std::string> PageFileTexts(const PrintTable& table, PrintoutKind kind)
{
    const std::string head = PageHead(table);
    std::vector<std::string> pages;
    std::string page = head;
    int lineCount = kFirstLineCount;
    for (std::size_t row = 0; row < table.rows.size(); ++row) {
        if (lineCount >= LineLimit(kind)) {
            page += "Dooone\n";
            pages.push_back(std::move(page));
            page = head;
            lineCount = kFirstLineCount;
        }
        page += PageRow(table.rows[row], row, kind);
        ++lineCount;
    }
    page += "Dooone\n";
    pages.push_back(std::move(page));
    return pages;
}

std::string PageFileName(int page, const std::string& directory)
{
    return JoinPath(directory, "rpage" + std::to_string(page));
}

PageFilesResult WritePageFiles(PrintoutKind kind, const std::string& directory)
{
    PageFilesResult result;
    const std::string input = JoinPath(directory, PrintInputFile(kind));
    std::optional<std::vector<std::string>> pageTexts;
    if (IsTextPrintout(kind)) {
        if (const std::optional<std::string> text = ReadFileText(input))
            pageTexts = TextPageFileTexts(*text, RowsPerPageFile(kind));
        if (!pageTexts) {
            result.status = PageFilesStatus::InputMissing;
            return result;
        }
    } else {
        const TableRead read = ReadPrintTable(input);
        if (!read.table) {
            result.status = read.problem.empty() ? PageFilesStatus::InputMissing
                                                 : PageFilesStatus::InputRefused;
            result.problem = read.problem;
            return result;
        }
        pageTexts = PageFileTexts(*read.table, kind);
    }
    const std::vector<std::string>& texts = *pageTexts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const int page = static_cast<int>(i) + 1;
        if (!TextFile::replace(PageFileName(page, directory), texts[i])) {
            result.failedPage = page;
            if (page == 1) {
                result.status = PageFilesStatus::FirstPageFileFailed;
            } else {
                result.status = PageFilesStatus::LaterPageFileFailed;
                std::fputs(Format("Cannot open file rpage%d.\n", page).c_str(), stdout);
                std::fflush(stdout);
            }
            return result;
        }
        result.pages = page;
    }
    return result;
}

} // namespace tw
