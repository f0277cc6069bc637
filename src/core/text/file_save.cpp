// Saving a file without losing the one it replaces: the bytes go to a temporary file beside the
// target (".NAME.zirtel-tmp-XXXXXX"), which replaces the target only once it is complete. A
// signal that ends the program during the save (SIGINT, SIGTERM, SIGHUP, SIGQUIT) removes the
// temporary file first.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <climits>
#include <cstring>
#include <memory>
#include <optional>
#include <random>
#include <system_error>

#include "core/text/file_identity.h"
#include "core/text/text_file.h"

namespace zirtel {

namespace fs = std::filesystem;

namespace {

// The temporary files of the saves in progress, for the signal handler: several files may be
// written at the same time (a batch run streams its results and lists; a selection writes a plot
// per split and control field, in two formats, besides its tables). The slots are static so the
// handler can read them; pages of slots never used are never touched.
constexpr int kMaxTempFiles = 256;
char g_TempPaths[kMaxTempFiles][PATH_MAX + 1];
volatile sig_atomic_t g_TempCreated[kMaxTempFiles] = {};
// The signals that end the program and would leave a temporary file behind.
constexpr int kGuardedSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kGuardedCount = sizeof kGuardedSignals / sizeof kGuardedSignals[0];
// The handlers in place before the first guard, by place in kGuardedSignals; the guards are
// opened and closed on one thread.
int g_GuardCount = 0;
struct sigaction g_Old[kGuardedCount] = {};

bool IsFunctionHandler(const struct sigaction& action) {
    return (action.sa_flags & SA_SIGINFO) == 0 && action.sa_handler != SIG_DFL &&
           action.sa_handler != SIG_IGN;
}

extern "C" void RemoveTempAndExit(int sig) {
    // A program with a handler of its own (the batch mode's interrupt flag) stops by itself and
    // abandons its files.
    for (int k = 0; k < kGuardedCount; ++k)
        if (kGuardedSignals[k] == sig && IsFunctionHandler(g_Old[k])) {
            g_Old[k].sa_handler(sig);
            return;
        }
    for (int i = 0; i < kMaxTempFiles; ++i)
        if (g_TempCreated[i]) ::unlink(g_TempPaths[i]);
    ::_exit(128 + sig);
}

// Blocks the guarded signals while alive.
class SignalBlock {
  public:
    SignalBlock() {
        sigset_t set;
        sigemptyset(&set);
        for (const int sig : kGuardedSignals) sigaddset(&set, sig);
        pthread_sigmask(SIG_BLOCK, &set, &Old_);
    }
    ~SignalBlock() { pthread_sigmask(SIG_SETMASK, &Old_, nullptr); }
    SignalBlock(const SignalBlock&) = delete;
    SignalBlock& operator=(const SignalBlock&) = delete;

  private:
    sigset_t Old_;
};

// While alive: the guarded signals remove the temporary file and end the program (128 + signal),
// unless the program had a handler of its own for the signal. The earlier handlers come back
// once the last guard is gone.
class TempFileGuard {
  public:
    TempFileGuard() {
        if (g_GuardCount++ > 0) return;
        struct sigaction sa {};
        sa.sa_handler = RemoveTempAndExit;
        sigemptyset(&sa.sa_mask);
        SignalBlock block;
        for (int k = 0; k < kGuardedCount; ++k) sigaction(kGuardedSignals[k], &sa, &g_Old[k]);
    }
    ~TempFileGuard() {
        Forget();
        if (--g_GuardCount > 0) return;
        for (int k = 0; k < kGuardedCount; ++k) sigaction(kGuardedSignals[k], &g_Old[k], nullptr);
    }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

