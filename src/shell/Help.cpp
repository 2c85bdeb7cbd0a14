#include "shell/Help.h"

#include <QDesktopServices>
#include <QProcess>
#include <QString>
#include <system_error>

#include "text/AppPaths.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

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

DocumentOpener DesktopDocumentOpener(QObject* owner) {
    return [owner](const QUrl& file, const std::function<void()>& failed) {
        auto* opener = new QProcess(owner);
        opener->setProgram(QStringLiteral("xdg-open"));
        opener->setArguments({file.toLocalFile()});
        opener->setStandardOutputFile(QProcess::nullDevice());
        opener->setStandardErrorFile(QProcess::nullDevice());
        QObject::connect(opener, &QProcess::errorOccurred, opener,
                         [opener, file, failed](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart) return;
                             if (!QDesktopServices::openUrl(file)) failed();
                             opener->deleteLater();
                         });
        QObject::connect(opener, &QProcess::finished, opener,
                         [opener, failed](int code, QProcess::ExitStatus status) {
                             if (status != QProcess::NormalExit || code != 0) failed();
                             opener->deleteLater();
                         });
        opener->start();
    };
}

void OpenHelp(const std::string& code, const DocumentOpener& open,
              const std::function<void(const std::string& message)>& report) {
    const fs::path file = FindHelpFile(code, LocaleDirs());
    if (file.empty()) {
        report(_("The help file is not exists!"));
        return;
    }
    open(QUrl::fromLocalFile(QString::fromStdString(file.string())), [report, file] {
        report(Substitute(_("No program could open the manual \"{1}\". Open it with a web "
                            "browser."),
                          {file.string()}));
    });
}

}  // namespace tarvex
