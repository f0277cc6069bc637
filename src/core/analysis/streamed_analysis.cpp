// The streamed analysis. Items are analysed in rounds: the workers share a round's items, each
// item's output (its results row, its neighbour list lines, its messages) is kept until the round
// is done, and then the outputs go out in item order.
//
// The neighbour lists are the one state carried from item to item. Each worker fills lists of
// its own, emptied before every item and started on their second row. An item's block of rows is
// then the same as in one list filled item after item, apart from empty rows, which no file
// shows, as long as the shared list would be past its first row. Only the first items of a list
// can meet it on its first row (where a block may stay open for the next item to write into):
// those are measured again, in order, on the workspace's own lists.
#include "core/analysis/streamed_analysis.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "core/analysis/item_statistics.h"
#include "core/analysis/results_style.h"
#include "core/analysis/tidy_neighbours.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

struct HeldMessage {
    std::string Caption, Text;
    MessageButtons Buttons;
};

// A worker's Feedback: its messages wait for their item's turn.
class HeldFeedback : public Feedback {
  public:
    std::vector<HeldMessage> Messages;
    MessageResult ShowMessage(const std::string& caption, const std::string& text,
                              MessageButtons buttons) override {
        Messages.push_back({caption, text, buttons});
        return MessageResult::Ok;
    }
    void Beep() override {}
    void SetBusy(bool) override {}
    std::unique_ptr<ProgressWindow> OpenProgress(const std::string& label,
                                                 const std::string& fileLabel, int max) override {
        return Silent_.OpenProgress(label, fileLabel, max);
    }

  private:
    SilentFeedback Silent_;
};

// What one item gives.
struct ItemOutput {
    std::string Row; // UTF-8, as every output below
    std::string Ortho, Phon, TidyOrtho, TidyPhon;
    std::vector<HeldMessage> Messages;
    bool OrthoTouched = false, PhonTouched = false; // the item's searches used the list
};

// What every worker reads, fixed for the run.
struct RunPlan {
    Workspace& WS;
    const std::vector<std::string>& Items;
    FieldSet Fields;
    int Decimals;
    int Cols;                    // columns 1 .. NextCol - 1
    std::vector<int> FieldOfCol; // by column - 1; -1 for the item column
    const ResultsStyle& Style;
    std::string Missing; // Latin-1
    const StreamedOutputs& Out;
    std::function<std::string(const std::string&)> ItemOf; // for the tidy table
};

// A list as a worker starts it for each item: empty, on its second row.
void StartAfresh(NeighbourList& list) {
    list.Clear();
    list.CurrentRow = 2;
    list.RowNeighbourCount = 0;
}

bool Touched(const NeighbourList& list) {
    return list.CurrentRow != 2 || list.RowNeighbourCount != 0 ||
           !list.NeighList.Cell(0, 2).empty();
}

// The lines of a list's rows first..last - 1 for each list output requested.
void ListLines(const RunPlan& plan, const NeighbourList& list, int first, int last, bool ortho,
               std::string& save, std::string& tidy, std::string& saveItem, std::string& tidyItem) {
    const auto& out = plan.Out;
    std::string latin;
    if (ortho ? bool(out.OrthoList) : bool(out.PhonList)) {
        list.AppendSaveRows(latin, first, last, saveItem);
        save += Latin1ToUtf8(latin);
    }
    if (ortho ? bool(out.TidyOrtho) : bool(out.TidyPhon)) {
        latin.clear();
        AppendTidyRows(latin, list, first, last, ortho ? "orthographic" : "phonological",
                       ortho ? plan.WS.Current() : plan.WS.WholeWords, plan.Decimals, plan.ItemOf,
                       tidyItem);
        tidy += Latin1ToUtf8(latin);
    }
}

