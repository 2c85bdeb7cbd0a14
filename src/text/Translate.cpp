#include "text/Translate.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <map>

#include "text/AppPaths.h"
#include "text/Languages.h"

namespace tarvex {

namespace {

constexpr const char* kDomain = "default";

// The message catalog's language is the one setting the whole process shares.
bool catalogBound = false;
std::filesystem::path catalogFolder;
std::string currentLanguage = "en_us";
// The words a cell may hold in whatever language it was written: the translations
// of these ids in every catalog, taken once when the catalogs are bound.
constexpr const char* kIdsOfEveryLanguage[] = {"Yes",      "No",       "along length", "across",
                                               "no grain", "Material", "Grain"};
std::map<std::string, std::vector<std::string>> everyLanguage;

// glibc ignores LANGUAGE while LC_MESSAGES is "C", so messages run under a UTF-8
// variant of "C" instead: it translates nothing by itself and lets LANGUAGE choose.
void SetMessagesLocale() {
    for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        if (std::setlocale(LC_MESSAGES, name)) return;
    }
}

// Makes later lookups use the catalog of `folder`.
void UseCatalog(const std::string& folder) {
    setenv("LANGUAGE", folder.c_str(), 1);
    std::setlocale(LC_NUMERIC, "C");
    // gettext keeps the translations it has looked up; changing LC_MESSAGES drops them.
    std::setlocale(LC_MESSAGES, "C");
    SetMessagesLocale();
}

void CollectEveryLanguage(const std::filesystem::path& localeDir) {
    const char* before = std::getenv("LANGUAGE");
    const std::string previous = before ? before : "";
    everyLanguage.clear();
    for (const std::string& code : LanguageList(localeDir)) {
        UseCatalog(LanguageFolder(localeDir, code));
        for (const char* id : kIdsOfEveryLanguage)
            everyLanguage[id].push_back(dgettext(kDomain, id));
    }
    if (before)
        UseCatalog(previous);
    else {
        unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, "C");
        SetMessagesLocale();
    }
}

std::string LanguageFromEnvironment() {
    const char* lang = std::getenv("LANG");
    std::string code = lang ? lang : "";
    code = AsciiLower(code.substr(0, code.find('.')));
    if (code.empty() || code == "c" || code == "posix") return "en_us";
    return code;
}

}  // namespace

std::string _(const char* msgid) {
    if (!msgid || !*msgid) return {};
    return dgettext(kDomain, msgid);
}

void InitTranslation(const std::filesystem::path& localeDir) {
    std::setlocale(LC_ALL, "");
    // Number texts are parsed and printed with "." whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    SetMessagesLocale();
    bindtextdomain(kDomain, localeDir.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    textdomain(kDomain);
    catalogFolder = localeDir;
    catalogBound = true;
    CollectEveryLanguage(localeDir);
}

void InitTranslation() {
    InitTranslation(LocaleDir());
}

void SetLanguage(const std::string& code) {
    if (!catalogBound) InitTranslation();
    currentLanguage = code.empty() ? LanguageFromEnvironment() : code;
    UseCatalog(LanguageFolder(catalogFolder, currentLanguage));
}

std::string CurrentLanguage() {
    return currentLanguage;
}

const std::vector<std::string>& InEveryLanguage(const char* msgid) {
    static const std::vector<std::string> none;
    const auto found = everyLanguage.find(msgid);
    return found == everyLanguage.end() ? none : found->second;
}

}  // namespace tarvex
