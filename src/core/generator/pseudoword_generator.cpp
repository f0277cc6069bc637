#include "core/generator/pseudoword_generator.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

#include "core/generator/segments.h"
#include "core/neighbours/spanish_measures.h"
#include "core/phonology/pronunciation_rules.h"
#include "core/text/latin1.h"
#include "core/text/letters.h"
#include "core/text/text_file.h"

namespace zirtel {

std::string FoldedWordKey(std::string_view word) {
    return FoldAccents(LowerLatin1(word));
}

std::optional<std::vector<std::string>> ReadWordList(const std::filesystem::path& path) {
    const std::optional<TextFile> file = ReadTextFile(path);
    if (!file) return std::nullopt;
    std::vector<std::string> words;
    for (std::string_view line : SplitLines(file->Text)) {
        std::string word = Trim(line);
        if (!word.empty()) words.push_back(std::move(word));
    }
    return words;
}

int PseudowordGenerator::TargetOverlap(int nonEmptySegments, int numerator, int denominator) {
    if (nonEmptySegments < 2 || denominator <= 0) return 0;
    // The nearest integer to n x p / q, halves rounded up, in whole numbers.
    const long long n = nonEmptySegments;
    long long target = (2 * n * numerator + denominator) / (2LL * denominator);
    target = std::clamp<long long>(target, 1, n - 1);
    return static_cast<int>(target);
}

std::string StopReasonText(StopReason reason, long long maxCandidates) {
    switch (reason) {
    case StopReason::Enough:
        return "eskatutako kopurua lortu da";
    case StopReason::Exhausted:
        return "bilaketa-espazioa agortu da";
    case StopReason::CandidateCap:
        return std::to_string(maxCandidates) + " hautagai aztertu dira (muga)";
    case StopReason::Cancelled:
        return "bilaketa eten egin da";
    case StopReason::NoVowel:
        return "txantiloiak ez du bokalik";
    case StopReason::NoOverlap:
        return "txantiloiak bi segmentu ez-huts baino gutxiago ditu: ezin da gainjartzea bete";
    case StopReason::ForeignWord:
        return "txantiloia atzerriko hitza edo izena da: ez da erabiltzen";
    }
    return {};
}

std::string OutcomeText(const TemplateOutcome& outcome, const GeneratorSettings& settings) {
    return "\"" + outcome.Template + "\": " + std::to_string(outcome.Found) +
           " sasihitz aurkitu dira (" + std::to_string(settings.Count) +
           " eskatuta): " + StopReasonText(outcome.Reason, settings.MaxCandidates);
}

namespace {

// The lexicon's foreign words and names, by entry (none without origins).
std::vector<bool> ForeignOrNames(const Lexicon& lexicon, const WordOrigins* origins) {
    std::vector<bool> foreign;
    if (!origins) return foreign;
    foreign.reserve(lexicon.LexWords.size());
    for (const std::string& w : lexicon.LexWords) {
        const std::optional<WordOrigin> origin = origins->Find(w);
        foreign.push_back(origin && IsForeignOrName(*origin));
    }
    return foreign;
}

} // namespace

PseudowordGenerator::PseudowordGenerator(const Lexicon& lexicon, Old20Function old20,
                                         const WordOrigins* origins)
    : Lexicon_(lexicon), Old20_(std::move(old20)), Origins_(origins),
      Table_(lexicon.LexWords, ForeignOrNames(lexicon, origins)) {
    LexiconKeys_.reserve(lexicon.LexWords.size());
    for (const std::string& w : lexicon.LexWords) LexiconKeys_.insert(FoldedWordKey(w));
}

void PseudowordGenerator::SetExcludedWords(const std::vector<std::string>& words) {
    ExcludedKeys_.clear();
    for (const std::string& w : words) ExcludedKeys_.insert(FoldedWordKey(w));
}

void PseudowordGenerator::SetSpanishWords(const SpanishWords* words, int maxNeighbours) {
    Spanish_ = words;
    MaxSpanishNeighbours_ = maxNeighbours;
}

// One template's search.
class PseudowordGenerator::Search {
  public:
    Search(const PseudowordGenerator& gen, const GeneratorSettings& settings, RandomEngine& rng,
           std::unordered_set<std::string>& keptKeys,
           std::unordered_set<std::string>& dictionaryKeys, const CancelFunction& cancelled)
        : Gen_(gen), Table_(gen.Table_), Settings_(settings), Rng_(rng), KeptKeys_(keptKeys),
          DictionaryKeys_(dictionaryKeys), Cancelled_(cancelled) {}

