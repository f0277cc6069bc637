#include "core/analysis/item_list.h"

#include <algorithm>

#include "core/analysis/item_line.h"
#include "core/feedback/feedback.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/token_reader.h"

namespace zirtel {

namespace {
constexpr std::size_t kMaxPasteChars = 100000;
constexpr std::size_t kMaxDirectiveChars = 100;
constexpr std::size_t kMaxConditionName = 99;
constexpr char kUnmappedMark = '\x1A';

// A character that no item holds: outside Latin-1 (marked on reading) or a control character, NUL
// included.
bool IsRefusedChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

// A cell's text as the grid keeps it: refused characters as '?'.
std::string OwnCellText(std::string_view cell) {
    std::string text(cell);
    std::replace_if(text.begin(), text.end(), IsRefusedChar, '?');
    return text;
}

void HandleDirective(std::string_view line, StimulusList& list) {
    line = line.substr(0, kMaxDirectiveChars);
    if (!line.empty() && line.front() == '<') line.remove_prefix(1);
    std::size_t w = 0;
    while (w < line.size() && IsBlank(line[w])) ++w;
    if (line.substr(w, 3) != "Con") return;
    int number = -1;
    const std::size_t hash = line.find('#');
    if (hash != std::string_view::npos) {
        std::size_t e = hash + 1;
        if (e < line.size() && (line[e] == '-' || line[e] == '+')) ++e;
        while (e < line.size() && line[e] >= '0' && line[e] <= '9') ++e;
        number = ParseInt(line.substr(hash + 1, e - hash - 1)).value_or(-1);
    }
    std::string name;
    const std::size_t q1 = line.find('"');
    if (q1 != std::string_view::npos) {
        const std::size_t q2 = line.find('"', q1 + 1);
        if (q2 != std::string_view::npos)
            name = std::string(line.substr(q1 + 1, std::min(q2 - q1 - 1, kMaxConditionName)));
    }
    list.NameCondition(number, std::move(name));
}

struct ReadItem {
    std::string_view Text;  // the line's item (empty when its first cell is empty)
    std::string_view Shown; // the line as a message shows it
    int Condition = 1;
    bool Refused = false;              // holds a refused character
    bool Letter = false;               // starts with a letter
    std::size_t Line = 0;              // counted from 1
    std::vector<std::string_view> Own; // the item's own cells
    bool ConditionCell = false;        // the cell after the item is a whole number
};

} // namespace

std::vector<std::string> OwnColumnNames(const std::vector<std::string_view>& header, int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
        const std::size_t at = static_cast<std::size_t>(i);
        if (at < header.size() && !header[at].empty())
            names.emplace_back(header[at]);
        else
            names.push_back("col" + std::to_string(i + 2));
    }
    return names;
}

std::vector<std::string_view> SplitOwnCells(std::string_view joined) {
    std::vector<std::string_view> cells;
    if (joined.empty()) return cells;
    std::size_t start = 0;
    for (std::size_t tab; (tab = joined.find('\t', start)) != std::string_view::npos;
         start = tab + 1)
        cells.push_back(joined.substr(start, tab - start));
    cells.push_back(joined.substr(start));
    return cells;
}

std::string ItemList::LeftOutText() const {
    std::string text;
    if (Refused.Count > 0)
        text = std::to_string(Refused.Count) +
               " item ez dira sartu: Latin-1 ez diren karaktereak edo kontrol-karaktereak "
               "dituzte: " +
               Refused.List();
    if (NotLetter.Count > 0)
        text += (text.empty() ? "" : "; ") + std::to_string(NotLetter.Count) +
                " lerro saltatu dira, ez baitira letra batez hasten: " + NotLetter.List();
    return text;
}

