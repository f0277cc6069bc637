// The streamed analysis. Items are analysed in rounds: the workers share a round's items, each
// item's output (its results row, its neighbour list lines, its messages) is kept until the round
// is done, and then the outputs go out in item order.
//
// The neighbour lists are the one state carried from item to item. Each worker fills lists of
// its own, emptied before every item and started on their second row. An item's block of rows is
// then the same as in one list filled item after item, apart from empty rows, which no file
// shows, as long as the shared list would be past its first row. Only the first items of a list
// can meet it on its first row (where a block may stay open for the next item to write into):
// those are measured again, in order, on the workspace's own lists, for the list files. The tidy
// table is written from each item's recorded neighbours.
#include "core/analysis/streamed_analysis.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/analysis/item_statistics.h"
#include "core/analysis/results_style.h"
#include "core/analysis/tidy_neighbours.h"
#include "core/analysis/workspace.h"
#include "core/feedback/held_feedback.h"
#include "core/fields/value_format.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

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
    int Cols;                        // columns 1 .. NextCol - 1
    int FirstField;                  // the column of the first field (after the own columns)
    std::vector<FieldId> FieldOfCol; // by column - FirstField
    const ResultsStyle& Style;
    std::string Missing; // Latin-1
    ValueStyle Values;   // the style's values, Missing pointing at the text above
    const StreamedOutputs& Out;
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

// The save lines of a list's rows first..last - 1 when that list's file is requested.
void ListLines(const RunPlan& plan, const NeighbourList& list, int first, int last, bool ortho,
               std::string& save) {
    if (!(ortho ? bool(plan.Out.OrthoList) : bool(plan.Out.PhonList))) return;
    std::string latin, item;
    list.AppendSaveRows(latin, first, last, item);
    save += Latin1ToUtf8(latin);
}

// The tidy table's lines of an item's recorded neighbours when the table is requested.
void TidyLines(const RunPlan& plan, const std::string& item,
               const std::vector<NeighbourRecord>& records, bool ortho, std::string& tidy) {
    if (!(ortho ? bool(plan.Out.TidyOrtho) : bool(plan.Out.TidyPhon)) || records.empty()) return;
    std::string latin;
    AppendTidyLines(latin, item, records, ortho ? kOrthographicList : kPhonologicalList,
                    plan.Decimals);
    tidy += Latin1ToUtf8(latin);
}

class Worker {
  public:
    // `ui`: where the messages go; a worker of its own keeps them for their turn.
    Worker(const RunPlan& plan, Feedback* ui)
        : Plan_(plan), Base_(plan.WS.Measures(true)),
          Ctx_(Base_.Redirected(ui ? *ui : Held_, &Ortho_, &Phon_)) {}

    // Analyses item `index` into `out`; true when it was measured.
    bool Run(std::size_t index, ItemOutput& out) {
        const std::string& item = Plan_.Items[index];
        out.Ortho.clear();
        out.Phon.clear();
        out.TidyOrtho.clear();
        out.TidyPhon.clear();
        out.OrthoTouched = out.PhonTouched = false;
        bool measured = false;
        // An item too short is left alone (as AnalyseAll leaves it); one too long is missing.
        const bool valued = item.size() >= static_cast<std::size_t>(kMinItemLength);
        if (item.size() > static_cast<std::size_t>(kMaxItemLength)) {
            if (!Plan_.Out.LongItemsReported)
                Ctx_.UI.ShowMessage("Errorea", LongItemText(), MessageButtons::Ok);
            MeasureItem(Ctx_, item, Plan_.Fields, Values_);
        } else if (valued) {
            StartAfresh(Ortho_);
            StartAfresh(Phon_);
            MeasureItem(Ctx_, item, Plan_.Fields, Values_);
            out.OrthoTouched = Touched(Ortho_);
            out.PhonTouched = Touched(Phon_);
            ListLines(Plan_, Ortho_, 1, Ortho_.CurrentRow, true, out.Ortho);
            ListLines(Plan_, Phon_, 1, Phon_.CurrentRow, false, out.Phon);
            TidyLines(Plan_, item, Values_.OrthoNeighbours(), true, out.TidyOrtho);
            TidyLines(Plan_, item, Values_.PhonNeighbours(), false, out.TidyPhon);
            measured = true;
        }
        Latin_.clear();
        AppendResultsLine(Latin_, Plan_.Cols, Plan_.Style, [&](int c, std::string& line) {
            if (c == 1)
                AppendTextCell(line, item, Plan_.Style);
            else if (c < Plan_.FirstField)
                AppendTextCell(line, OwnCell(index, c - 2), Plan_.Style);
            else if (valued) {
                const FieldId f = Plan_.FieldOfCol[static_cast<std::size_t>(c - Plan_.FirstField)];
                AppendValueText(line, f, Values_.At(f), Plan_.Values);
            }
        });
        out.Row = Latin1ToUtf8(Latin_);
        out.Messages = std::move(Held_.Messages);
        Held_.Messages.clear();
        return measured;
    }

