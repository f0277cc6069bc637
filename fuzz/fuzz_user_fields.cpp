// The user-defined field reader over arbitrary file contents, then a look-up of an item.
#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static fuzz::SilentFeedback feedback;
    static Workspace ws(feedback, fuzz::ScratchDir());
    const auto path = fuzz::ScratchDir() / "user.txt";
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    fuzz::WriteBytes(path, text);
    const int number = data[0] % 3;
    LoadUserField(ws, path, number);
    const UserField& field = ws.Setup.UserFields[static_cast<std::size_t>(number)];
    if (field.Missing.size() != field.Words.size()) __builtin_trap();
    for (const std::string& w : field.Words) (void)(field.ValueOf(w) + field.IsMissing(w));
    (void)field.ValueOf(text.substr(0, 10));
    return 0;
}