    TemplateOutcome Run(const std::string& templ, std::vector<GeneratedPseudoword>& out);

  private:
    struct TrieNode {
        int Parent = -1;
        int Local = 0;
        bool Exhausted = false;
        bool Leaf = false;
    };

    bool Prepare();
    void BuildRound(long long band);
    std::optional<std::vector<int>> Walk();
    int Child(int node, int local);
    std::optional<GeneratedPseudoword> Examine(const std::vector<int>& path);

    const PseudowordGenerator& Gen_;
    const TransitionTable& Table_;
    const GeneratorSettings& Settings_;
    RandomEngine& Rng_;
    std::unordered_set<std::string>& KeptKeys_;
    std::unordered_set<std::string>& DictionaryKeys_; // candidates the dictionary accepted
    const CancelFunction& Cancelled_;

    std::string Template_;
    std::string TemplateKey_;
    std::optional<Segmentation> Shape_; // the template's segments
    int Syllables_ = 0;
    int Last_ = 0; // position of $
    int NonEmpty_ = 0;
    int Target_ = 0;
    std::optional<double> TemplateOld20_;

    // The walk's graph: the segments of the template's syllable count (and segment lengths),
    // numbered locally; node 0 is ^.
    std::vector<int> Global_;                               // local -> segment number
    std::vector<int> Position_;                             // local -> position
    std::vector<std::vector<TransitionTable::Edge>> Edges_; // local -> (local, count)
    std::vector<int> Reference_;                            // the template's count per pair
    long long Widest_ = 0;                  // the band from which on every pair is allowed
    std::vector<std::vector<int>> Allowed_; // this round: local -> successors that reach $
    int EndLocal_ = -1;