std::optional<ItemList> ParseItemListFile(const std::filesystem::path& path, ReadProblem* problem) {
    std::optional<TextFile> file = ReadTextFile(path, kUnmappedMark, kMaxTextFileBytes, problem);
    if (!file) return std::nullopt;
    // First the items and their conditions, then the list of them.
    std::vector<ReadItem> read;
    StimulusList named(0); // the condition names of the directives
    int accepted = 0;
    std::vector<std::string_view> header; // the own columns' names of a header line
    std::size_t ownCount = 0;             // the most own cells of an item
    {
        const std::string_view text = file->Text;
        // Whether the last line that held anything gave an item without a condition number: a
        // line holding only a whole number is then that item's condition.
        bool conditionOpen = false;
        bool firstContent = true; // no line has given an item or a header yet
        bool directives = false;  // the file has directive lines ("<Cond #2 ...>")
        std::size_t line = 0, start = 0;
        while (start < text.size()) {
            std::size_t end = text.find_first_of("\r\n", start);
            if (end == std::string_view::npos) end = text.size();
            const std::string_view whole = text.substr(start, end - start);
            // CR LF is one line end.
            if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
            start = end + 1;
            ++line;
            const ItemLine split = SplitItemLine(whole);
            if (split.Item.empty() && Trim(split.Rest).empty()) continue; // an empty line
            if (!split.Item.empty() && split.Item.front() == '<') {
                HandleDirective(whole.substr(whole.find('<')), named);
                directives = true;
                conditionOpen = false;
                continue;
            }
            if (firstContent) {
                firstContent = false;
                if (IsHeaderLine(whole)) {
                    header = OwnCells(whole);
                    continue;
                }
            }
            const std::optional<int> number = ParseInt(split.Item);
            if (conditionOpen && number && Trim(split.Rest).empty()) {
                read.back().Condition = *number;
                conditionOpen = false;
                continue;
            }
            ReadItem item;
            item.Text = split.Item;
            item.Line = line;
            item.Shown = whole.substr(0, whole.find_last_not_of(" \t\r\f\v") + 1);
            // The item's condition: the next token when it is a whole number.
            const std::vector<std::string_view> rest = SplitTokens(split.Rest);
            std::optional<int> condition;
            if (!rest.empty()) condition = ParseInt(rest.front());
            item.Condition = condition.value_or(1);
            item.Refused = std::any_of(item.Text.begin(), item.Text.end(), IsRefusedChar);
            item.Letter = !item.Text.empty() && IsAcceptedFirstLetter(item.Text.front());
            accepted += !item.Refused && item.Letter;
            if (!item.Refused && item.Letter) item.Own = OwnCells(whole);
            item.ConditionCell = condition.has_value();
            conditionOpen = item.Letter && rest.empty();
            read.push_back(item);
        }
        // In a file of conditions (one with directives), the whole number after an item is its
        // condition, not one of its own columns.
        for (ReadItem& item : read) {
            if (directives && item.ConditionCell && !item.Own.empty())
                item.Own.erase(item.Own.begin());
            ownCount = std::max(ownCount, item.Own.size());
        }
    }
    const int n = std::min(accepted, 50'000'000);
    const int ownColumns = static_cast<int>(std::max(ownCount, header.size()));
    ItemList list{.Stimuli = StimulusList(n),
                  .ColumnNames = OwnColumnNames(header, ownColumns),
                  .Refused = {},
                  .NotLetter = {}};
    StimulusList& stimuli = list.Stimuli;
    stimuli.ConditionNames = named.ConditionNames;
    stimuli.Items.reserve(static_cast<std::size_t>(n));
    stimuli.Lines.reserve(static_cast<std::size_t>(n));
    // An entry in the message: its first 40 characters, the unusable ones as '?'.
    const auto shown = [](const ReadItem& entry) {
        return [&entry] {
            std::string text((entry.Refused ? entry.Text : entry.Shown).substr(0, 40));
            std::replace(text.begin(), text.end(), '\t', ' ');
            std::replace_if(text.begin(), text.end(), IsRefusedChar, '?');
            return Latin1ToUtf8(text) + " (" + std::to_string(entry.Line) + ". lerroa)";
        };
    };
    int r = 1;
    for (const ReadItem& entry : read) {
        stimuli.RecordCondition(r, entry.Condition);
        if (entry.Refused) {
            list.Refused.Add(shown(entry));
            continue;
        }
        if (!entry.Letter) {
            list.NotLetter.Add(shown(entry));
            continue;
        }
        ++stimuli.ItemCount;
        if (ownColumns > 0) {
            std::string own;
            for (std::size_t i = 0; i < entry.Own.size(); ++i)
                (own += i > 0 ? "\t" : "") += OwnCellText(entry.Own[i]);
            stimuli.OwnCells.push_back(std::move(own));
        }
        stimuli.Items.push_back(LowerAscii(entry.Text));
        stimuli.Lines.push_back(entry.Line);
        ++r;
    }
    return list;
}

std::optional<ItemList> ReadItemList(Feedback& ui, const std::filesystem::path& path) {
    ReadProblem problem = ReadProblem::None;
    std::optional<ItemList> list = ParseItemListFile(path, &problem);
    if (!list) {
        if (problem == ReadProblem::TooLarge)
            ui.ShowMessage("File Error",
                           "Sarrera-fitxategia handiegia da: " + path.string() + " (gehienez " +
                               std::to_string(kMaxTextFileBytes >> 20) + " MB)",
                           MessageButtons::OkCancel);
        else
            ui.ShowMessage("File Error", "Can't open input file " + path.string(),
                           MessageButtons::OkCancel);
        return std::nullopt;
    }
    {
        const int n =
            static_cast<int>(std::min<std::size_t>(list->Stimuli.Items.size(), 50'000'000));
        auto progress = ui.OpenProgress("Reading input file ...", "", n);
        BusyCursor busy(ui);
        for (int i = 0; i < n; ++i) progress->Step();
    }
    if (const std::string leftOut = list->LeftOutText(); !leftOut.empty())
        ui.ShowMessage("Abisua", leftOut, MessageButtons::Ok);
    return list;
}

PastedItems ParsePastedItems(std::string_view text) {
    const std::string_view clip = text.substr(0, kMaxPasteChars);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = clip.find('\n', start)) != std::string_view::npos; start = end + 1)
        lines.push_back(clip.substr(start, end - start));
    // A last line without a line feed is an item too.
    if (start < clip.size()) lines.push_back(clip.substr(start));
    PastedItems pasted;
    // Each row's other cells are its own columns: the list gets as many as the widest row has.
    for (std::string_view line : lines)
        pasted.OwnColumns = std::max(pasted.OwnColumns, OwnCells(line).size());
    // Each line gives its first cell's item (a spreadsheet row's other cells are not items),
    // with its letters only.
    for (std::string_view line : lines) {
        PastedRow row;
        for (char c : SplitItemLine(line).Item) {
            if (c >= 'A' && c <= 'Z')
                row.Item.push_back(LowerAsciiChar(c));
            else if ((c >= 'a' && c <= 'z') || IsAccentedLetter(c))
                row.Item.push_back(c);
        }
        // A last line without a line feed that gives no item adds no row.
        if (line.data() == lines.back().data() && start < clip.size() && row.Item.empty()) break;
        for (std::string_view cell : OwnCells(line)) row.Own.push_back(OwnCellText(cell));
        pasted.Rows.push_back(std::move(row));
    }
    return pasted;
}

} // namespace zirtel
