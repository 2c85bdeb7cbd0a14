#include "shell/Help.h"

#include <QDesktopServices>
#include <QString>
#include <system_error>

#include "text/AppPaths.h"
#include "text/Translate.h"

namespace fs = std::filesystem;

UrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

fs::path FindHelpFile(const std::string& code, const std::vector<fs::path>& localeDirs) {
    if (code.empty()) return {};
    for (const fs::path& dir : localeDirs) {
        for (const char* name : {"velkor.chm", "velkor.html"}) {
            const fs::path file = dir / code / "LC_MESSAGES" / name;
            std::error_code ec;
            if (fs::is_regular_file(file, ec)) return file;
        }
    }
    return {};
}

std::string OpenHelp(const std::string& code, const UrlOpener& open) {
    const fs::path file = FindHelpFile(code, LocaleDirs());
    if (file.empty()) return _("The help file is not exists!");
    if (!open(QUrl::fromLocalFile(QString::fromStdString(file.string())))) {
        return _("The help file can not be opened!");
    }
    return {};
}
