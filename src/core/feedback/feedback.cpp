#include "core/feedback/feedback.h"

namespace zirtel {

namespace {
class SilentProgress : public ProgressWindow {
  public:
    void SetLabel(const std::string&) override {}
    void SetFileLabel(const std::string&) override {}
    void SetMax(int) override {}
    void SetPosition(int) override {}
    void Step() override {}
};
} // namespace

std::unique_ptr<ProgressWindow> SilentFeedback::OpenProgress(const std::string&, const std::string&,
                                                             int) {
    return std::make_unique<SilentProgress>();
}

} // namespace zirtel
