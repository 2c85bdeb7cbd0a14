#include "shell/UpdateConfig.h"

#include <QString>

#include "text/Translate.h"

namespace tarvex {

QUrl UpdatePageUrl(const std::string& configured) {
    QUrl url(QString::fromStdString(configured).trimmed(), QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return {};
    if (url.path().isEmpty() || url.path() == QLatin1String("/"))
        url.setPath(QStringLiteral("/fuploadfile/updates/velkor_updates.asp"));
    return url;
}

QUrl DownloadPageUrl() {
    return QUrl(QString::fromStdString(_("https://tarvex.example.com/index.php/download")));
}

bool OpenDownloadPage(const UrlOpener& open) {
    return open(DownloadPageUrl());
}

}  // namespace tarvex
