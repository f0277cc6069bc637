// The ways items enter the list: the entry line, an edited cell, the clipboard, an input file.
#include <algorithm>

#include "core/analysis/item_line.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"
#include "core/text/token_reader.h"

namespace zirtel {

namespace {
constexpr const char* kDuplicateText = "Elementu hori dagoeneko sartuta dago.";
constexpr const char* kDuplicateCaption = "Abisua";
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

// The names of `count` own columns: a header line's, then "col2", "col3" ... (the item is the
// first column).
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

// A cell's text as the grid keeps it: refused characters as '?'.
std::string OwnCellText(std::string_view cell) {
    std::string text(cell);
    std::replace_if(text.begin(), text.end(), IsRefusedChar, '?');
    return text;
}

} // namespace

void Workspace::AfterEntry() {
    const int visible = std::max(OutputGrid.VisibleRows, 1);
    if (NextRow > OutputGrid.TopRow() + visible) {
        OutputGrid.SetTopRow(NextRow - visible + 1);
        StimulusGrid.SetTopRow(OutputGrid.TopRow());
    }
    if (OutputGrid.RowCount() == NextRow) {
        OutputGrid.SetRowCount(OutputGrid.RowCount() + 1);
        StimulusGrid.SetRowCount(StimulusGrid.RowCount() + 1);
    }
}

Workspace::EntryResult Workspace::EnterTypedItem(const std::string& text) {
    const Operation op(*this);
    const std::string item = LowerLatin1(Trim(text));
    // An empty line enters nothing and says nothing.
    if (item.empty()) return EntryResult::Empty;
    EntryResult result = EntryResult::Entered;
    if (FindItemRow(item, -1) > 0) {
        UI.ShowMessage(kDuplicateCaption, kDuplicateText, MessageButtons::Ok);
        result = EntryResult::Duplicate;
    } else {
        EnterAtNextRow(item);
    }
    OutputGrid.Col = 2;
    return result;
}

void Workspace::EnterAtNextRow(const std::string& item) {
    if (!OutputGrid.Cell(1, NextRow).empty()) ++NextRow;
    OutputGrid.SetCell(1, NextRow, item);
    StimulusGrid.SetCell(0, NextRow, item);
    SelectStimulusRows(NextRow, NextRow);
    ++NextRow;
    AfterEntry();
}

Workspace::EntryResult Workspace::CommitStimulusCell(int row) {
    const Operation op(*this);
    if (row < 1) return EntryResult::Duplicate;
    const std::string text(StimulusGrid.Cell(0, row));
    // The row's own item is not a duplicate of itself.
    if (FindItemRow(text, row) > 0) {
        UI.ShowMessage(kDuplicateCaption, kDuplicateText, MessageButtons::Ok);
        StimulusGrid.SetCell(0, row, std::string(Item(row)));
        return EntryResult::Duplicate;
    }
    const bool changed = text != Item(row);
    bool measured = false;
    for (int c = FirstFieldCol(); c < NextCol && !measured; ++c)
        measured = !OutputGrid.Cell(c, row).empty();
    OutputGrid.SetCell(1, row, text);
    if (changed && measured) AnalyseItem(row);
    SelectStimulusRows(NextRow, NextRow);
    // Correcting an item inside the list keeps the next free row; an item written at or below
    // it moves it past that item, so saving and typing never lose or skip a row.
    if (row >= NextRow) NextRow = row + 1;
    AfterEntry();
    return EntryResult::Entered;
}

void Workspace::PasteItems(const std::string& text) {
    const Operation op(*this);
    const std::string_view clip = std::string_view(text).substr(0, kMaxPasteChars);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = clip.find('\n', start)) != std::string_view::npos; start = end + 1)
        lines.push_back(clip.substr(start, end - start));
    // A last line without a line feed is an item too.
    if (start < clip.size()) lines.push_back(clip.substr(start));
    // Each row's other cells are its own columns: the list gets as many as the widest row has.
    std::size_t own = ItemColumnNames.size();
    for (std::string_view line : lines) own = std::max(own, OwnCells(line).size());
    if (own > ItemColumnNames.size()) {
        std::vector<std::string> names = ItemColumnNames;
        const std::vector<std::string> more = OwnColumnNames({}, static_cast<int>(own));
        names.insert(names.end(), more.begin() + static_cast<std::ptrdiff_t>(names.size()),
                     more.end());
        SetItemColumns(std::move(names));
    }
    std::string current;
    int r = NextRow;
    // Each line gives its first cell's item (a spreadsheet row's other cells are not items),
    // with its letters only.
    for (std::string_view line : lines) {
        const std::string_view last = lines.back();
        for (char c : SplitItemLine(line).Item) {
            if (c >= 'A' && c <= 'Z')
                current.push_back(LowerAsciiChar(c));
            else if ((c >= 'a' && c <= 'z') || IsAccentedLetter(c))
                current.push_back(c);
        }
        // A last line without a line feed that gives no item adds no row.
        if (line.data() == last.data() && start < clip.size() && current.empty()) break;
        StimulusGrid.SetCell(0, r, current);
        OutputGrid.SetCell(1, r, current);
        const std::vector<std::string_view> cells = OwnCells(line);
        for (std::size_t i = 0; i < cells.size(); ++i)
            OutputGrid.SetCell(2 + static_cast<int>(i), r, OwnCellText(cells[i]));
        ++NextRow;
        current.clear();
        ++r;
        if (OutputGrid.RowCount() < r + 1) OutputGrid.SetRowCount(r + 1);
        if (StimulusGrid.RowCount() < r + 1) StimulusGrid.SetRowCount(r + 1);
    }
    AnalyseAll();
}

