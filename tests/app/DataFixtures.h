// Helpers of the table, list and project tests: scratch folders, raw file bytes,
// and a small message catalog that switches the translation for one test.
#pragma once

#include <gtest/gtest.h>
#include <libintl.h>
#include <stdlib.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fixtures {

inline std::string TempDir() {
    std::string dir = ::testing::TempDir() + "tarvex-data-XXXXXX";
    return mkdtemp(dir.data());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Compiles the given translations into a catalog of the "default" domain and
// makes it current; the destructor returns to untranslated texts.
class ScopedCatalog {
  public:
    explicit ScopedCatalog(const std::vector<std::pair<std::string, std::string>>& entries) {
        const std::string dir = TempDir();
        const std::string po = dir + "/default.po";
        std::string text = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
        for (const auto& [id, str] : entries)
            text += "\nmsgid \"" + id + "\"\nmsgstr \"" + str + "\"\n";
        WriteBytes(po, text);
        const std::string target = dir + "/zz/LC_MESSAGES";
        const std::string command =
            "mkdir -p '" + target + "' && msgfmt -o '" + target + "/default.mo' '" + po + "'";
        ok_ = std::system(command.c_str()) == 0;
        const char* previous = bindtextdomain("default", nullptr);
        previousDir_ = previous ? previous : "";
        std::setlocale(LC_MESSAGES, "C.UTF-8");
        bindtextdomain("default", dir.c_str());
        bind_textdomain_codeset("default", "UTF-8");
        Switch("zz");
    }
    ~ScopedCatalog() {
        unsetenv("LANGUAGE");
        if (!previousDir_.empty()) bindtextdomain("default", previousDir_.c_str());
        Flush();
    }
    ScopedCatalog(const ScopedCatalog&) = delete;
    ScopedCatalog& operator=(const ScopedCatalog&) = delete;

    bool ok() const { return ok_; }
    // "zz" is the catalog's language; any other code shows the message ids.
    static void Switch(const char* language) {
        setenv("LANGUAGE", language, 1);
        Flush();
    }

  private:
    static void Flush() {
        std::setlocale(LC_MESSAGES, "C");
        std::setlocale(LC_MESSAGES, "C.UTF-8");
        textdomain("default");
    }
    bool ok_ = false;
    std::string previousDir_;
};

}  // namespace fixtures
