#pragma once

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace brixolan::reliability {

/// A full disk as this process sees it: no file grows beyond `bytes` while this lives.
/// Writes past the limit fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_handler)(int) = SIG_DFL;
};

/// While this lives, a root process works with the rights of user nobody (its effective ids,
/// which it can take back); other processes keep their own, which the folder rights already
/// bind. `active()` is false when root could not become nobody.
class UnprivilegedScope {
public:
    UnprivilegedScope() {
        if (::geteuid() != 0)
            return;
        m_root = true;
        m_active = ::setegid(NoGroup) == 0 && ::seteuid(Nobody) == 0;
    }
    ~UnprivilegedScope() {
        if (m_root) {
            [[maybe_unused]] const int user = ::seteuid(0);
            [[maybe_unused]] const int group = ::setegid(0);
        }
    }
    UnprivilegedScope(const UnprivilegedScope&) = delete;
    UnprivilegedScope& operator=(const UnprivilegedScope&) = delete;

    bool active() const { return !m_root || m_active; }

    static constexpr uid_t Nobody = 65534;
    static constexpr gid_t NoGroup = 65534;

private:
    bool m_root = false;
    bool m_active = false;
};

} // namespace brixolan::reliability
