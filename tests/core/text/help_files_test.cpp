// The shipped help files: they read cleanly and cover every command and every output field.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/analysis/field_catalogue.h"
#include "core/text/rtf_reader.h"

namespace zirtel {
namespace {

const std::filesystem::path kShipped = ZIRTEL_SHIPPED_DATA;

bool IsWordChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '*';
}

// Whether `token` occurs in `text` with no word character right before or after it.
bool ContainsToken(const std::string& text, std::string_view token) {
    for (std::size_t at = text.find(token); at != std::string::npos;
         at = text.find(token, at + 1)) {
        const bool before = at > 0 && IsWordChar(text[at - 1]);
        const bool after = at + token.size() < text.size() && IsWordChar(text[at + token.size()]);
        if (!before && !after) return true;
    }
    return false;
}

RtfDocument Load(const char* name) {
    std::optional<RtfDocument> doc = ReadRtfFile(kShipped / name);
    if (!doc) {
        ADD_FAILURE() << "cannot read " << name;
        return {};
    }
    return *doc;
}

void ExpectCleanDocument(const RtfDocument& doc, const char* title) {
    ASSERT_GT(doc.Paragraphs.size(), 30u);
    EXPECT_EQ(doc.Paragraphs[0].Text(), title);
    EXPECT_EQ(doc.Paragraphs[0].Alignment, RtfAlignment::Centre);
    EXPECT_TRUE(doc.Paragraphs[0].Runs[0].Format.Bold);
    const std::string text = doc.PlainText();
    // No markup leaks into the text, and no table or generator text shows.
    EXPECT_EQ(text.find('\\'), std::string::npos);
    EXPECT_EQ(text.find('{'), std::string::npos);
    EXPECT_EQ(text.find('}'), std::string::npos);
    EXPECT_EQ(text.find("Arial"), std::string::npos);
    EXPECT_EQ(text.find("help writer"), std::string::npos);
}

TEST(HelpFiles, FieldDescriptionsNameEveryFieldOfTheCatalogue) {
    const RtfDocument basque = Load("FieldDescriptions.rtf");
    const RtfDocument english = Load("EnglishFieldDescriptions.rtf");
    ExpectCleanDocument(basque, "Zirtelak (Zirtel): irteerako eremuen deskribapena");
    ExpectCleanDocument(english, "Zirtelak (Zirtel): description of the output fields");
    const std::string eu = basque.PlainText();
    const std::string en = english.PlainText();
    for (const FieldInfo& f : FieldCatalogue()) {
        EXPECT_TRUE(ContainsToken(eu, f.Mnemonic)) << "FieldDescriptions.rtf lacks " << f.Mnemonic;
        EXPECT_TRUE(ContainsToken(en, f.Mnemonic))
            << "EnglishFieldDescriptions.rtf lacks " << f.Mnemonic;
    }
    // The not-found texts a user sees.
    for (const char* shown : {"\"-1\"", "\"   -  \"", "\"    -\"", "\"   0.00\"", "\"Abisua\""}) {
        EXPECT_NE(eu.find(shown), std::string::npos) << shown;
        EXPECT_NE(en.find(shown), std::string::npos) << shown;
    }
    // Basque letters arrive as UTF-8 from the file's escapes.
    EXPECT_NE(eu.find("\xc3\xa1 \xc3\xa9 \xc3\xad \xc3\xb3 \xc3\xba \xc3\xbc"), std::string::npos);
}

TEST(HelpFiles, InstructionsCoverEveryCommandKeyAndBatchOption) {
    const RtfDocument basque = Load("Instructions.rtf");
    const RtfDocument english = Load("EnglishInstructions.rtf");
    ExpectCleanDocument(basque, "Zirtelak (Zirtel): jarraibideak");
    ExpectCleanDocument(english, "Zirtelak (Zirtel): instructions");
    const char* const commands[] = {"Fitxategia",
                                    "Berria",
                                    "Ireki sarrerako fitxategia",
                                    "Gorde irteerako estatistikoak",
                                    "Irten",
                                    "Editatu",
                                    "Kopiatu",
                                    "Itsatsi",
                                    "Analizatu",
                                    "Item guztiak",
                                    "Aukeratutako itemak",
                                    "Aukerak",
                                    "Hitzegia",
                                    "Testu-hitzak",
                                    "Lemak",
                                    "Ikusi",
                                    "Leihoa",
                                    "Leiho nagusia",
                                    "Orto-auzokide zerrenda",
                                    "Fon-auzokide zerrenda",
                                    "Laguntza",
                                    "Jarraibideak",
                                    "Irteerako eremuen deskribapena",
                                    "Honi buruz",
                                    "Help",
                                    "Instructions",
                                    "Description of Output Fields",
                                    "About",
                                    "Analisi-aukerak",
                                    "Aukeratutako itemen estat. eskuratu",
                                    "Zerrenda osoaren estat. eskuratu",
                                    "Copy",
                                    "Copy All",
                                    "Auzokideen zerrenda gorde",
                                    "Sartu hemen sarrera:",
                                    "Bete",
                                    "Ados",
                                    "Utzi",
                                    "Zenbakien Formatua",
                                    "0 hamartarrekin",
                                    "4 hamartarrekin",
                                    "Erakutsi auzokideen zerrenda",
                                    "Gehitu ezabapen-auzokideak",
                                    "Gehitu auzokide erantsiak",
                                    "F1",
                                    "F8",
                                    "F9",
                                    "Ctrl+C",
                                    "Ctrl+V",
                                    "User1.txt",
                                    "--batch",
                                    "-o",
                                    "--fields",
                                    "--lemmas",
                                    "--decimals",
                                    "--user1",
                                    "--user2",
                                    "--user3",
                                    "--include-deletions",
                                    "--include-additions",
                                    "--no-neighbour-list",
                                    "--no-item-columns",
                                    "Iragazkia:",
                                    "Gorde ezarpenak",
                                    "Kargatu ezarpenak",
                                    "Azken fitxategiak",
                                    "Histograma",
                                    "--rule-pronunciations",
                                    "Sasihitzak arauz ahoskatu",
                                    "--neighbours",
                                    "--phon-neighbours",
                                    "--data-dir",
                                    "--help",
                                    "--version",
                                    "--select",
                                    "--match",
                                    "--design",
                                    "--long",
                                    "--settings",
                                    "Estimuluen hautatzailea",
                                    "Gehitu zerrendara",
                                    "Sub",
                                    "Del",
                                    "Add",
                                    "Ordez",
                                    "Ezab",
                                    "Gain"};
    for (const RtfDocument* doc : {&basque, &english}) {
        const std::string text = doc->PlainText();
        for (const char* c : commands) EXPECT_TRUE(ContainsToken(text, c)) << c;
    }
}

} // namespace
} // namespace zirtel
