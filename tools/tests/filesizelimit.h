#pragma once
#include <csignal>
#include <sys/resource.h>

namespace tw {

// While it lives, the files this process writes may not grow beyond a few bytes, as if the
// disk were full: a write past the limit fails instead of raising SIGXFSZ.
class FileSizeLimit
{
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (::getrlimit(RLIMIT_FSIZE, &previous_) != 0)
            return;
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        active_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
        restore_ = true;
    }
    ~FileSizeLimit()
    {
        if (!restore_)
            return;
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool restore_ = false;
    bool active_ = false;
};

} // namespace tw
