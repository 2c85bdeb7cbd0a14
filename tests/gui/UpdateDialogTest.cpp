#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "gui/UpdateDialog.h"
#include "shell/LocalHttpServer.h"
#include "shell/UpdateCheck.h"
#include "text/Translate.h"

using namespace tarvex;

namespace {

template <typename Condition>
bool WaitFor(Condition done, int ms = 10000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

TEST(UpdateDialog, ShowsTheNotesInAFixedDialog) {
    SetLanguage("en_us");
    const QString notes = QStringLiteral(u"更新说明\n3.3.0 (2016-01-20)\n修正了若干问题");
    UpdateDialog dialog(notes);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Updates"));
    EXPECT_EQ(dialog.lblContent->text(), QStringLiteral("What is new:"));
    EXPECT_EQ(dialog.mmoUpdates->toPlainText(), notes);
    EXPECT_TRUE(dialog.mmoUpdates->isReadOnly());
    EXPECT_EQ(dialog.mmoUpdates->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(dialog.mmoUpdates->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(dialog.btn1->text(), QStringLiteral("&Download"));
    EXPECT_EQ(dialog.btnOk->text(), QStringLiteral("&Close"));
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(464, 602));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

TEST(UpdateDialog, DownloadOpensThePageAndCloseCloses) {
    QList<QUrl> opened;
    UpdateDialog dialog(QStringLiteral("3.3.0 (x)"), nullptr, [&](const QUrl& url) {
        opened << url;
        return true;
    });
    dialog.show();
    dialog.btn1->click();
    EXPECT_EQ(opened, QList<QUrl>{DownloadPageUrl()});
    EXPECT_TRUE(dialog.isVisible());
    dialog.btnOk->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

class StartUpdateCheckTest : public testing::Test {
  protected:
    void SetUp() override { qputenv("no_proxy", "127.0.0.1,localhost"); }
    QString LocalCopy() const { return folder_.filePath(QStringLiteral("updates.db")); }
    QTemporaryDir folder_;
    QWidget window_;
};

TEST_F(StartUpdateCheckTest, NewerVersionOpensTheDialogOverTheWindow) {
    LocalHttpServer server(LocalHttpServer::Mode::kAnswer, "3.3.0 (2016-01-20)\r\nnotes");
    window_.show();
    QPointer<UpdateCheck> check = StartUpdateCheck(&window_, server.PageUrl(), LocalCopy());
    ASSERT_TRUE(WaitFor([&] { return window_.findChild<UpdateDialog*>() != nullptr; }));
    QPointer<UpdateDialog> dialog = window_.findChild<UpdateDialog*>();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    EXPECT_EQ(dialog->mmoUpdates->toPlainText(), QStringLiteral("3.3.0 (2016-01-20)\nnotes"));
    EXPECT_TRUE(WaitFor([&] { return check.isNull(); }));  // the check cleans up after itself
    dialog->btnOk->click();
    EXPECT_TRUE(WaitFor([&] { return dialog.isNull(); }));
}

}  // namespace