void Workspace::ClearItems() {
    const Operation op(*this);
    const int rows = std::max(OutputGrid.RowCount(), StimulusGrid.RowCount());
    for (int r = 1; r < rows; ++r) {
        OutputGrid.ClearRow(r);
        StimulusGrid.ClearRow(r);
    }
    OutputGrid.SetRowCount(30);
    StimulusGrid.SetRowCount(30);
    NextRow = 1;
    OutputGrid.SetTopRow(1);
    StimulusGrid.SetTopRow(1);
    OrthoNeighbours.Clear();
    PhonNeighbours.Clear();
    InputFile.clear();
    QuickEntry_ = false;
    if (!ItemColumnNames.empty()) SetItemColumns({});
}

namespace {

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

} // namespace

namespace {

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

bool Workspace::ReadInputFile(const std::filesystem::path& path, bool intoGrids) {
    const Operation op(*this);
    ReadProblem problem = ReadProblem::None;
    std::optional<TextFile> file = ReadTextFile(path, kUnmappedMark, kMaxTextFileBytes, &problem);
    if (!file) {
        if (problem == ReadProblem::TooLarge)
            UI.ShowMessage("File Error",
                           "Sarrera-fitxategia handiegia da: " + path.string() + " (gehienez " +
                               std::to_string(kMaxTextFileBytes >> 20) + " MB)",
                           MessageButtons::OkCancel);
        else
            UI.ShowMessage("File Error", "Can't open input file " + path.string(),
                           MessageButtons::OkCancel);
        return false;
    }
    ClearItems();
    InputFile = path;
    // First the items and their conditions, so that the grids are sized to the items, whatever
    // the number of blank lines.
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
    if (intoGrids) {
        OutputGrid.SetRowCount(n + 5);
        StimulusGrid.SetRowCount(n + 5);
    }
    const int ownColumns = static_cast<int>(std::max(ownCount, header.size()));
    SetItemColumns(OwnColumnNames(header, ownColumns));
    std::string leftOut; // the message of what was left out, shown once the progress has closed
    {
        auto progress = UI.OpenProgress("Reading input file ...", "", n);
        BusyCursor busy(UI);
        Stimuli = StimulusList(n);
        Stimuli.ConditionNames = named.ConditionNames;
        // What was left out, by reason: items with unusable characters, and lines whose first
        // character is no letter.
        ItemTally refused, notLetter;
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
            Stimuli.RecordCondition(r, entry.Condition);
            if (entry.Refused) {
                refused.Add(shown(entry));
                continue;
            }
            if (!entry.Letter) {
                notLetter.Add(shown(entry));
                continue;
            }
            ++Stimuli.ItemCount;
            std::string item = LowerAscii(entry.Text);
            if (intoGrids) {
                OutputGrid.SetCell(1, r, item);
                StimulusGrid.SetCell(0, r, item);
                for (std::size_t i = 0; i < entry.Own.size(); ++i)
                    OutputGrid.SetCell(2 + static_cast<int>(i), r, OwnCellText(entry.Own[i]));
            } else if (ownColumns > 0) {
                std::string own;
                for (std::size_t i = 0; i < entry.Own.size(); ++i)
                    (own += i > 0 ? "\t" : "") += OwnCellText(entry.Own[i]);
                Stimuli.OwnCells.push_back(std::move(own));
            }
            Stimuli.Items.push_back(std::move(item));
            Stimuli.Lines.push_back(entry.Line);
            ++r;
            progress->Step();
        }
        // One message: the items refused for their characters, then the lines skipped.
        if (refused.Count > 0)
            leftOut = std::to_string(refused.Count) +
                      " item ez dira sartu: Latin-1 ez diren karaktereak edo kontrol-karaktereak "
                      "dituzte: " +
                      refused.List();
        if (notLetter.Count > 0)
            leftOut += (leftOut.empty() ? "" : "; ") + std::to_string(notLetter.Count) +
                       " lerro saltatu dira, ez baitira letra batez hasten: " + notLetter.List();
    }
    if (!leftOut.empty()) UI.ShowMessage("Abisua", leftOut, MessageButtons::Ok);
    OutputGrid.SetTopRow(1);
    StimulusGrid.SetTopRow(1);
    NextRow = 1;
    if (!intoGrids) {
        NextRow = static_cast<int>(Stimuli.Items.size()) + 1;
        return true;
    }
    while (NextRow < OutputGrid.RowCount() && !OutputGrid.Cell(1, NextRow).empty()) ++NextRow;
    return true;
}

} // namespace zirtel
