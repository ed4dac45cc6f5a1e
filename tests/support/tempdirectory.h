#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace tw {

// A fresh scratch directory for one test, removed with everything in it at the end.
class TempDirectory
{
  public:
    TempDirectory()
    {
        std::string name = (std::filesystem::temp_directory_path() / "tw-XXXXXX").string();
        if (::mkdtemp(name.data()) != nullptr)
            path_ = name;
    }
    ~TempDirectory()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    bool valid() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

    void write(std::string_view name, std::string_view text) const
    {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    std::string read(std::string_view name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

  private:
    std::string path_;
};

// Makes a directory the working directory for as long as it lives, then returns to the one
// before; for the forms and hosts that read and write their files there.
class WorkingDirectory
{
  public:
    explicit WorkingDirectory(const std::string& path) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~WorkingDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

  private:
    std::filesystem::path previous_;
};

} // namespace tw
