// Where the update check looks, and the download page it leads to.
#pragma once

#include <QUrl>
#include <string>

#include "shell/Help.h"

namespace tarvex {

// The update page at the configured address ("UpdateUrl" of the settings file): an
// http or https address; one without a path gets the standard page path. Empty, so
// the check does nothing, when no usable address is configured.
QUrl UpdatePageUrl(const std::string& configured);

// The download page: a translated message, so each language can point to its own page.
QUrl DownloadPageUrl();

// "Latest Version(&V)..." and the update dialog's "Download(&D)".
bool OpenDownloadPage(const UrlOpener& open);

}  // namespace tarvex
