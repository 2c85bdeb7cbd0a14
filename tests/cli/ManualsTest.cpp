// The manuals against the program: what they say about exit codes and file names
// is what the program does.
#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "CliFixture.h"
#include "export/HtmlExport.h"

using namespace tarvex;

namespace {

const std::string kSources = TARVEX_SOURCE_DIR;

// The numbers of the exit codes the program declares.
std::set<std::string> DeclaredExitCodes() {
    const std::string header = ReadFile(kSources + "/src/cli/CliOptions.h");
    static const std::regex code(R"(kExit\w+\s*=\s*(\d+))");
    std::set<std::string> codes;
    for (std::sregex_iterator it(header.begin(), header.end(), code), end; it != end; ++it)
        codes.insert((*it)[1]);
    return codes;
}

// The entries of the manual page's EXIT STATUS section.
std::set<std::string> DocumentedExitCodes() {
    const std::string page = ReadFile(kSources + "/resources/man/tarvex-cli.1");
    const size_t start = page.find(".SH EXIT STATUS");
    const size_t end = page.find(".SH", start + 1);
    const std::string section = page.substr(start, end - start);
    static const std::regex entry(R"(\.TP\n\.B (\d+)\n)");
    std::set<std::string> codes;
    for (std::sregex_iterator it(section.begin(), section.end(), entry), e; it != e; ++it)
        codes.insert((*it)[1]);
    return codes;
}

}  // namespace

TEST(Manuals, TheManualPageListsEveryExitCode) {
    const std::set<std::string> declared = DeclaredExitCodes();
    ASSERT_GE(declared.size(), 4u);
    EXPECT_EQ(DocumentedExitCodes(), declared);
}

// Each manual shows the name of an HTML page's picture by an example page.
TEST(Manuals, TheManualsNameTheHtmlPictureAsTheExportDoes) {
    static const std::regex example(R"(<code>([^<]+\.html)</code>[^<]*<code>([^<]+\.bmp)</code>)");
    for (const char* code : {"en_us", "zh_cn"}) {
        SCOPED_TRACE(code);
        const std::string manual =
            ReadFile(kSources + "/resources/locale/" + code + "/LC_MESSAGES/velkor.html");
        const size_t start = manual.find("Export HTML") != std::string::npos
                                 ? manual.find("Export HTML")
                                 : manual.find("导出 HTML");
        ASSERT_NE(start, std::string::npos);
        const std::string section = manual.substr(start, manual.find("<h3>", start) - start);
        std::smatch m;
        ASSERT_TRUE(std::regex_search(section, m, example)) << section;
        EXPECT_EQ(LayoutPicturePath(m[1]), m[2]);
        EXPECT_EQ(section.find("bmp.bmp"), std::string::npos);
    }
}