class Worker {
  public:
    // `ui`: where the messages go; a worker of its own keeps them for their turn.
    Worker(const RunPlan& plan, Feedback* ui)
        : Plan_(plan), Base_(plan.WS.Measures(true)),
          Ctx_(Base_.Redirected(ui ? *ui : Held_, &Ortho_, &Phon_)),
          Texts_(static_cast<std::size_t>(plan.Cols)) {}

    // Analyses item `index` into `out`; true when it was measured.
    bool Run(std::size_t index, ItemOutput& out) {
        const std::string& item = Plan_.Items[index];
        for (std::string& text : Texts_) text.clear();
        if (!Texts_.empty()) Texts_[0] = item;
        out.Ortho.clear();
        out.Phon.clear();
        out.TidyOrtho.clear();
        out.TidyPhon.clear();
        out.OrthoTouched = out.PhonTouched = false;
        bool measured = false;
        if (item.size() > static_cast<std::size_t>(kMaxItemLength)) {
            if (!Plan_.Out.LongItemsReported)
                Ctx_.UI.ShowMessage("Errorea", LongItemText(), MessageButtons::Ok);
        } else if (item.size() >= static_cast<std::size_t>(kMinItemLength)) {
            StartAfresh(Ortho_);
            StartAfresh(Phon_);
            MeasureItem(Ctx_, item, Plan_.Fields, Plan_.Decimals, Cells_);
            for (int c = 1; c < Plan_.Cols; ++c) {
                const int f = Plan_.FieldOfCol[static_cast<std::size_t>(c)];
                if (f >= 0 && Cells_.Written()[static_cast<std::size_t>(f)])
                    Texts_[static_cast<std::size_t>(c)] = Cells_.Cell(f);
            }
            out.OrthoTouched = Touched(Ortho_);
            out.PhonTouched = Touched(Phon_);
            std::string saveItem, tidyItem;
            ListLines(Plan_, Ortho_, 1, Ortho_.CurrentRow, true, out.Ortho, out.TidyOrtho, saveItem,
                      tidyItem);
            saveItem.clear();
            tidyItem.clear();
            ListLines(Plan_, Phon_, 1, Phon_.CurrentRow, false, out.Phon, out.TidyPhon, saveItem,
                      tidyItem);
            measured = true;
        }
        Latin_.clear();
        AppendStyledRow(Latin_, Texts_.data(), Plan_.Cols, true, Plan_.Style, Plan_.Missing);
        out.Row = Latin1ToUtf8(Latin_);
        out.Messages = std::move(Held_.Messages);
        Held_.Messages.clear();
        return measured;
    }

  private:
    const RunPlan& Plan_;
    MeasureContext Base_;
    HeldFeedback Held_;
    NeighbourList Ortho_, Phon_;
    MeasureContext Ctx_;
    RowCells Cells_;
    std::vector<std::string> Texts_;
    std::string Latin_;
};

// The consumer's side: the outputs in item order, and the workspace's own lists while an item
// may still meet them on their first row.
class Emitter {
  public:
    explicit Emitter(const RunPlan& plan) : Plan_(plan) {
        Workspace& ws = plan.WS;
        ws.OrthoNeighbours.Clear();
        ws.PhonNeighbours.Clear();
    }

    void Emit(std::size_t index, ItemOutput& out) {
        Workspace& ws = Plan_.WS;
        for (const HeldMessage& m : out.Messages) ws.UI.ShowMessage(m.Caption, m.Text, m.Buttons);
        const bool orthoFirst = OrthoOnFirstRow_ && out.OrthoTouched;
        const bool phonFirst = PhonOnFirstRow_ && out.PhonTouched;
        if (orthoFirst || phonFirst) MeasureOnOwnLists(index, orthoFirst, phonFirst);
        if (!orthoFirst) {
            Send(Plan_.Out.OrthoList, out.Ortho);
            Send(Plan_.Out.TidyOrtho, out.TidyOrtho);
        }
        if (!phonFirst) {
            Send(Plan_.Out.PhonList, out.Phon);
            Send(Plan_.Out.TidyPhon, out.TidyPhon);
        }
        Send(Plan_.Out.Results, out.Row);
    }

