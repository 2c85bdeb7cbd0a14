// Where the update check looks and where it keeps what it fetched.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The update page named in the settings file: section "Common", key "UpdateUrl"
// (names compared without letter case). An address without a path gets the standard
// page path. Empty, so the check does nothing, when the file, the key or a usable
// http(s) address is missing.
QUrl ReadUpdatePageUrl(const QString& settingsFile);

// The local copy "updates.db": beside the program when its folder is writable,
// otherwise in the user's cache folder.
QString UpdatesDbPath();

// The download page: a translated message, so each language can point to its own page.
QUrl DownloadPageUrl();

// Opens an address with the desktop's default program (QDesktopServices::openUrl);
// tests pass their own.
using UrlOpener = std::function<bool(const QUrl&)>;
UrlOpener DesktopUrlOpener();

// "Latest Version(&V)..." and the update dialog's "Download(&D)".
bool OpenDownloadPage(const UrlOpener& open);
