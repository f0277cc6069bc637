// Saving a file without losing the one it replaces: the bytes go to a temporary file beside the
// target (".NAME.zirtel-tmp-XXXXXX"), which replaces the target only once it is complete. A
// signal that ends the program during the save (SIGINT, SIGTERM) removes the temporary file first.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <random>
#include <system_error>

#include "core/text/file_identity.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace fs = std::filesystem;

namespace {

// The temporary file of the save in progress, for the signal handler.
char g_TempPath[PATH_MAX + 1];
volatile sig_atomic_t g_TempCreated = 0;

extern "C" void RemoveTempAndExit(int sig) {
    if (g_TempCreated) ::unlink(g_TempPath);
    ::_exit(128 + sig);
}

// Blocks SIGINT and SIGTERM while alive.
class SignalBlock {
  public:
    SignalBlock() {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGINT);
        sigaddset(&set, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &set, &Old_);
    }
    ~SignalBlock() { pthread_sigmask(SIG_SETMASK, &Old_, nullptr); }
    SignalBlock(const SignalBlock&) = delete;
    SignalBlock& operator=(const SignalBlock&) = delete;

  private:
    sigset_t Old_;
};

// While alive: SIGINT and SIGTERM remove the temporary file and end the program (128 + signal).
// The earlier handlers come back afterwards.
class TempFileGuard {
  public:
    TempFileGuard() {
        struct sigaction sa {};
        sa.sa_handler = RemoveTempAndExit;
        sigemptyset(&sa.sa_mask);
        sigaction(SIGINT, &sa, &OldInt_);
        sigaction(SIGTERM, &sa, &OldTerm_);
    }
    ~TempFileGuard() {
        {
            SignalBlock block;
            g_TempCreated = 0;
        }
        sigaction(SIGINT, &OldInt_, nullptr);
        sigaction(SIGTERM, &OldTerm_, nullptr);
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    // Creates the temporary file in `folder` for `name`: open for writing, mode 0666 less the
    // umask. -1 when none could be created.
    int Create(const fs::path& folder, const std::string& name) {
        static constexpr char kChars[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        std::random_device rd;
        for (int attempt = 0; attempt < 16; ++attempt) {
            std::string suffix(6, 'x');
            for (char& c : suffix) c = kChars[rd() % (sizeof kChars - 1)];
            // Appended piece by piece: GCC 12 at -O2 and above mistakes `"." + string&&` for an
            // overlapping copy (-Wrestrict).
            std::string base(1, '.');
            base += name;
            base += ".zirtel-tmp-";
            base += suffix;
            const std::string path = (folder / base).string();
            if (path.size() > PATH_MAX) return -1;
            SignalBlock block;
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                std::memcpy(g_TempPath, path.c_str(), path.size() + 1);
                g_TempCreated = 1;
                Path_ = path;
                return fd;
            }
            if (errno != EEXIST) return -1;
        }
        return -1;
    }
    const std::string& Path() const { return Path_; }
    // The temporary file is gone (renamed or removed): the handler must not touch that name.
    void Forget() {
        SignalBlock block;
        g_TempCreated = 0;
    }
    void Remove() {
        SignalBlock block;
        if (g_TempCreated) ::unlink(g_TempPath);
        g_TempCreated = 0;
    }

  private:
    struct sigaction OldInt_ {};
    struct sigaction OldTerm_ {};
    std::string Path_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The descriptor that names such as /dev/stdout, /dev/fd/N and /proc/self/fd/N stand for, or -1.
int NamedDescriptor(const fs::path& path) {
    const std::string s = path.lexically_normal().string();
    if (s == "/dev/stdout") return 1;
    if (s == "/dev/stderr") return 2;
    std::string_view rest;
    const std::string own = "/proc/" + std::to_string(::getpid()) + "/fd/";
    for (const std::string& prefix : {std::string("/dev/fd/"), std::string("/proc/self/fd/"), own})
        if (s.starts_with(prefix)) rest = std::string_view(s).substr(prefix.size());
    if (rest.empty()) return -1;
    int fd = -1;
    const auto res = std::from_chars(rest.data(), rest.data() + rest.size(), fd);
    if (res.ec != std::errc() || res.ptr != rest.data() + rest.size() || fd < 0) return -1;
    return fd;
}

// Writes into an existing file, device or pipe without replacing it.
bool WriteInPlace(const fs::path& path, std::string_view bytes, bool truncate) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | (truncate ? O_TRUNC : 0));
    if (fd < 0) return false;
    const bool written = WriteAll(fd, bytes);
    return (::close(fd) == 0) && written;
}

} // namespace

bool WriteFileAtomically(const fs::path& target, std::string_view bytes) {
    if (target.empty()) return false;
    // Standard output and its kin: the open descriptor is written to, so that "-o /dev/stdout"
    // appends where the shell sends standard output, as any program's output does.
    if (const int fd = NamedDescriptor(target); fd >= 0) {
        if (::fcntl(fd, F_GETFD) < 0) return false;
        return WriteAll(fd, bytes);
    }
    // A symbolic link stays a link, dangling or not: the file it points to is written.
    const fs::path path = ResolveLinks(target);
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return false;
    // A device or a pipe (/dev/null, a named pipe) is written into, never replaced by a file.
    if (exists && !S_ISREG(st.st_mode)) return WriteInPlace(path, bytes, false);
    // A file the user could not write in place is not replaced either, even where the folder
    // would allow it.
    if (exists && ::access(path.c_str(), W_OK) != 0) return false;

    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    TempFileGuard temp;
    const int fd = temp.Create(folder, path.filename().string());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && exists) {
        // The replaced file's permission bits, owner and group (as far as the user may give
        // them).
        ok = ::fchmod(fd, st.st_mode & 07777) == 0;
        if (::fchown(fd, st.st_uid, st.st_gid) != 0)
            (void)::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
    }
    if (::close(fd) != 0) ok = false;
    if (!ok) {
        temp.Remove();
        return false;
    }
    // Hard links share one file, and a file of another owner stays theirs: such a file is written
    // in place, now that the complete copy exists.
    if (exists && (st.st_nlink > 1 || (::geteuid() != 0 && st.st_uid != ::geteuid()))) {
        // The signals wait until that write is done, so the file is never left half written by
        // them; when the write itself fails the temporary copy stays as the only complete one.
        SignalBlock block;
        if (!WriteInPlace(path, bytes, true)) {
            temp.Forget();
            return false;
        }
        temp.Remove();
        return true;
    }
    {
        SignalBlock block;
        if (::rename(temp.Path().c_str(), path.c_str()) != 0) {
            temp.Remove();
            return false;
        }
        temp.Forget();
    }
    return true;
}

} // namespace zirtel
