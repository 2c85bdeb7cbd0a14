// The help command: the manual of the current language, opened with the desktop's
// default program. A compiled help file velkor.chm is preferred; otherwise the HTML
// manual velkor.html of the same folder is opened.
#pragma once

#include <QObject>
#include <QUrl>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarvex {

// Opens a file or web address with the desktop's default program; false on failure.
using UrlOpener = std::function<bool(const QUrl&)>;

// The real opener: QDesktopServices::openUrl (needs a QGuiApplication).
UrlOpener DesktopUrlOpener();

// Opens a file with the desktop's program; `failed` runs, perhaps later, when no
// program could open it.
using DocumentOpener = std::function<void(const QUrl& file, const std::function<void()>& failed)>;

// The real one: xdg-open, whose exit status tells whether a program took the file
// (QDesktopServices only tells whether it could hand the file on), or
// QDesktopServices where there is no xdg-open. The watch ends with `owner`.
DocumentOpener DesktopDocumentOpener(QObject* owner);

// The help file of language `code`: for each locale folder in order,
// <folder>/<code>/LC_MESSAGES/velkor.chm, then velkor.html beside it. Empty when
// there is none.
std::filesystem::path FindHelpFile(const std::string& code,
                                   const std::vector<std::filesystem::path>& localeDirs);

// Opens the help file of `code` (searched in LocaleDirs()) with `open`. `report`
// gets the translated message for an error box: "The help file is not exists!"
// when there is no help file, a message naming the file when no program could
// open it.
void OpenHelp(const std::string& code, const DocumentOpener& open,
              const std::function<void(const std::string& message)>& report);

}  // namespace tarvex
