#include "cli/run_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <system_error>

#include "core/text/file_identity.h"

namespace zirtel {

namespace fs = std::filesystem;

namespace {

// Names of an open descriptor: written into, whatever the folder.
bool NamesDescriptor(const fs::path& path) {
    const std::string s = path.lexically_normal().string();
    return s == "/dev/stdout" || s == "/dev/stderr" || s.starts_with("/dev/fd/") ||
           s.starts_with("/proc/self/fd/");
}

// Why `path` cannot be written where it is, or 0.
int WriteProblem(const fs::path& path) {
    if (NamesDescriptor(path)) return 0;
    const fs::path target = ResolveLinks(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return EISDIR;
        if (!S_ISREG(st.st_mode)) return 0; // a device or a pipe is written into
        if (::access(target.c_str(), W_OK) != 0) return errno;
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (::stat(folder.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    if (::access(folder.c_str(), W_OK | X_OK) != 0) return errno;
    const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (target.filename().string().size() > static_cast<std::size_t>(nameMax > 0 ? nameMax : 255))
        return ENAMETOOLONG;
    return 0;
}

} // namespace

void RunFiles::Input(std::string role, fs::path path) {
    Inputs_.push_back({std::move(role), std::move(path)});
}

std::size_t RunFiles::Output(std::string role, fs::path path, Failure failure) {
    Outputs_.push_back({std::move(role), std::move(path), std::move(failure), nullptr});
    return Outputs_.size() - 1;
}

std::optional<Message> RunFiles::SameFileTwice() const {
    struct File {
        const std::string* Role;
        const fs::path* Path;
        bool Written;
    };
    std::vector<File> files;
    for (const Named& n : Inputs_) files.push_back({&n.Role, &n.Path, false});
    for (const Out& o : Outputs_) files.push_back({&o.Role, &o.Path, true});
    std::error_code ec;
    for (std::size_t i = 0; i < files.size(); ++i)
        for (std::size_t j = i + 1; j < files.size(); ++j) {
            if (!files[i].Written && !files[j].Written) continue;
            const fs::file_status status = fs::status(*files[i].Path, ec);
            if (fs::exists(status) && !fs::is_regular_file(status)) continue;
            if (NamesDescriptor(*files[i].Path) && NamesDescriptor(*files[j].Path)) continue;
            if (SameFile(*files[i].Path, *files[j].Path))
                return msg::SameFile(*files[i].Role, *files[j].Role, files[j].Path->string());
        }
    return std::nullopt;
}

std::optional<Message> RunFiles::UnwritableOutput() const {
    for (const Out& o : Outputs_)
        if (const int problem = WriteProblem(o.Path))
            return o.Fails(o.Path.string(), SystemReason(problem));
    return std::nullopt;
}

std::optional<Message> RunFiles::Open() {
    for (Out& o : Outputs_) {
        o.Writer = std::make_unique<AtomicFileWriter>();
        if (!o.Writer->Open(o.Path)) {
            const Message failed = o.Fails(o.Path.string(), SystemReason(o.Writer->Error()));
            Abandon();
            return failed;
        }
    }
    return std::nullopt;
}

std::optional<Message> RunFiles::Commit(std::size_t output) {
    Out& o = Outputs_[output];
    if (o.Writer->Commit()) return std::nullopt;
    return o.Fails(o.Path.string(), SystemReason(o.Writer->Error()));
}

void RunFiles::Abandon() {
    for (Out& o : Outputs_)
        if (o.Writer) o.Writer->Abandon();
}

} // namespace zirtel