  private:
    // Own cell `i` of item `index` (empty past its last).
    std::string_view OwnCell(std::size_t index, int i) const {
        const std::vector<std::string>& own = Plan_.WS.Stimuli.OwnCells;
        if (index >= own.size()) return {};
        std::string_view cells = own[index];
        for (; i > 0; --i) {
            const std::size_t tab = cells.find('\t');
            if (tab == std::string_view::npos) return {};
            cells.remove_prefix(tab + 1);
        }
        return cells.substr(0, cells.find('\t'));
    }
    const RunPlan& Plan_;
    MeasureContext Base_;
    HeldFeedback Held_;
    NeighbourList Ortho_, Phon_;
    MeasureContext Ctx_;
    RowValues Values_;
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
        for (const HeldMessage& m : out.Messages)
            ws.Setup.UI.ShowMessage(m.Caption, m.Text, m.Buttons);
        const bool orthoFirst = OrthoOnFirstRow_ && out.OrthoTouched;
        const bool phonFirst = PhonOnFirstRow_ && out.PhonTouched;
        if (orthoFirst || phonFirst) MeasureOnOwnLists(index, orthoFirst, phonFirst);
        if (!orthoFirst) Send(Plan_.Out.OrthoList, out.Ortho);
        if (!phonFirst) Send(Plan_.Out.PhonList, out.Phon);
        Send(Plan_.Out.TidyOrtho, out.TidyOrtho);
        Send(Plan_.Out.TidyPhon, out.TidyPhon);
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
        RowValues values;
        MeasureItem(own, Plan_.Items[index], Plan_.Fields, values);
        if (ortho) Leave(ws.OrthoNeighbours, true, OrthoOnFirstRow_);
        if (phon) Leave(ws.PhonNeighbours, false, PhonOnFirstRow_);
    }

    void Leave(NeighbourList& list, bool ortho, bool& onFirstRow) {
        if (list.CurrentRow <= 1) return;
        onFirstRow = false;
        std::string save;
        ListLines(Plan_, list, 1, list.CurrentRow, ortho, save);
        Send(ortho ? Plan_.Out.OrthoList : Plan_.Out.PhonList, save);
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
    RunPlan plan{.WS = ws,
                 .Items = items,
                 .Fields = ws.ShownFields(),
                 .Decimals = ws.Decimals,
                 .Cols = std::max(ws.NextCol - 1, 0),
                 .FirstField = ws.FirstFieldCol(),
                 .FieldOfCol = ws.Results.Columns(),
                 .Style = style,
                 .Missing = style.Missing ? Utf8ToLatin1(*style.Missing).Text : std::string(),
                 .Values = {},
                 .Out = outputs};
    plan.Values = ValueStyle{.Decimals = ws.Decimals,
                             .Missing = style.Missing ? &plan.Missing : nullptr,
                             .Plain = style.Plain};

    // The headers.
    if (outputs.Results) {
        std::string latin;
        AppendResultsLine(latin, plan.Cols, style, [&](int c, std::string& line) {
            AppendTextCell(line, ws.OutputGrid.Cell(c, 0), style);
        });
        outputs.Results(Latin1ToUtf8(latin));
    }

    const int rows = static_cast<int>(items.size()) + 5;
    auto progress = ws.Setup.UI.OpenProgress("Analysing all items ...", "", rows);
    progress->AllowCancel();
    BusyCursor busy(ws.Setup.UI);
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
    if (anyMeasured && !ws.Setup.Options.FlagTicked(OptionFlag::NList))
        ws.ShowNeighbourList = false;
    {
        Worker first(plan, &ws.Setup.UI);
        bool measured = false;
        while (next < items.size() && !measured) {
            if (ws.Setup.UI.Cancelled()) return false;
            measured = first.Run(next, single);
            emitter.Emit(next, single);
            progress->Step();
            ++next;
        }
    }
    // PLD20 builds its index on the first item found in the lexicon: built here, before the
    // workers share it.
    if ((plan.Fields[static_cast<std::size_t>(FieldIndex(FieldId::kPLD20))] ||
         plan.Fields[static_cast<std::size_t>(FieldIndex(FieldId::kPLD20F))]) &&
        ws.Setup.WholeWords.HasPronunciations())
        ws.Measures().Tables.PhonLevenshtein(ws.Setup.WholeWords);

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
                if (ws.Setup.UI.Cancelled()) return false;
                workers[0]->Run(next + i, round[i]);
            }
        } else {
            if (ws.Setup.UI.Cancelled()) return false;
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
    if (ws.Setup.UI.Cancelled()) return false;
    // The line of the first free row.
    if (outputs.Results && !style.Plain) {
        std::string latin;
        AppendResultsLine(latin, plan.Cols, style, [](int, std::string&) {});
        outputs.Results(Latin1ToUtf8(latin));
    }
    progress->SetPosition(rows);
    return true;
}

int DefaultJobs() {
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace zirtel
