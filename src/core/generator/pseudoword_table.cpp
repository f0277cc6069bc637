#include "core/generator/pseudoword_table.h"

#include "core/feedback/messages.h"
#include "core/text/format.h"
#include "core/text/latin1.h"
#include "core/text/text_file.h"

namespace zirtel {

const std::vector<std::string>& PseudowordColumns() {
    static const std::vector<std::string> columns{"template", "pseudoword", "syllables",
                                                  "overlap",  "max_dev",    "sum_dev",
                                                  "OLD20",    "OLD20_diff", "pronunciation"};
    return columns;
}

std::vector<std::string> PseudowordCells(const GeneratedPseudoword& w) {
    const std::string na = "NA";
    return {w.Template,
            w.Pseudoword,
            w.Syllables,
            std::to_string(w.KeptSegments) + "/" + std::to_string(w.TemplateSegments),
            std::to_string(w.MaxDeviation),
            std::to_string(w.SumDeviation),
            w.Old20 ? FormatReal(*w.Old20, 0, 2) : na,
            w.Old20 && w.TemplateOld20 ? FormatReal(*w.Old20 - *w.TemplateOld20, 0, 2) : na,
            w.Pronunciation};
}

std::string PseudowordTableText(const std::vector<GeneratedPseudoword>& words) {
    std::string text;
    auto row = [&text](const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) text += '\t';
            text += Latin1ToUtf8(cells[c]);
        }
        text += '\n';
    };
    row(PseudowordColumns());
    for (const GeneratedPseudoword& w : words) row(PseudowordCells(w));
    return text;
}

bool SavePseudowordTable(const std::filesystem::path& path,
                         const std::vector<GeneratedPseudoword>& words, Feedback& feedback) {
    int error = 0;
    if (!WriteFileAtomically(path, PseudowordTableText(words), &error)) {
        Show(feedback, msg::ResultsNotSaved(path.string(), SystemReason(error)));
        return false;
    }
    feedback.ShowMessage("", "Irteera gordeta", MessageButtons::OkCancel);
    return true;
}

} // namespace zirtel
