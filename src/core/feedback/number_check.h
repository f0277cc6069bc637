// The numbers of the lexicon and user field files: a value that is not finite or lies beyond the
// 32-bit float range (and, for a frequency, a negative one) is read as 0, and the file's reader
// gives one warning naming the file and the first such line.
#pragma once

#include <cmath>
#include <cstddef>
#include <filesystem>
#include <string>

#include "core/feedback/feedback.h"

namespace zirtel {

class BadNumberTally {
  public:
    explicit BadNumberTally(bool negativeAllowed = false) : NegativeAllowed_(negativeAllowed) {}
    // The value to keep for a number read on line `line` (counted from 1).
    float Check(float value, std::size_t line) {
        if (std::isfinite(value) && (NegativeAllowed_ || value >= 0.0f)) return value;
        if (Count_++ == 0) FirstLine_ = line;
        return 0.0f;
    }
    std::size_t Count() const { return Count_; }
    // The warning's text after the file's name ("N zenbaki ez dira onargarriak ..."), empty when
    // no number was replaced.
    std::string Text() const {
        if (Count_ == 0) return std::string();
        return std::to_string(Count_) +
               (NegativeAllowed_ ? " zenbaki ez dira onargarriak (ez finituak edo "
                                   "handiegiak) eta 0 gisa irakurri dira; lehena "
                                 : " zenbaki ez dira onargarriak (ez finituak, "
                                   "negatiboak edo handiegiak) eta 0 gisa "
                                   "irakurri dira; lehena ") +
               std::to_string(FirstLine_) + ". lerroan.";
    }
    // The warning, when any number was replaced.
    void Report(Feedback& feedback, const std::filesystem::path& path) const {
        if (Count_ == 0) return;
        feedback.ShowMessage("Abisua", path.string() + ": " + Text(), MessageButtons::Ok);
    }

  private:
    bool NegativeAllowed_;
    std::size_t Count_ = 0;
    std::size_t FirstLine_ = 0;
};

} // namespace zirtel
