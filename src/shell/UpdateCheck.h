// The check for a newer version: fetches the update page in the background, keeps a
// copy of it and tells when it names a version newer than the program's own.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <chrono>

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvex {

class UpdateCheck : public QObject {
    Q_OBJECT
  public:
    // `page` empty: the check does nothing. `localCopy`: the file the page's bytes
    // are written to, replaced at every check (empty when nothing arrived).
    UpdateCheck(QUrl page, QString localCopy, QObject* parent = nullptr);

    // The whole fetch is given up after this long, however slowly bytes trickle in.
    void SetDeadline(std::chrono::milliseconds deadline) { deadline_.setInterval(deadline); }

    // Starts the fetch and returns at once; NewerVersion and Finished follow.
    void DownloadUpdates();

  Q_SIGNALS:
    // The page names a version newer than this program's; `notes` is the whole page.
    void NewerVersion(const QString& notes);
    // The check is over, whatever its outcome (no address, no answer, nothing newer).
    void Finished();

  private:
    void Collect();
    void Done();
    void SaveLocalCopy() const;

    QUrl page_;
    QString localCopy_;
    QNetworkAccessManager* network_;
    QPointer<QNetworkReply> reply_;
    QTimer deadline_;
    QByteArray body_;
    bool tooLong_ = false;
};

}  // namespace tarvex
