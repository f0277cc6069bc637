// The batch command line over arbitrary arguments. Input: the arguments separated by NULs; the
// last piece is the contents of the file "items" in a scratch folder, the working folder. Every
// "/" in an argument becomes "_" and ".." becomes "__", so nothing is named outside that folder.
#include <unistd.h>

#include <sstream>
#include <vector>

#include "cli/batch.h"
#include "fuzz_support.h"

using namespace zirtel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = [] {
        const auto dir = fuzz::ScratchDir() / "batch";
        std::filesystem::create_directories(dir);
        // A tiny lexicon so that "--data-dir ." gives an analysis to run.
        fuzz::WriteBytes(dir / "nwfreq_EUS.txt",
                         "etxe\t10.5\tetxe\tE-tSe\nkale\t3\tka-le\tka-le\n");
        fuzz::WriteBytes(dir / "lemak_EUS2.txt", "etxe\t12\nkale\t3\n");
        return chdir(dir.c_str()) == 0;
    }();
    if (!ready) return 0;
    const std::string_view text = fuzz::AsText(data, size);
    std::vector<std::string> args{"zirtel"};
    std::size_t start = 0;
    std::size_t nul;
    while ((nul = text.find('\0', start)) != std::string_view::npos && args.size() < 24) {
        std::string a(text.substr(start, nul - start));
        for (char& c : a)
            if (c == '/') c = '_';
        for (std::size_t p; (p = a.find("..")) != std::string::npos;) a.replace(p, 2, "__");
        args.push_back(std::move(a));
        start = nul + 1;
    }
    fuzz::WriteBytes("items", text.substr(start));
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);
    std::ostringstream out;
    std::ostringstream err;
    RunBatch(static_cast<int>(args.size()), argv.data(), out, err);
    return 0;
}
