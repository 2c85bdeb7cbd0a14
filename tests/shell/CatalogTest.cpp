// The message catalogs against the sources: every message the program can show
// has a Chinese translation, and no translation changes what the code relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>

#include "PoFile.h"
#include "ShellTestUtil.h"
#include "support/ScratchFolder.h"

using namespace tarvex;

namespace fs = std::filesystem;
using namespace shelltest;

namespace {

std::vector<PoEntry> Catalog(const std::string& code) {
    return ParsePo(ReadBytes(CatalogSource(code)));
}

// The message ids passed to _() anywhere under src/.
std::vector<PoEntry> SourceMessages() {
    const fs::path list = fs::path(NewScratchFolder("shell")) / "sources.txt";
    std::string files;
    for (const auto& entry :
         fs::recursive_directory_iterator(fs::path(TARVEX_SOURCE_DIR) / "src")) {
        const auto ext = entry.path().extension();
        if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h")) {
            files += entry.path().string() + "\n";
        }
    }
    WriteBytes(list, files);
    const Output out =
        RunCommand("xgettext --language=C++ --keyword=_ --from-code=UTF-8 --no-location -o - -f '" +
                   list.string() + "'");
    EXPECT_EQ(out.status, 0) << out.text;
    return ParsePo(out.text);
}

std::string Quoted(const std::string& id) {
    std::string out = "msgid \"";
    for (char c : id) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\n') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + "\"";
}

// The printf conversions of a text, "%%" included, in order.
std::vector<std::string> Conversions(const std::string& text) {
    static const std::regex conversion(R"(%(%|[-+ #0]*[0-9]*(\.[0-9]+)?[a-zA-Z]))");
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), conversion), end; it != end; ++it) {
        found.push_back(it->str());
    }
    return found;
}

// The named placeholders ("{table}", "{1}") a text is filled in through, sorted:
// a translation may put them in another order.
std::vector<std::string> NamedPlaceholders(const std::string& text) {
    static const std::regex placeholder(R"(\{[A-Za-z0-9_]*\})");
    std::vector<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), placeholder), end; it != end; ++it) {
        found.push_back(it->str());
    }
    std::sort(found.begin(), found.end());
    return found;
}

// The accelerator letters ("&O" gives O); "&&" is a literal ampersand.
std::string Accelerators(const std::string& text) {
    std::string keys;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
        } else {
            keys += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
        }
    }
    return keys;
}

// Chinese characters (U+2E80 to U+9FFF) begin with the UTF-8 lead bytes E2 BA to
// E9; signs such as "×" (C3 97) are not Chinese.
bool HasChinese(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead >= 0xE3 && lead <= 0xE9) || (lead == 0xE2 && next >= 0xBA)) return true;
    }
    return false;
}

}  // namespace

TEST(Catalogs, EveryMessageOfTheSourcesHasAChineseTranslation) {
    std::map<std::string, const PoEntry*> chinese;
    const auto catalog = Catalog("zh_cn");
    for (const auto& e : catalog) chinese[e.id] = &e;

    std::string missing;
    int count = 0;
    for (const auto& message : SourceMessages()) {
        const auto it = chinese.find(message.id);
        if (it == chinese.end() || it->second->text.empty() || it->second->fuzzy) {
            missing += Quoted(message.id) + "\n";
            ++count;
        }
    }
    EXPECT_EQ(count, 0) << count << " message id(s) without a translation in "
                        << CatalogSource("zh_cn").string() << ":\n"
                        << missing;
}

TEST(Catalogs, TranslationsKeepPlaceholdersAndAccelerators) {
    for (const auto& e : Catalog("zh_cn")) {
        if (e.text.empty()) continue;
        EXPECT_EQ(Conversions(e.text), Conversions(e.id))
            << "line " << e.line << ": " << Quoted(e.id) << " -> " << e.text;
        EXPECT_EQ(NamedPlaceholders(e.text), NamedPlaceholders(e.id))
            << "line " << e.line << ": " << Quoted(e.id) << " -> " << e.text;
        // The letter may differ where the id's letter would clash on its page.
        EXPECT_EQ(Accelerators(e.text).size(), Accelerators(e.id).size())
            << "line " << e.line << ": " << Quoted(e.id) << " -> " << e.text;
        EXPECT_EQ(e.text.find('\n') == std::string::npos, e.id.find('\n') == std::string::npos)
            << "line " << e.line << ": line breaks differ";
    }
}