    // Creates the temporary file in `folder` for `name`: open for writing, mode 0666 less the
    // umask. -1 when none could be created (errno says why). A name too long to take the
    // temporary file's affixes within the folder's limit is shortened for it.
    int Create(const fs::path& folder, const std::string& name) {
        static constexpr char kChars[] =
            "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        static constexpr std::size_t kAffixes = 1 + 12 + 6; // ".", ".zirtel-tmp-", the suffix
        int slot = 0;
        while (slot < kMaxTempFiles && g_TempCreated[slot]) ++slot;
        if (slot == kMaxTempFiles) {
            errno = EMFILE;
            return -1;
        }
        const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
        const std::size_t limit = nameMax > static_cast<long>(kAffixes)
                                      ? static_cast<std::size_t>(nameMax)
                                      : std::size_t{255};
        const std::string stem =
            name.size() + kAffixes > limit ? name.substr(0, limit - kAffixes) : name;
        std::random_device rd;
        for (int attempt = 0; attempt < 16; ++attempt) {
            std::string suffix(6, 'x');
            for (char& c : suffix) c = kChars[rd() % (sizeof kChars - 1)];
            // Appended piece by piece: GCC 12 at -O2 and above mistakes `"." + string&&` for an
            // overlapping copy (-Wrestrict).
            std::string base(1, '.');
            base += stem;
            base += ".zirtel-tmp-";
            base += suffix;
            const std::string path = (folder / base).string();
            if (path.size() > PATH_MAX) {
                errno = ENAMETOOLONG;
                return -1;
            }
            SignalBlock block;
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                std::memcpy(g_TempPaths[slot], path.c_str(), path.size() + 1);
                g_TempCreated[slot] = 1;
                Slot_ = slot;
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
        if (Slot_ < 0) return;
        SignalBlock block;
        g_TempCreated[Slot_] = 0;
        Slot_ = -1;
    }
    void Remove() {
        if (Slot_ < 0) return;
        SignalBlock block;
        ::unlink(g_TempPaths[Slot_]);
        g_TempCreated[Slot_] = 0;
        Slot_ = -1;
    }

  private:
    int Slot_ = -1;
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

// Copies the complete temporary file into `path` in place.
bool CopyInPlace(const std::string& from, const fs::path& path) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return false;
    const int out = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_TRUNC);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = true;
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        if (!WriteAll(out, std::string_view(buf, static_cast<std::size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ::close(in);
    return (::close(out) == 0) && ok;
}

// Bytes gathered before they go to the file.
constexpr std::size_t kWriteBuffer = std::size_t{1} << 16;

} // namespace

struct AtomicFileWriter::State {
    enum class Mode { Descriptor, InPlace, Temporary } How = Mode::Temporary;
    int Fd = -1;
    bool Ok = true;
    fs::path Path; // the file written (links resolved)
    bool Exists = false;
    struct stat Old {};
    std::optional<TempFileGuard> Temp; // only for a temporary file
    std::string Buffer;

    int Errno = 0; // why a write failed

    bool Flush() {
        if (Ok && !Buffer.empty()) Ok = Put(Buffer);
        Buffer.clear();
        return Ok;
    }
    bool Put(std::string_view bytes) {
        if (WriteAll(Fd, bytes)) return true;
        Errno = errno;
        return false;
    }
};

AtomicFileWriter::AtomicFileWriter() = default;

AtomicFileWriter::~AtomicFileWriter() {
    Abandon();
}

bool AtomicFileWriter::Open(const fs::path& target) {
    Abandon();
    Error_ = 0;
    const auto fail = [this](int error) {
        Error_ = error;
        return false;
    };
    if (target.empty()) return fail(ENOENT);
    auto s = std::make_unique<State>();
    // Standard output and its kin: the open descriptor is written to, so that "-o /dev/stdout"
    // appends where the shell sends standard output, as any program's output does.
    if (const int fd = NamedDescriptor(target); fd >= 0) {
        if (::fcntl(fd, F_GETFD) < 0) return fail(errno);
        s->How = State::Mode::Descriptor;
        s->Fd = fd;
        S_ = std::move(s);
        return true;
    }
    // A symbolic link stays a link, dangling or not: the file it points to is written.
    s->Path = ResolveLinks(target);
    s->Exists = ::stat(s->Path.c_str(), &s->Old) == 0;
    if (s->Exists && S_ISDIR(s->Old.st_mode)) return fail(EISDIR);
    // A device or a pipe (/dev/null, a named pipe) is written into, never replaced by a file.
    if (s->Exists && !S_ISREG(s->Old.st_mode)) {
        s->How = State::Mode::InPlace;
        s->Fd = ::open(s->Path.c_str(), O_WRONLY | O_CLOEXEC);
        if (s->Fd < 0) return fail(errno);
        S_ = std::move(s);
        return true;
    }
    // A file the user could not write in place is not replaced either, even where the folder
    // would allow it.
    if (s->Exists && ::access(s->Path.c_str(), W_OK) != 0) return fail(errno);
    fs::path folder = s->Path.parent_path();
    if (folder.empty()) folder = ".";
    s->Temp.emplace();
    s->Fd = s->Temp->Create(folder, s->Path.filename().string());
    if (s->Fd < 0) return fail(errno);
    S_ = std::move(s);
    return true;
}

bool AtomicFileWriter::Write(std::string_view bytes) {
    if (!S_) return false;
    if (!S_->Ok) return false;
    if (S_->Buffer.size() + bytes.size() < kWriteBuffer) {
        S_->Buffer.append(bytes);
        return true;
    }
    if (!S_->Flush()) {
        Error_ = S_->Errno;
        return false;
    }
    if (bytes.size() < kWriteBuffer) {
        S_->Buffer.append(bytes);
        return true;
    }
    if (!(S_->Ok = S_->Put(bytes))) Error_ = S_->Errno;
    return S_->Ok;
}

bool AtomicFileWriter::Commit() {
    if (!S_) {
        if (Error_ == 0) Error_ = EBADF;
        return false;
    }
    std::unique_ptr<State> s = std::move(S_);
    const auto fail = [this](int error) {
        Error_ = error;
        return false;
    };
    bool ok = s->Flush();
    int error = s->Errno;
    if (s->How == State::Mode::Descriptor) return ok || fail(error);
    if (s->How == State::Mode::InPlace) {
        if (::close(s->Fd) != 0 && ok) {
            ok = false;
            error = errno;
        }
        return ok || fail(error);
    }
    if (ok && s->Exists) {
        // The replaced file's permission bits, owner and group (as far as the user may give
        // them).
        ok = ::fchmod(s->Fd, s->Old.st_mode & 07777) == 0;
        if (!ok) error = errno;
        if (::fchown(s->Fd, s->Old.st_uid, s->Old.st_gid) != 0)
            (void)::fchown(s->Fd, static_cast<uid_t>(-1), s->Old.st_gid);
    }
    if (::close(s->Fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        s->Temp->Remove();
        return fail(error);
    }
    // Hard links share one file, and a file of another owner stays theirs: such a file is written
    // in place, now that the complete copy exists.
    if (s->Exists && (s->Old.st_nlink > 1 || (::geteuid() != 0 && s->Old.st_uid != ::geteuid()))) {
        // The signals wait until that write is done, so the file is never left half written by
        // them; when the write itself fails the temporary copy stays as the only complete one.
        SignalBlock block;
        if (!CopyInPlace(s->Temp->Path(), s->Path)) {
            error = errno;
            s->Temp->Forget();
            return fail(error);
        }
        s->Temp->Remove();
        return true;
    }
    SignalBlock block;
    if (::rename(s->Temp->Path().c_str(), s->Path.c_str()) != 0) {
        error = errno;
        s->Temp->Remove();
        return fail(error);
    }
    s->Temp->Forget();
    return true;
}

void AtomicFileWriter::Abandon() {
    if (!S_) return;
    std::unique_ptr<State> s = std::move(S_);
    // What was gathered is dropped; a descriptor stays open.
    if (s->How == State::Mode::Descriptor) return;
    ::close(s->Fd);
    if (s->Temp) s->Temp->Remove();
}

bool WriteFileAtomically(const fs::path& target, std::string_view bytes, int* error) {
    AtomicFileWriter writer;
    const bool ok = writer.Open(target) && writer.Write(bytes) && writer.Commit();
    if (error) *error = ok ? 0 : writer.Error();
    return ok;
}

} // namespace zirtel
