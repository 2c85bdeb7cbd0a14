#include "shell/UpdateCheck.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>

#include "io/OutputFile.h"
#include "shell/UpdatePage.h"
#include "shell/Version.h"

namespace tarvex {

namespace {

// The page is a few lines of release notes; anything this large is not it.
constexpr qsizetype kMaxBody = 1 << 20;

class SystemProxies : public QNetworkProxyFactory {
  public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        return systemProxyForQuery(query);
    }
};

}  // namespace

UpdateCheck::UpdateCheck(QUrl page, QString localCopy, QObject* parent)
    : QObject(parent),
      page_(std::move(page)),
      localCopy_(std::move(localCopy)),
      network_(new QNetworkAccessManager(this)) {
    network_->setProxyFactory(new SystemProxies);
    deadline_.setSingleShot(true);
    deadline_.setInterval(std::chrono::seconds(10));
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (reply_) reply_->abort();
    });
}

void UpdateCheck::DownloadUpdates() {
    if (reply_) return;  // one fetch at a time
    if (page_.isEmpty() || !page_.isValid()) {
        Q_EMIT Finished();
        return;
    }
    body_.clear();
    tooLong_ = false;
    QNetworkRequest request(page_);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("URLCheck"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    reply_ = network_->get(request);
    connect(reply_, &QNetworkReply::readyRead, this, &UpdateCheck::Collect);
    connect(reply_, &QNetworkReply::finished, this, &UpdateCheck::Done);
    deadline_.start();
}

void UpdateCheck::Collect() {
    if (!reply_ || tooLong_ || !reply_->isOpen()) return;
    body_ += reply_->read(kMaxBody + 1 - body_.size());
    if (body_.size() > kMaxBody) {
        body_.truncate(kMaxBody);
        tooLong_ = true;
        reply_->abort();  // finishes the reply at once
    }
}

void UpdateCheck::Done() {
    if (!reply_) return;
    deadline_.stop();
    Collect();
    // A page cut short by an error, the deadline or its size is not trusted: it is
    // kept as it came but not read.
    const bool complete = reply_->error() == QNetworkReply::NoError && !tooLong_;
    reply_->deleteLater();
    reply_ = nullptr;
    SaveLocalCopy();
    if (complete) {
        const UpdatePage page = ParseUpdatePage(body_);
        const auto newer = CompareVersions(page.versionText.toStdString(), GetFileVersionText());
        if (newer && *newer > 0) Q_EMIT NewerVersion(page.notes);
    }
    Q_EMIT Finished();
}

void UpdateCheck::SaveLocalCopy() const {
    // A copy that cannot be written costs nothing but the copy: the page is read from memory.
    if (localCopy_.isEmpty()) return;
    QDir().mkpath(QFileInfo(localCopy_).absolutePath());
    std::string error;
    WriteFileAtomic(localCopy_.toStdString(), body_.toStdString(), error);
}

}  // namespace tarvex