// The English catalog rewords the old texts; what the code fills in and the
// keyboard reaches stays.
TEST(Catalogs, EnglishTextsKeepPlaceholdersAndAccelerators) {
    static const std::regex suffix(R"(\(&[A-Za-z]\))");
    for (const auto& e : Catalog("en_us")) {
        if (HasChinese(e.id)) {
            // A message written in Chinese needs an English text.
            EXPECT_TRUE(!e.text.empty() && !HasChinese(e.text))
                << "line " << e.line << ": " << e.id;
            continue;
        }
        const std::string& english = e.text.empty() ? e.id : e.text;
        EXPECT_EQ(Conversions(english), Conversions(e.id)) << "line " << e.line;
        EXPECT_EQ(NamedPlaceholders(english), NamedPlaceholders(e.id)) << "line " << e.line;
        EXPECT_EQ(Accelerators(english).size(), Accelerators(e.id).size()) << "line " << e.line;
        // English marks its accelerator inside the word ("&File"), not as "File(&F)".
        EXPECT_FALSE(std::regex_search(english, suffix)) << "line " << e.line << ": " << e.id;
    }
}

TEST(Catalogs, BothCatalogsHoldTheSameMessages) {
    std::set<std::string> english, chinese;
    for (const auto& e : Catalog("en_us")) english.insert(e.id);
    for (const auto& e : Catalog("zh_cn")) chinese.insert(e.id);
    std::string onlyOne;
    for (const auto& id : english) {
        if (!chinese.count(id)) onlyOne += "en_us only: " + Quoted(id) + "\n";
    }
    for (const auto& id : chinese) {
        if (!english.count(id)) onlyOne += "zh_cn only: " + Quoted(id) + "\n";
    }
    EXPECT_TRUE(onlyOne.empty()) << onlyOne;
}

TEST(Catalogs, CompileWithoutAnyWarning) {
    for (const char* code : {"en_us", "zh_cn"}) {
        const Output out =
            RunCommand("msgfmt -c -o /dev/null '" + CatalogSource(code).string() + "'");
        EXPECT_EQ(out.status, 0) << code << ": " << out.text;
        EXPECT_EQ(out.text, "") << code;
    }
}

TEST(PoFile, ReadsContinuedEscapedAndFlaggedEntries) {
    const auto entries = ParsePo(
        "msgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
        "#, fuzzy\nmsgid \"A \\\"quoted\\\" \"\n\"text\\n\"\nmsgstr \"B\"\n\n"
        "msgctxt \"menu\"\nmsgid \"Open\"\nmsgstr \"\"\n\"打开\"\n\n"
        "msgid \"One\"\nmsgid_plural \"Many\"\nmsgstr[0] \"一\"\nmsgstr[1] \"多\"\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, "A \"quoted\" text\n");
    EXPECT_TRUE(entries[0].fuzzy);
    EXPECT_EQ(entries[0].line, 6);
    EXPECT_EQ(entries[1].context, "menu");
    EXPECT_EQ(entries[1].text, "打开");
    EXPECT_FALSE(entries[1].fuzzy);
    EXPECT_EQ(entries[2].text, "一");
}

TEST(CatalogChecks, RecogniseConversionsAndAccelerators) {
    EXPECT_EQ(Conversions("%s: %.2f%% %d %0.3f"),
              (std::vector<std::string>{"%s", "%.2f", "%%", "%d", "%0.3f"}));
    EXPECT_EQ(NamedPlaceholders("{table}, row {row}: {1}"),
              (std::vector<std::string>{"{1}", "{row}", "{table}"}));
    EXPECT_EQ(Accelerators("Export &Offcuts"), "O");
    EXPECT_EQ(Accelerators("导出余料(&o)"), "O");
    EXPECT_EQ(Accelerators("Tom && Jerry(&J)"), "J");
}
