#include "cli/settings_file.h"

#include <cstdlib>
#include <memory>
#include <system_error>

#include "cli/run_settings.h"
#include "core/analysis/analysis_options.h"
#include "core/analysis/field_catalogue.h"
#include "core/analysis/user_field_file.h"
#include "core/analysis/workspace.h"
#include "core/text/latin1.h"

namespace zirtel {

namespace {

namespace fs = std::filesystem;

// A JSON value as the settings files hold them.
struct Json {
    enum class Kind { Null, Bool, Number, String, Array, Object } Is = Kind::Null;
    bool Flag = false;
    double Number = 0;
    std::string Text; // bytes: "\udcXX" gives the byte XX back
    std::vector<Json> Items;
    // An object's members: Keys[i] names MemberValues[i] (kept apart, since a pair of a
    // string and a still incomplete Json cannot be a vector's element).
    std::vector<std::string> Keys;
    std::vector<Json> MemberValues;

    const Json* Member(std::string_view key) const {
        for (std::size_t i = 0; i < Keys.size(); ++i)
            if (Keys[i] == key) return &MemberValues[i];
        return nullptr;
    }
};

class JsonReader {
  public:
    explicit JsonReader(std::string_view text) : Text_(text) {}

    bool Read(Json& out) {
        if (!Value(out, 0)) return false;
        Blanks();
        return At_ == Text_.size();
    }

