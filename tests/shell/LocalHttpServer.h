// A one-page HTTP server on 127.0.0.1 inside the test program, answering on the same
// event loop as the code under test. It can also misbehave: never answer, hang up
// at once, or promise more bytes than it sends.
#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace tarvex {

class LocalHttpServer {
  public:
    enum class Mode { kAnswer, kSilent, kHangUp, kShortBody };

    explicit LocalHttpServer(Mode mode, QByteArray body = {}, int status = 200)
        : mode_(mode), body_(std::move(body)), status_(status) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(&server_);
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { OnRequestBytes(socket); });
            }
        });
    }

    QUrl PageUrl() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/fuploadfile/updates/velkor_updates.asp")
                        .arg(server_.serverPort()));
    }
    const QByteArray& Request() const { return request_; }

  private:
    void OnRequestBytes(QTcpSocket* socket) {
        request_ += socket->readAll();
        if (!request_.contains("\r\n\r\n")) return;
        switch (mode_) {
            case Mode::kSilent:
                return;
            case Mode::kHangUp:
                socket->abort();
                return;
            case Mode::kAnswer:
            case Mode::kShortBody: {
                const qsizetype promised = body_.size() + (mode_ == Mode::kShortBody ? 1000 : 0);
                socket->write("HTTP/1.1 " + QByteArray::number(status_) +
                              " X\r\nContent-Type: text/plain; charset=utf-8\r\nContent-Length: " +
                              QByteArray::number(promised) + "\r\nConnection: close\r\n\r\n" +
                              body_);
                socket->disconnectFromHost();
                return;
            }
        }
    }

    Mode mode_;
    QByteArray body_;
    int status_;
    QTcpServer server_;
    QByteArray request_;
};

}  // namespace tarvex