  private:
    static void Send(const std::function<void(std::string_view)>& to, const std::string& bytes) {
        if (to && !bytes.empty()) to(bytes);
    }

    // The item measured again into the workspace's lists that are still on their first row;
    // the rows that are complete once a list has left it go out.
    void MeasureOnOwnLists(std::size_t index, bool ortho, bool phon) {
        Workspace& ws = Plan_.WS;
        HeldFeedback quiet; // the worker's messages have gone out already
        NeighbourList spareOrtho, sparePhon;
        MeasureContext ctx = ws.Measures(true);
        MeasureContext own = ctx.Redirected(quiet, ortho ? &ws.OrthoNeighbours : &spareOrtho,
                                            phon ? &ws.PhonNeighbours : &sparePhon);
        RowCells cells;
        MeasureItem(own, Plan_.Items[index], Plan_.Fields, Plan_.Decimals, cells);
        if (ortho) Leave(ws.OrthoNeighbours, true, OrthoOnFirstRow_);
        if (phon) Leave(ws.PhonNeighbours, false, PhonOnFirstRow_);
    }

    void Leave(NeighbourList& list, bool ortho, bool& onFirstRow) {
        if (list.CurrentRow <= 1) return;
        onFirstRow = false;
        std::string save, tidy, saveItem, tidyItem;
        ListLines(Plan_, list, 1, list.CurrentRow, ortho, save, tidy, saveItem, tidyItem);
        Send(ortho ? Plan_.Out.OrthoList : Plan_.Out.PhonList, save);
        Send(ortho ? Plan_.Out.TidyOrtho : Plan_.Out.TidyPhon, tidy);
        list.Clear();
    }

    const RunPlan& Plan_;
    bool OrthoOnFirstRow_ = true, PhonOnFirstRow_ = true;
};

} // namespace