  private:
    void Blanks() {
        while (At_ < Text_.size() &&
               std::string_view(" \t\r\n").find(Text_[At_]) != std::string_view::npos)
            ++At_;
    }
    bool Take(char c) {
        Blanks();
        if (At_ < Text_.size() && Text_[At_] == c) {
            ++At_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view w) {
        if (Text_.substr(At_, w.size()) != w) return false;
        At_ += w.size();
        return true;
    }
    bool Hex4(unsigned& out) {
        if (At_ + 4 > Text_.size()) return false;
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Text_[At_++];
            out <<= 4;
            if (c >= '0' && c <= '9')
                out |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                out |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                out |= static_cast<unsigned>(c - 'A' + 10);
            else
                return false;
        }
        return true;
    }
    static void Utf8(std::string& out, unsigned cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    bool String(std::string& out) {
        if (!Take('"')) return false;
        while (At_ < Text_.size()) {
            const char c = Text_[At_++];
            if (c == '"') return true;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (At_ >= Text_.size()) return false;
            const char e = Text_[At_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                unsigned cp = 0;
                if (!Hex4(cp)) return false;
                if (cp >= 0xDC80 && cp <= 0xDCFF) {
                    out += static_cast<char>(cp - 0xDC00); // a byte that was no UTF-8
                } else if (cp >= 0xD800 && cp <= 0xDBFF && Word("\\u")) {
                    unsigned low = 0;
                    if (!Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
                    Utf8(out, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                } else {
                    Utf8(out, cp);
                }
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }
    bool Value(Json& out, int depth) {
        if (depth > 20) return false;
        Blanks();
        if (At_ >= Text_.size()) return false;
        const char c = Text_[At_];
        if (c == '"') {
            out.Is = Json::Kind::String;
            return String(out.Text);
        }
        if (c == '{') {
            ++At_;
            out.Is = Json::Kind::Object;
            if (Take('}')) return true;
            do {
                std::string key;
                Json value;
                if (!String(key) || !Take(':') || !Value(value, depth + 1)) return false;
                out.Keys.push_back(std::move(key));
                out.MemberValues.push_back(std::move(value));
            } while (Take(','));
            return Take('}');
        }
        if (c == '[') {
            ++At_;
            out.Is = Json::Kind::Array;
            if (Take(']')) return true;
            do {
                Json value;
                if (!Value(value, depth + 1)) return false;
                out.Items.push_back(std::move(value));
            } while (Take(','));
            return Take(']');
        }
        if (Word("true") || Word("false")) {
            out.Is = Json::Kind::Bool;
            out.Flag = Text_[At_ - 4] == 't';
            return true;
        }
        if (Word("null")) return true;
        const std::string number(Text_.substr(At_, Text_.find_first_of(",]} \t\r\n", At_) - At_));
        char* end = nullptr;
        out.Number = std::strtod(number.c_str(), &end);
        if (number.empty() || end != number.c_str() + number.size()) return false;
        out.Is = Json::Kind::Number;
        At_ += number.size();
        return true;
    }

    std::string_view Text_;
    std::size_t At_ = 0;
};

} // namespace

std::string WindowSettingsJson(const Workspace& ws) {
    RunSettings run;
    run.Program = "zirtel";
    run.Version = ZIRTEL_VERSION;
    if (!ws.InputFile.empty()) run.Items = ws.InputFile;
    run.Missing = ws.MissingText;
    run.Plain = ws.PlainResults;
    std::vector<std::optional<fs::path>> userFiles(ws.Setup.UserFieldFiles.begin(),
                                                   ws.Setup.UserFieldFiles.end());
    return RunSettingsJson(ws.Setup, ws.Decimals, run, userFiles);
}

std::optional<LoadedSettings> ReadSettingsJson(std::string_view text, std::string& error) {
    Json json;
    JsonReader reader(text);
    const Json* fields = nullptr;
    if (!reader.Read(json) || json.Is != Json::Kind::Object || !(fields = json.Member("fields")) ||
        fields->Is != Json::Kind::Array) {
        error = "Ez da ezarpen-fitxategia (JSON, \"fields\" zerrendarekin)";
        return std::nullopt;
    }
    LoadedSettings s;
    for (const Json& f : fields->Items)
        if (f.Is == Json::Kind::String) s.Fields.push_back(f.Text);
    if (const Json* lexicon = json.Member("lexicon"))
        s.Lemmas = lexicon->Is == Json::Kind::String && lexicon->Text == "lemma";
    if (const Json* decimals = json.Member("decimals");
        decimals && decimals->Is == Json::Kind::Number && decimals->Number >= 0 &&
        decimals->Number <= 4)
        s.Decimals = static_cast<int>(decimals->Number);
    if (const Json* missing = json.Member("missing"); missing && missing->Is == Json::Kind::String)
        s.Missing = missing->Text;
    if (const Json* plain = json.Member("plain"); plain && plain->Is == Json::Kind::Bool)
        s.Plain = plain->Flag;
    if (const Json* options = json.Member("options"); options && options->Is == Json::Kind::Object)
        for (std::size_t i = 0; i < options->Keys.size(); ++i)
            if (options->MemberValues[i].Is == Json::Kind::Bool)
                s.Options[options->Keys[i]] = options->MemberValues[i].Flag;
    if (const Json* users = json.Member("user_fields"); users && users->Is == Json::Kind::Array)
        for (const Json& u : users->Items) {
            const Json* field = u.Member("field");
            const Json* file = u.Member("file");
            if (!field || !file || field->Is != Json::Kind::String ||
                file->Is != Json::Kind::String || field->Text.size() != 5 ||
                field->Text.compare(0, 4, "USER") != 0 || field->Text[4] < '1' ||
                field->Text[4] > '3')
                continue;
            s.UserFiles[field->Text[4] - '0'] = file->Text;
        }
    if (const Json* items = json.Member("items"); items && items->Is == Json::Kind::Object)
        if (const Json* file = items->Member("file"); file && file->Is == Json::Kind::String)
            s.Items = file->Text;
    return s;
}

void ApplySettings(Workspace& ws, const LoadedSettings& s, std::string& problems) {
    const Workspace::Operation op(ws);
    const auto problem = [&problems](const std::string& text) {
        problems += (problems.empty() ? "" : "\n") + text;
    };
    if (s.Lemmas != ws.Setup.LemmasCurrent) {
        if (s.Lemmas)
            ws.UseLemmaLexicon();
        else
            ws.UseWholeWordLexicon();
    }
    for (const auto& [number, file] : s.UserFiles)
        if (!LoadUserField(ws, fs::path(file), number - 1))
            problem("Ezin da ireki " + std::to_string(number) + ". eremuaren fitxategia: " + file);
    ws.Decimals = s.Decimals;
    ws.MissingText = s.Missing;
    ws.PlainResults = s.Plain;
    for (const auto& [name, ticked] : s.Options) {
        const int box = FindOptionBox(name);
        if (box >= 0) ws.Setup.Options.SetTicked(box, ticked);
    }
    ws.Setup.Options.UntickAllFields();
    for (const std::string& name : s.Fields) {
        const int field = FindField(name);
        if (field < 0)
            problem("Eremu ezezaguna: " + name);
        else
            ws.Setup.Options.SetFieldTicked(field, true);
    }
    ws.AssignColumns();
    if (s.Items) {
        std::error_code ec;
        if (fs::is_regular_file(fs::path(*s.Items), ec))
            ws.ReadInputFile(fs::path(*s.Items));
        else
            problem("Ez dago sarrera-fitxategia: " + *s.Items);
    }
}

} // namespace zirtel
