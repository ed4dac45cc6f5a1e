#include "platform/programlookup.h"

#include "finance/words.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace tw {

namespace {

constexpr std::string_view kExeSuffix = ".exe";

// The desktop calculators tried, in order, when the system calculator is asked for.
constexpr std::array<std::string_view, 6> kCalculators = {
    "gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"};

bool EndsWithNoCase(std::string_view text, std::string_view suffix)
{
    if (text.size() < suffix.size())
        return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        char c = tail[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i])
            return false;
    }
    return true;
}

// Only a regular file the user may execute counts: a directory or a data file of the same
// name must not shadow the real program further down the path.
bool IsExecutableFile(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return ::access(path.c_str(), X_OK) == 0;
}

std::string JoinPath(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

// The directories searched, in order. Empty PATH entries would mean the working directory,
// which holds the program's data files and must never supply a program, so they are dropped.
std::vector<std::string> SearchDirectories(const std::string& programDir,
                                           std::string_view searchPath)
{
    std::vector<std::string> directories;
    if (!programDir.empty())
        directories.push_back(programDir);
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string_view::npos)
            end = searchPath.size();
        if (end > start)
            directories.emplace_back(searchPath.substr(start, end - start));
        start = end + 1;
    }
    return directories;
}

std::optional<std::string> FindIn(const std::vector<std::string>& directories,
                                  const std::vector<std::string>& names)
{
    for (const std::string& directory : directories) {
        for (const std::string& name : names) {
            std::string path = JoinPath(directory, name);
            if (IsExecutableFile(path))
                return path;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<ProgramStart> FindProgram(std::string_view commandLine, const std::string& programDir,
                                        std::string_view searchPath)
{
    const std::vector<std::string_view> words = SplitAtBlanks(commandLine);
    if (words.empty())
        return std::nullopt;
    const std::string command(words.front());
    std::vector<std::string> arguments(words.begin() + 1, words.end());

    // A name with a directory in it is taken as that file, as a shell would, and not searched.
    if (command.find('/') != std::string::npos) {
        if (!IsExecutableFile(command))
            return std::nullopt;
        return ProgramStart{command, std::move(arguments)};
    }

    std::vector<std::string> names{command};
    if (EndsWithNoCase(command, kExeSuffix) && command.size() > kExeSuffix.size())
        names.push_back(command.substr(0, command.size() - kExeSuffix.size()));

    if (auto found = FindIn(SearchDirectories(programDir, searchPath), names))
        return ProgramStart{std::move(*found), std::move(arguments)};

    constexpr std::string_view kSystemCalculator = "calc.exe";
    if (command.size() == kSystemCalculator.size() && EndsWithNoCase(command, kSystemCalculator)) {
        const std::vector<std::string> path = SearchDirectories({}, searchPath);
        for (std::string_view calculator : kCalculators) {
            if (auto found = FindIn(path, {std::string(calculator)}))
                return ProgramStart{std::move(*found), std::move(arguments)};
        }
    }
    return std::nullopt;
}

std::string OwnProgramDirectory()
{
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= path.size())
        return {};
    path.resize(static_cast<std::size_t>(length));
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    if (slash == 0)
        return "/";
    path.resize(slash);
    return path;
}

std::string EnvironmentPath()
{
    const char* path = std::getenv("PATH");
    return path ? std::string(path) : std::string();
}

} // namespace tw
