// Translation of the program's texts: English message ids looked up in the
// gettext catalog of the current language (text domain "default", catalogs at
// <locale folder>/<code>/LC_MESSAGES/default.mo, UTF-8).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvex {

// The translation of a message id; a text without a translation comes back unchanged.
std::string _(const char* msgid);
inline std::string _(const std::string& msgid) {
    return _(msgid.c_str());
}

// Binds the text domain to `localeDir` and prepares the process locale so that the
// language can be switched at run time, whatever the environment's locale ("C",
// unset, or a real one). Call it after the QCoreApplication/QApplication has been
// constructed: Qt's constructor resets the locale from the environment. Number
// formatting and parsing stay in the "C" locale ("." as decimal separator).
void InitTranslation(const std::filesystem::path& localeDir);
// The same with the catalog folder found beside the program or in the installed
// data folder (LocaleDir()).
void InitTranslation();

// Switches every later _() to the language `code` (a folder name under the locale
// folder, matched without letter case). An empty code takes the language from the
// environment: LANG cut before its first ".", lower-cased; "en_us" when LANG names
// none. A code without a usable catalog leaves the texts in English. Initialises
// the translation first if InitTranslation was not called; like InitTranslation it
// must run after any QCoreApplication has been constructed.
void SetLanguage(const std::string& code);

// The translations of "Yes", "No", the Grain drop-down texts and the captions
// "Material" and "Grain" in every language the program has (the English words
// included), for reading cells and list headings written in any of them. Empty
// for other ids, and before the translation is initialised.
const std::vector<std::string>& InEveryLanguage(const char* msgid);

// The language code in use (the one given to SetLanguage after resolving an empty
// code); "en_us" before any switch.
std::string CurrentLanguage();

}  // namespace tarvex