bool AnalyseStreamed(Workspace& ws, const ResultsStyle& style, int jobs,
                     const StreamedOutputs& outputs) {
    const Workspace::Operation op(ws);
    const std::vector<std::string>& items = ws.Stimuli.Items;
    const auto& cat = FieldCatalogue();
    RunPlan plan{.WS = ws,
                 .Items = items,
                 .Fields = ws.ShownFields(),
                 .Decimals = ws.Decimals,
                 .Cols = std::max(ws.NextCol - 1, 0),
                 .FieldOfCol = {},
                 .Style = style,
                 .Missing = style.Missing ? Utf8ToLatin1(*style.Missing).Text : std::string(),
                 .Out = outputs,
                 .ItemOf = {}};
    plan.FieldOfCol.assign(static_cast<std::size_t>(plan.Cols), -1);
    for (int f = 0; f < kFieldCount; ++f) {
        const int col = ws.*cat[static_cast<std::size_t>(f)].Col;
        if (col >= 2 && col - 1 < plan.Cols) plan.FieldOfCol[static_cast<std::size_t>(col - 1)] = f;
    }
    // The tidy table gives each item as the results show it: the first item of the list's
    // upper-case spelling.
    struct UpperHash {
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string>()(UpperLatin1(s));
        }
    };
    struct UpperEqual {
        bool operator()(std::string_view a, std::string_view b) const {
            return UpperLatin1(a) == UpperLatin1(b);
        }
    };
    std::unordered_map<std::string_view, std::size_t, UpperHash, UpperEqual> firstOfUpper;
    if (outputs.TidyOrtho || outputs.TidyPhon) {
        firstOfUpper.reserve(items.size());
        for (std::size_t i = 0; i < items.size(); ++i) firstOfUpper.emplace(items[i], i);
        plan.ItemOf = [&firstOfUpper, &items](const std::string& upper) {
            const auto found = firstOfUpper.find(upper);
            return found != firstOfUpper.end() ? items[found->second] : LowerLatin1(upper);
        };
    }

    // The headers.
    if (outputs.Results) {
        std::vector<std::string> headers;
        for (int c = 1; c <= plan.Cols; ++c) headers.emplace_back(ws.OutputGrid.Cell(c, 0));
        std::string latin;
        AppendStyledRow(latin, headers.data(), plan.Cols, false, style, plan.Missing);
        outputs.Results(Latin1ToUtf8(latin));
    }

    const int rows = static_cast<int>(items.size()) + 5;
    auto progress = ws.UI.OpenProgress("Analysing all items ...", "", rows);
    progress->AllowCancel();
    BusyCursor busy(ws.UI);
    Emitter emitter(plan);
    ItemOutput single;
    std::size_t next = 0;
    // Until one item has been measured (and the tables it reads are loaded), items go one by one
    // on this thread, their messages straight to the user.
    // An unticked list box stops the listing once an item is measured (AnalyseItem).
    const bool anyMeasured = std::any_of(items.begin(), items.end(), [](const std::string& item) {
        return item.size() >= static_cast<std::size_t>(kMinItemLength) &&
               item.size() <= static_cast<std::size_t>(kMaxItemLength);
    });
    if (anyMeasured && !ws.Options.FlagTicked(OptionFlag::NList)) ws.ShowNeighbourList = false;
    {
        Worker first(plan, &ws.UI);
        bool measured = false;
        while (next < items.size() && !measured) {
            if (ws.UI.Cancelled()) return false;
            measured = first.Run(next, single);
            emitter.Emit(next, single);
            progress->Step();
            ++next;
        }
    }
    // PLD20 builds its index on the first item found in the lexicon: built here, before the
    // workers share it.
    if (plan.Fields[static_cast<std::size_t>(FieldIndex(FieldId::kPLD20))] &&
        ws.WholeWords.HasPronunciations())
        ws.Measures().Tables.PhonLevenshtein(ws.WholeWords);

    jobs = std::max(jobs, 1);
    std::vector<std::unique_ptr<Worker>> workers;
    for (int j = 0; j < jobs; ++j) workers.push_back(std::make_unique<Worker>(plan, nullptr));
    const std::size_t roundSize = jobs == 1 ? 64 : static_cast<std::size_t>(256 * jobs);
    constexpr std::size_t kChunk = 16;
    std::vector<ItemOutput> round(roundSize);
    while (next < items.size()) {
        const std::size_t count = std::min(roundSize, items.size() - next);
        std::atomic<std::size_t> taken{0};
        auto work = [&](Worker& worker) {
            for (;;) {
                const std::size_t start = taken.fetch_add(kChunk);
                if (start >= count) return;
                const std::size_t end = std::min(start + kChunk, count);
                for (std::size_t i = start; i < end; ++i) worker.Run(next + i, round[i]);
            }
        };
        if (jobs == 1) {
            // One by one, as AnalyseAll: the cancellation is asked before each item.
            for (std::size_t i = 0; i < count; ++i) {
                if (ws.UI.Cancelled()) return false;
                workers[0]->Run(next + i, round[i]);
            }
        } else {
            if (ws.UI.Cancelled()) return false;
            std::vector<std::thread> threads;
            for (int j = 1; j < jobs; ++j) threads.emplace_back(work, std::ref(*workers[j]));
            work(*workers[0]);
            for (std::thread& t : threads) t.join();
        }
        for (std::size_t i = 0; i < count; ++i) {
            emitter.Emit(next + i, round[i]);
            progress->Step();
        }
        next += count;
    }
    if (ws.UI.Cancelled()) return false;
    // The line of the first free row.
    if (outputs.Results && !style.Plain) {
        const std::vector<std::string> empty(static_cast<std::size_t>(plan.Cols));
        std::string latin;
        AppendStyledRow(latin, empty.data(), plan.Cols, true, style, plan.Missing);
        outputs.Results(Latin1ToUtf8(latin));
    }
    progress->SetPosition(rows);
    return true;
}

} // namespace zirtel
