// The files of one batch run: the inputs it reads and the outputs it writes, checked before any
// work (no output may name an input or another output, through links or hard links; every
// output's folder must take it), then the outputs opened as atomic writers (a temporary file
// beside each target) and committed together at the end, or abandoned together.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/feedback/messages.h"
#include "core/text/text_file.h"

namespace zirtel {

class RunFiles {
  public:
    // How an output's failure is told: its path and the reason.
    using Failure = std::function<Message(std::string_view path, std::string_view reason)>;

    // `role` names the file in the same-file message ("the items file", "--user1").
    void Input(std::string role, std::filesystem::path path);
    // An output (not standard output); its number.
    std::size_t Output(std::string role, std::filesystem::path path, Failure failure);
    std::size_t OutputCount() const { return Outputs_.size(); }
    const std::filesystem::path& Path(std::size_t output) const { return Outputs_[output].Path; }

    // Two of the files that are one file while one of them is written: "A and B name the same
    // file 'P'". Devices and pipes (/dev/null, /dev/stdout) may be named more than once.
    std::optional<Message> SameFileTwice() const;
    // The first output that cannot be written where it is (no folder, a folder that cannot be
    // written, a folder at its name, a name too long, a file that cannot be written): its
    // failure message.
    std::optional<Message> UnwritableOutput() const;

    // Opens every output (a temporary file beside each); on the first failure all are abandoned
    // and its message returned.
    std::optional<Message> Open();
    bool Write(std::size_t output, std::string_view bytes) {
        return Outputs_[output].Writer->Write(bytes);
    }
    // Puts the output in place; its failure message otherwise.
    std::optional<Message> Commit(std::size_t output);
    // Abandons every output not yet committed: the targets stay as they were.
    void Abandon();

  private:
    struct Named {
        std::string Role;
        std::filesystem::path Path;
    };
    struct Out {
        std::string Role;
        std::filesystem::path Path;
        Failure Fails;
        std::unique_ptr<AtomicFileWriter> Writer;
    };
    std::vector<Named> Inputs_;
    std::vector<Out> Outputs_;
};

} // namespace zirtel
