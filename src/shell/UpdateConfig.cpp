#include "shell/UpdateConfig.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include "shell/Translate.h"

QUrl ReadUpdatePageUrl(const QString& settingsFile) {
    CSimpleIniA ini;  // case-insensitive section and key names
    ini.SetUnicode(true);
    if (ini.LoadFile(QFile::encodeName(settingsFile).constData()) < 0) return {};
    const QString text = QString::fromUtf8(ini.GetValue("Common", "UpdateUrl", "")).trimmed();
    QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return {};
    if (url.path().isEmpty() || url.path() == QLatin1String("/"))
        url.setPath(QStringLiteral("/fuploadfile/updates/velkor_updates.asp"));
    return url;
}

QString UpdatesDbPath() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (!programFolder.isEmpty() && QFileInfo(programFolder).isWritable())
        return programFolder + QStringLiteral("/updates.db");
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/tarvex/updates.db");
}

QUrl DownloadPageUrl() {
    return QUrl(QString::fromStdString(_("https://tarvex.example.com/index.php/download")));
}

UrlOpener DesktopUrlOpener() {
    return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

bool OpenDownloadPage(const UrlOpener& open) {
    return open(DownloadPageUrl());
}
