#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tw {

// Started from the desktop menu the working directory is the home folder, which the files the
// tools write (psched.tmp, trade.tmp, prefinf.dat, rpage1 ...) would litter; such a start works
// in a folder of the program's own under the user's data directory instead.

// $XDG_DATA_HOME/twtools, or $HOME/.local/share/twtools when XDG_DATA_HOME is empty or not
// absolute (the XDG base directory rules ignore a relative one). Nothing when neither gives an
// absolute folder.
std::optional<std::string> DataFolderPath(std::string_view xdgDataHome, std::string_view home);

struct DataFolderEntry
{
    std::string folder;  // the folder asked for, when one could be named
    std::string problem; // empty when the folder is now the working directory
};

// Creates the data folder of the environment (the password database's home folder standing in
// for an unset HOME) with any missing parents, mode 0700 as the XDG rules ask, and makes it the
// working directory. On failure the working directory is unchanged and the problem says which
// folder could not be used and why.
DataFolderEntry EnterDataFolder();

} // namespace tw
