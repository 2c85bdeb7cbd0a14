#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "shell/LocalHttpServer.h"
#include "shell/UpdateCheck.h"

using namespace tarvex;

using namespace std::chrono_literals;

namespace {

struct Outcome {
    bool finished = false;
    QStringList shown;  // notes of every NewerVersion
    qint64 ms = 0;      // until Finished
    int ticks = 0;      // of a 10 ms timer meanwhile: the event loop kept running
};

Outcome RunCheck(const QUrl& page, const QString& localCopy,
                 std::chrono::milliseconds deadline = 5s) {
    UpdateCheck check(page, localCopy);
    check.SetDeadline(deadline);
    Outcome out;
    QEventLoop loop;
    QTimer ticker;
    ticker.setInterval(10ms);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++out.ticks; });
    QObject::connect(&check, &UpdateCheck::NewerVersion,
                     [&](const QString& notes) { out.shown << notes; });
    QObject::connect(&check, &UpdateCheck::Finished, [&] {
        out.finished = true;
        loop.quit();
    });
    QTimer::singleShot(20s, &loop, &QEventLoop::quit);  // a hung check fails, not hangs
    QElapsedTimer clock;
    clock.start();
    ticker.start();
    check.DownloadUpdates();
    if (!out.finished) loop.exec();
    out.ms = clock.elapsed();
    return out;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class UpdateCheckTest : public testing::Test {
  protected:
    void SetUp() override {
        // A proxy from the environment must not take the loopback requests elsewhere.
        qputenv("no_proxy", "127.0.0.1,localhost");
        ASSERT_TRUE(folder_.isValid());
    }
    QString LocalCopy() const { return folder_.filePath(QStringLiteral("cache/updates.db")); }

    QTemporaryDir folder_;
};

TEST_F(UpdateCheckTest, NewerVersionIsAnnouncedWithTheWholePage) {
    const QByteArray page = "Tarvex updates\r\n3.3.0 (2016-01-20)\r\n- faster layouts\r\n";
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, page);
    const Outcome out = RunCheck(server.PageUrl(), LocalCopy());
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(out.shown,
              QStringList{QStringLiteral("Tarvex updates\n3.3.0 (2016-01-20)\n- faster layouts")});
    EXPECT_TRUE(
        server.Request().startsWith("GET /fuploadfile/updates/velkor_updates.asp HTTP/1.1"));
    EXPECT_TRUE(server.Request().contains("\r\nUser-Agent: URLCheck\r\n"))
        << server.Request().constData();
    EXPECT_EQ(FileBytes(LocalCopy()), page);  // stored unchanged
}

TEST_F(UpdateCheckTest, EqualOlderAndShortVersionsShowNothing) {
    for (const char* page : {"3.2.5 (2016-01-20)\r\nnotes", "3.1.9 (x)", "3.3 (x)\r\n3.4.0 (y)",
                             "x.3.0 (bad)", "no version here"}) {
        LocalHttpServer server(LocalHttpServer::Mode::kAnswer, page);
        const Outcome out = RunCheck(server.PageUrl(), LocalCopy());
        EXPECT_TRUE(out.finished) << page;
        EXPECT_TRUE(out.shown.isEmpty()) << page;
        EXPECT_EQ(FileBytes(LocalCopy()), QByteArray(page));
    }
}

TEST_F(UpdateCheckTest, Utf8ChineseNotesArriveIntact) {
    const QString notes = QStringLiteral(u"更新说明\n3.10.2 (2016-01-20)\n修正了排样中的若干问题");
    QByteArray page = notes.toUtf8();
    page.replace('\n', "\r\n");
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, "\xEF\xBB\xBF" + page);
    const Outcome out = RunCheck(server.PageUrl(), LocalCopy());
    EXPECT_EQ(out.shown, QStringList{notes});
}

TEST_F(UpdateCheckTest, ServerThatNeverAnswersIsGivenUpAtTheDeadline) {
    QFile previous(LocalCopy());
    ASSERT_TRUE(QDir().mkpath(folder_.filePath(QStringLiteral("cache"))));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("old page");
    previous.close();

    LocalHttpServer server(LocalHttpServer::Mode::kSilent);
    const Outcome out = RunCheck(server.PageUrl(), LocalCopy(), 400ms);
    ASSERT_TRUE(out.finished);
    EXPECT_TRUE(out.shown.isEmpty());
    EXPECT_GE(out.ms, 380);
    EXPECT_LT(out.ms, 5000);
    EXPECT_GE(out.ticks, 10);
    EXPECT_EQ(FileBytes(LocalCopy()), QByteArray());  // replaced: nothing arrived
}

TEST_F(UpdateCheckTest, BrokenAnswersShowNothing) {
    const QByteArray newer = "3.3.0 (2016-01-20)\r\n";
    const struct {
        LocalHttpServer::Mode mode;
        int status;
    } cases[] = {{LocalHttpServer::Mode::kHangUp, 200},
                 {LocalHttpServer::Mode::kShortBody, 200},
                 {LocalHttpServer::Mode::kAnswer, 404}};
    for (const auto& c : cases) {
        LocalHttpServer server(c.mode, newer, c.status);
        const Outcome out = RunCheck(server.PageUrl(), LocalCopy());
        EXPECT_TRUE(out.finished) << c.status;
        EXPECT_LT(out.ms, 4000) << c.status;
        EXPECT_TRUE(out.shown.isEmpty()) << c.status;
    }
}

TEST_F(UpdateCheckTest, OversizedPageIsCutAndNotRead) {
    QByteArray page = "3.3.0 (2016-01-20)\r\n";
    page += QByteArray(2 << 20, 'x');
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, page);
    const Outcome out = RunCheck(server.PageUrl(), LocalCopy());
    EXPECT_TRUE(out.finished);
    EXPECT_TRUE(out.shown.isEmpty());
    EXPECT_EQ(FileBytes(LocalCopy()), page.left(1 << 20));
}

TEST_F(UpdateCheckTest, WithoutAnAddressNothingHappens) {
    const Outcome out = RunCheck(QUrl(), LocalCopy());
    EXPECT_TRUE(out.finished);
    EXPECT_TRUE(out.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(LocalCopy()));
}

}  // namespace
