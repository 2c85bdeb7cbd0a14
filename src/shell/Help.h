// The help command: the manual of the current language, opened with the desktop's
// default program. A compiled help file velkor.chm is preferred; otherwise the HTML
// manual velkor.html of the same folder is opened.
#pragma once

#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Opens a file or web address with the desktop's default program; false on failure.
using UrlOpener = std::function<bool(const QUrl&)>;

// The real opener: QDesktopServices::openUrl (needs a QGuiApplication).
UrlOpener DesktopUrlOpener();

// The help file of language `code`: for each locale folder in order,
// <folder>/<code>/LC_MESSAGES/velkor.chm, then velkor.html beside it. Empty when
// there is none.
std::filesystem::path FindHelpFile(const std::string& code,
                                   const std::vector<std::filesystem::path>& localeDirs);

// Opens the help file of `code` (searched in LocaleDirs()) with `open`. Returns an
// empty text on success, otherwise the translated message for an error box:
// "The help file is not exists!" when there is no help file.
std::string OpenHelp(const std::string& code, const UrlOpener& open);
