#include "shell/datafolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tw {

namespace {

constexpr std::string_view kFolderName = "twtools";

bool IsAbsolute(std::string_view path)
{
    return !path.empty() && path.front() == '/';
}

std::string Join(std::string_view directory, std::string_view name)
{
    std::string path(directory);
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string_view Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

std::string HomeFromPasswordDatabase()
{
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? std::string(entry->pw_dir)
                                                        : std::string();
}

// Like mkdir -p, each missing folder with mode 0700; an existing folder, or a link to one, is
// taken as it is. The text names the part of the path that failed.
std::string MakeFolders(const std::string& path)
{
    std::size_t end = 1;
    while (end <= path.size()) {
        end = path.find('/', end);
        if (end == std::string::npos)
            end = path.size();
        const std::string part = path.substr(0, end);
        ++end;
        if (part.empty() || part.back() == '/')
            continue;
        if (::mkdir(part.c_str(), 0700) == 0)
            continue;
        const int error = errno;
        struct stat info = {};
        if (error == EEXIST && ::stat(part.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            continue;
        return part + ": " + std::strerror(error == EEXIST ? ENOTDIR : error);
    }
    return {};
}

} // namespace

std::optional<std::string> DataFolderPath(std::string_view xdgDataHome, std::string_view home)
{
    if (IsAbsolute(xdgDataHome))
        return Join(xdgDataHome, kFolderName);
    if (IsAbsolute(home))
        return Join(Join(home, ".local/share"), kFolderName);
    return std::nullopt;
}

DataFolderEntry EnterDataFolder()
{
    std::string home(Environment("HOME"));
    if (home.empty())
        home = HomeFromPasswordDatabase();
    const std::optional<std::string> folder = DataFolderPath(Environment("XDG_DATA_HOME"), home);
    if (!folder)
        return {{},
                "no folder for the program's files: neither XDG_DATA_HOME nor HOME names "
                "an absolute folder"};
    if (std::string why = MakeFolders(*folder); !why.empty())
        return {*folder,
                "cannot create the folder " + *folder + " for the program's files (" + why + ")"};
    if (::access(folder->c_str(), W_OK | X_OK) != 0 || ::chdir(folder->c_str()) != 0)
        return {*folder,
                "cannot work in the folder " + *folder + " (" + std::strerror(errno) + ")"};
    return {*folder, {}};
}

} // namespace tw
