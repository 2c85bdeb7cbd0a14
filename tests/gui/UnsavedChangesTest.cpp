// Changes that are not saved, through the real window: the caption's mark, the
// questions before anything would be lost, and Save Project saving the lists too.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "support/DataFixtures.h"

using namespace tarvex;

namespace {

class UnsavedChanges : public WindowTest {
  protected:
    // A saved project of two text lists, opened.
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        std::ofstream(Path("sheets.txt"), std::ios::binary) << "Birch\t2440\t1220\t3\t0\tYes\r\n";
        std::ofstream(Path("parts.txt"), std::ios::binary) << "Door\t720\t400\t2\tYes\r\n";
        std::ofstream(Path("kitchen.dat"), std::ios::binary) << Path("sheets.txt") << "\r\n"
                                                             << Path("parts.txt") << "\r\n4\r\n";
        window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
        ASSERT_EQ(Title(), "kitchen.dat - Tarvex sheet cutting system");
    }
    std::string Title() const { return Text(window->windowTitle()); }
    EntryTableView* Parts() { return Find<EntryTableView>("sgPart"); }
    void PasteParts(const char* rows) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(rows));
        Parts()->setFocus();
        QTest::keyClick(Parts(), Qt::Key_V, Qt::ControlModifier);
    }
};

}  // namespace

TEST_F(UnsavedChanges, MarkTheCaptionUntilUndoneOrSaved) {
    PasteParts("Shelf\t800\t300\t2\n");
    EXPECT_EQ(Title(), "*kitchen.dat - Tarvex sheet cutting system");
    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    if (!shots.isEmpty()) {
        Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kPartsPage);
        QCoreApplication::processEvents();
        window->grab().save(QDir(shots).filePath(QStringLiteral("unsaved.png")));
    }
    Find<QAction>("mnUndo")->trigger();
    EXPECT_EQ(Title(), "kitchen.dat - Tarvex sheet cutting system");

    // A setting the project keeps marks it too; one it does not keep does not.
    Find<QLineEdit>("edtGap")->setText(QStringLiteral("3.2"));
    EXPECT_TRUE(window->HasUnsavedChanges());
    Find<QLineEdit>("edtGap")->setText(QStringLiteral("0"));
    Find<QLineEdit>("edtPrefix")->setText(QStringLiteral("OFF"));
    EXPECT_FALSE(window->HasUnsavedChanges());

    // Save Project writes the changed list to its file and the project to its own.
    PasteParts("Shelf\t800\t300\t2\n");
    Find<QSlider>("tbFast")->setValue(7);
    Find<QAction>("mniSave")->trigger();
    EXPECT_TRUE(dialogs.fileRequests.empty());  // both files have names
    EXPECT_EQ(fixtures::ReadBytes(Path("parts.txt")),
              "Door\t720\t400\t2\tYes\r\nShelf\t800\t300\t2\tYes\r\n");
    EXPECT_NE(fixtures::ReadBytes(Path("kitchen.dat")).find("\r\n7\r\n"), std::string::npos);
    EXPECT_EQ(Title(), "kitchen.dat - Tarvex sheet cutting system");
}

TEST_F(UnsavedChanges, AreNotLostOnClosingWithoutAnAnswer) {
    PasteParts("Shelf\t800\t300\t2\n");
    dialogs.saveChoices = {Dialogs::Choice::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.questions.size(), 1);
    EXPECT_TRUE(window->isVisible());

    dialogs.saveChoices = {Dialogs::Choice::Discard};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(fixtures::ReadBytes(Path("parts.txt")),
              "Door\t720\t400\t2\tYes\r\n");  // nothing written
}

TEST_F(UnsavedChanges, AreSavedWhenClosingWithSave) {
    // A list read from a workbook or CSV is never overwritten: its table goes to a text list.
    std::ofstream(Path("more.csv"), std::ios::binary) << "Shelf,800,300,2,No\n";
    dialogs.openAnswers = {QString::fromStdString(Path("more.csv"))};
    Find<QPushButton>("btnPartOpen")->click();
    EXPECT_TRUE(dialogs.questions.empty());  // the parts had not changed
    PasteParts("Back\t700\t500\t1\n");
    dialogs.saveChoices = {Dialogs::Choice::Save};
    dialogs.saveAnswers = {QString::fromStdString(Path("more.txt"))};
    EXPECT_TRUE(window->close());
    ASSERT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(Text(dialogs.fileRequests[1].title), "Save the part list as");
    EXPECT_EQ(fixtures::ReadBytes(Path("more.csv")), "Shelf,800,300,2,No\n");
    EXPECT_EQ(fixtures::ReadBytes(Path("more.txt")),
              "Shelf\t800\t300\t2\tNo\r\nBack\t700\t500\t1\tYes\r\n");
    EXPECT_EQ(fixtures::ReadBytes(Path("kitchen.dat")).substr(0, 22), "sheets.txt\r\nmore.txt\r\n");
}

TEST_F(UnsavedChanges, AreAskedAboutBeforeAnotherProjectOrANewOne) {
    Find<QSlider>("tbFast")->setValue(9);
    dialogs.saveChoices = {Dialogs::Choice::Cancel};
    Find<QAction>("mniNew")->trigger();
    EXPECT_EQ(Find<QSlider>("tbFast")->value(), 9);
    EXPECT_EQ(dialogs.questions.size(), 1);
    dialogs.saveChoices = {Dialogs::Choice::Cancel};
    Find<QAction>("mniOpen")->trigger();
    EXPECT_TRUE(dialogs.fileRequests.empty());  // not even asked which project

    dialogs.saveChoices = {Dialogs::Choice::Discard};
    Find<QAction>("mniNew")->trigger();
    EXPECT_EQ(Title(), "Tarvex sheet cutting system");
    EXPECT_EQ(Find<QSlider>("tbFast")->value(), 4);
    EXPECT_EQ(Parts()->Model().Table().Cell(2, 0), "");
    EXPECT_FALSE(Find<QAction>("mnUndo")->isEnabled());
    Find<QAction>("mniOpen")->trigger();  // nothing to lose: no question
    EXPECT_EQ(dialogs.questions.size(), 3);
}

TEST_F(UnsavedChanges, OfAListAreAskedAboutBeforeOpeningAnother) {
    PasteParts("Shelf\t800\t300\t2\n");
    dialogs.saveChoices = {Dialogs::Choice::Save};
    dialogs.openAnswers = {QString()};
    Find<QPushButton>("btnPartOpen")->click();
    ASSERT_EQ(dialogs.questions.size(), 1);
    EXPECT_EQ(Text(dialogs.questions[0]),
              "The part list has changes that are not saved. Save them?");
    EXPECT_EQ(fixtures::ReadBytes(Path("parts.txt")),
              "Door\t720\t400\t2\tYes\r\nShelf\t800\t300\t2\tYes\r\n");
    EXPECT_EQ(Title(), "kitchen.dat - Tarvex sheet cutting system");
}