    std::vector<TrieNode> Trie_;
    std::unordered_map<unsigned long long, int> Children_; // (node, local) -> node
};

bool PseudowordGenerator::Search::Prepare() {
    Syllables_ = Shape_->SyllableCount();
    Last_ = 3 * Syllables_ + 1;
    for (const std::string& s : Shape_->Segments)
        if (!s.empty()) ++NonEmpty_;
    Target_ = TargetOverlap(NonEmpty_, Settings_.OverlapNumerator, Settings_.OverlapDenominator);

    // The template's own counts: pairs the lexicon lacks count 0.
    std::vector<int> ids(static_cast<std::size_t>(Last_) + 1, -1);
    ids[0] = Table_.Start(Syllables_);
    for (int p = 1; p < Last_; ++p)
        ids[static_cast<std::size_t>(p)] =
            Table_.Find(Syllables_, p, Shape_->Segments[static_cast<std::size_t>(p - 1)]);
    ids[static_cast<std::size_t>(Last_)] = Table_.End(Syllables_);
    for (int p = 0; p < Last_; ++p)
        Reference_.push_back(
            Table_.Count(ids[static_cast<std::size_t>(p)], ids[static_cast<std::size_t>(p) + 1]));
    if (ids[0] < 0) return false; // no lexicon word has this many syllables

    // Local numbering of the segments a walk may use.
    std::unordered_map<int, int> localOf;
    for (int p = 0; p <= Last_; ++p) {
        for (int g : Table_.Layer(Syllables_, p)) {
            if (Settings_.MatchLengths && p > 0 && p < Last_ &&
                Table_.Key(g).Letters.size() !=
                    Shape_->Segments[static_cast<std::size_t>(p - 1)].size())
                continue;
            localOf[g] = static_cast<int>(Global_.size());
            Global_.push_back(g);
            Position_.push_back(p);
        }
    }
    EndLocal_ = localOf.at(ids[static_cast<std::size_t>(Last_)]);
    Edges_.resize(Global_.size());
    for (std::size_t l = 0; l < Global_.size(); ++l) {
        const int p = Position_[l];
        for (const TransitionTable::Edge& e : Table_.Next(Global_[l])) {
            const auto it = localOf.find(e.To);
            if (it == localOf.end()) continue;
            Edges_[l].push_back(TransitionTable::Edge{it->second, e.Count});
            Widest_ = std::max<long long>(
                Widest_, std::abs(e.Count - Reference_[static_cast<std::size_t>(p)]));
        }
    }
    return true;
}

void PseudowordGenerator::Search::BuildRound(long long band) {
    // Backwards from $: a segment stays when one of its allowed pairs leads to one that stays.
    Allowed_.assign(Global_.size(), {});
    std::vector<char> reaches(Global_.size(), 0);
    reaches[static_cast<std::size_t>(EndLocal_)] = 1;
    for (std::size_t l = Global_.size(); l-- > 0;) {
        const int p = Position_[l];
        if (p == Last_) continue;
        const long long ref = Reference_[static_cast<std::size_t>(p)];
        for (const TransitionTable::Edge& e : Edges_[l])
            if (reaches[static_cast<std::size_t>(e.To)] && std::abs(e.Count - ref) <= band)
                Allowed_[l].push_back(e.To);
        reaches[l] = Allowed_[l].empty() ? 0 : 1;
    }
    // A new round may open what the last one had exhausted; taken walks stay taken.
    for (TrieNode& n : Trie_)
        if (!n.Leaf) n.Exhausted = false;
}

int PseudowordGenerator::Search::Child(int node, int local) {
    const unsigned long long key =
        (static_cast<unsigned long long>(node) << 32) | static_cast<unsigned>(local);
    const auto [it, added] = Children_.try_emplace(key, static_cast<int>(Trie_.size()));
    if (added) Trie_.push_back(TrieNode{node, local, false, false});
    return it->second;
}

// A walk not taken before, or nothing when every walk of the round has been taken.
std::optional<std::vector<int>> PseudowordGenerator::Search::Walk() {
    std::vector<int> path{0};
    std::vector<int> options;
    int node = 0;
    for (;;) {
        const TrieNode& here = Trie_[static_cast<std::size_t>(node)];
        const int local = here.Local;
        if (Position_[static_cast<std::size_t>(local)] == Last_) {
            Trie_[static_cast<std::size_t>(node)].Exhausted = true;
            Trie_[static_cast<std::size_t>(node)].Leaf = true;
            return path;
        }
        options.clear();
        for (int next : Allowed_[static_cast<std::size_t>(local)]) {
            const auto it = Children_.find((static_cast<unsigned long long>(node) << 32) |
                                           static_cast<unsigned>(next));
            if (it == Children_.end() || !Trie_[static_cast<std::size_t>(it->second)].Exhausted)
                options.push_back(next);
        }
        if (options.empty()) {
            Trie_[static_cast<std::size_t>(node)].Exhausted = true;
            if (node == 0) return std::nullopt;
            node = Trie_[static_cast<std::size_t>(node)].Parent;
            path.pop_back();
            continue;
        }
        const int next = options[static_cast<std::size_t>(BoundedDraw(Rng_, options.size()))];
        node = Child(node, next);
        path.push_back(next);
    }
}

std::optional<GeneratedPseudoword>
PseudowordGenerator::Search::Examine(const std::vector<int>& path) {
    // The overlap: the template's non-empty segments kept in their place.
    int kept = 0;
    std::string letters;
    for (int p = 1; p < Last_; ++p) {
        const std::string& mine = Table_.Key(Global_[static_cast<std::size_t>(path[p])]).Letters;
        const std::string& theirs = Shape_->Segments[static_cast<std::size_t>(p - 1)];
        if (!theirs.empty() && mine == theirs) ++kept;
        letters += mine;
    }
    if (kept != Target_) return std::nullopt;
    // The engine must read the letters as the walk's segments.
    const std::optional<Segmentation> shape = SegmentWord(letters);
    if (!shape || shape->SyllableCount() != Syllables_) return std::nullopt;
    for (int p = 1; p < Last_; ++p)
        if (shape->Segments[static_cast<std::size_t>(p - 1)] !=
            Table_.Key(Global_[static_cast<std::size_t>(path[p])]).Letters)
            return std::nullopt;
    const std::string key = FoldedWordKey(letters);
    if (key == TemplateKey_ || Gen_.LexiconKeys_.contains(key) ||
        Gen_.ExcludedKeys_.contains(key) || KeptKeys_.contains(key))
        return std::nullopt;
    if (Gen_.Spanish_ &&
        (Gen_.Spanish_->Find(letters) >= 0 ||
         (Gen_.MaxSpanishNeighbours_ >= 0 &&
          FindSpanishNeighbours(*Gen_.Spanish_, letters).Count > Gen_.MaxSpanishNeighbours_)))
        return std::nullopt;
    const Pronunciation pron = Pronounce(letters);
    if (pron.Outcome != PronunciationOutcome::Ok) return std::nullopt;
    if (Gen_.Lexicon_.FindPronunciation(RemoveHyphens(pron.Text)) >= 0) return std::nullopt;
    // Last, so that the count of dictionary words is of candidates kept otherwise.
    if (Gen_.Dictionary_ && (DictionaryKeys_.contains(key) ||
                             (Gen_.Dictionary_(letters) && DictionaryKeys_.insert(key).second)))
        return std::nullopt;

    GeneratedPseudoword w;
    w.Template = Template_;
    w.Pseudoword = letters;
    for (const std::string& s : shape->Syllables) {
        if (!w.Syllables.empty()) w.Syllables += '-';
        w.Syllables += s;
    }
    w.KeptSegments = kept;
    w.TemplateSegments = NonEmpty_;
    for (int p = 0; p < Last_; ++p) {
        const int count = Table_.Count(Global_[static_cast<std::size_t>(path[p])],
                                       Global_[static_cast<std::size_t>(path[p + 1])]);
        const int dev = std::abs(count - Reference_[static_cast<std::size_t>(p)]);
        w.MaxDeviation = std::max(w.MaxDeviation, dev);
        w.SumDeviation += dev;
    }
    if (Gen_.Old20_) w.Old20 = Gen_.Old20_(letters);
    w.TemplateOld20 = TemplateOld20_;
    w.Pronunciation = pron.Text;
    KeptKeys_.insert(key);
    return w;
}

TemplateOutcome PseudowordGenerator::Search::Run(const std::string& templ,
                                                 std::vector<GeneratedPseudoword>& out) {
    TemplateOutcome outcome;
    outcome.Template = templ;
    Template_ = templ;
    TemplateKey_ = FoldedWordKey(templ);
    if (Gen_.Origins_) {
        const std::optional<WordOrigin> origin = Gen_.Origins_->Find(templ);
        if (origin && IsForeignOrName(*origin)) {
            outcome.Reason = StopReason::ForeignWord;
            return outcome;
        }
    }
    Shape_ = SegmentWord(templ);
    if (!Shape_) {
        outcome.Reason = StopReason::NoVowel;
        return outcome;
    }
    const bool usable = Prepare();
    if (Target_ == 0) {
        outcome.Reason = StopReason::NoOverlap;
        return outcome;
    }
    outcome.Reason = StopReason::Exhausted;
    if (!usable) return outcome;
    if (Gen_.Old20_) TemplateOld20_ = Gen_.Old20_(LowerLatin1(templ));

    Trie_.assign(1, TrieNode{-1, 0, false, false});
    for (long long band = 2;; band *= 2) {
        BuildRound(band);
        for (;;) {
            if (outcome.Found >= Settings_.Count) {
                outcome.Reason = StopReason::Enough;
                return outcome;
            }
            if (outcome.Examined >= Settings_.MaxCandidates) {
                outcome.Reason = StopReason::CandidateCap;
                return outcome;
            }
            if (Cancelled_ && Cancelled_(-1)) {
                outcome.Reason = StopReason::Cancelled;
                return outcome;
            }
            const std::optional<std::vector<int>> path = Walk();
            if (!path) break;
            ++outcome.Examined;
            if (std::optional<GeneratedPseudoword> w = Examine(*path)) {
                out.push_back(std::move(*w));
                ++outcome.Found;
            }
        }
        if (band >= Widest_) return outcome; // every pair was allowed: all walks taken
    }
}

GeneratorRun PseudowordGenerator::Generate(const std::vector<std::string>& templates,
                                           const GeneratorSettings& settings,
                                           const CancelFunction& cancelled) const {
    GeneratorRun run;
    run.Seed = settings.Seed;
    RandomEngine rng(settings.Seed);
    std::unordered_set<std::string> keptKeys, dictionaryKeys;
    bool stop = false;
    for (std::size_t t = 0; t < templates.size(); ++t) {
        if (!stop && cancelled && cancelled(static_cast<int>(t))) stop = true;
        if (stop) {
            run.Outcomes.push_back(TemplateOutcome{templates[t], 0, 0, StopReason::Cancelled});
            continue;
        }
        Search search(*this, settings, rng, keptKeys, dictionaryKeys, cancelled);
        run.Outcomes.push_back(search.Run(templates[t], run.Pseudowords));
        if (run.Outcomes.back().Reason == StopReason::Cancelled) stop = true;
    }
    run.DictionaryWords = static_cast<long long>(dictionaryKeys.size());
    return run;
}

} // namespace zirtel
