// Save Project As through the real window: the new name is asked for before
// anything is written, the lists another project names are never written over,
// and the new project names its lists relative to its own folder where it can.
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "io/TextFile.h"
#include "support/DataFixtures.h"

using namespace tarvex;

namespace {

class SaveProjectAs : public WindowTest {
  protected:
    // kitchen.dat with its two text lists beside it, opened.
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        fixtures::WriteBytes(Path("sheets.txt"), kSheets);
        fixtures::WriteBytes(Path("parts.txt"), kParts);
        std::ofstream(Path("kitchen.dat"), std::ios::binary) << "sheets.txt\r\nparts.txt\r\n4\r\n";
        window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
        ASSERT_TRUE(dialogs.messages.empty());
    }
    void PasteParts(const char* rows) {
        QGuiApplication::clipboard()->setText(QString::fromUtf8(rows));
        auto* parts = Find<EntryTableView>("sgPart");
        parts->setFocus();
        QTest::keyClick(parts, Qt::Key_V, Qt::ControlModifier);
    }
    std::vector<std::string> ProjectLines(const std::string& path) {
        std::string text, error;
        EXPECT_TRUE(ReadTextFile(path, text, error)) << error;
        return SplitLines(text);
    }
    // Both lists of the old project are as they were.
    void ExpectOldListsUntouched() {
        EXPECT_EQ(fixtures::ReadBytes(Path("parts.txt")), kParts);
        EXPECT_EQ(fixtures::ReadBytes(Path("sheets.txt")), kSheets);
    }

    static constexpr const char* kSheets = "Birch\t2440\t1220\t3\t0\tYes\r\n";
    static constexpr const char* kParts = "Door\t720\t400\t2\tYes\r\n";
};

}  // namespace

TEST_F(SaveProjectAs, AsksForTheNameBeforeWritingAnything) {
    PasteParts("Shelf\t800\t300\t2\n");
    dialogs.saveAnswers = {QString()};  // cancelled
    Find<QAction>("mniSaveAs")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(Text(dialogs.fileRequests[0].title), "Save the project as");
    ExpectOldListsUntouched();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path().toStdString()),
                            std::filesystem::directory_iterator{}),
              4);  // velkor.db, kitchen.dat and its two lists
    EXPECT_TRUE(window->HasUnsavedChanges());
}

TEST_F(SaveProjectAs, PutsChangedListsBesideTheNewProjectAndKeepsTheOldOnes) {
    PasteParts("Shelf\t800\t300\t2\n");
    dialogs.saveAnswers = {QString::fromStdString(Path("kitchen2.dat"))};
    Find<QAction>("mniSaveAs")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);  // no list name asked for
    EXPECT_TRUE(dialogs.messages.empty());
    ExpectOldListsUntouched();
    EXPECT_EQ(fixtures::ReadBytes(Path("kitchen2.parts.txt")),
              std::string(kParts) + "Shelf\t800\t300\t2\tYes\r\n");
    const std::vector<std::string> lines = ProjectLines(Path("kitchen2.dat"));
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], "sheets.txt");  // not changed: the new project names it too
    EXPECT_EQ(lines[1], "kitchen2.parts.txt");
    EXPECT_EQ(Text(window->windowTitle()), "kitchen2.dat - Tarvex sheet cutting system");

    // The old project still opens as it was saved; the new one with the new list.
    window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
    EXPECT_EQ(Find<EntryTableView>("sgPart")->Model().Table().Cell(3, 0), "");
    window->OpenProject(QString::fromStdString(Path("kitchen2.dat")));
    EXPECT_EQ(Find<EntryTableView>("sgPart")->Model().Table().Cell(3, 0), "Shelf");
    EXPECT_FALSE(window->HasUnsavedChanges());
}

TEST_F(SaveProjectAs, StoresListsOutsideTheProjectFolderAbsoluteAndTheProjectMovesWithItsOwn) {
    std::filesystem::create_directory(Path("jobs"));
    // A name the old project's list already has is not written over either.
    fixtures::WriteBytes(Path("jobs/new.parts.txt"), "Old\t1\t1\t1\tYes\r\n");
    std::ofstream(Path("jobs/other.dat"), std::ios::binary)
        << "../sheets.txt\r\nnew.parts.txt\r\n4\r\n";
    window->OpenProject(QString::fromStdString(Path("jobs/other.dat")));
    PasteParts("Shelf\t800\t300\t2\n");
    dialogs.saveAnswers = {QString::fromStdString(Path("jobs/new.dat"))};
    Find<QAction>("mniSaveAs")->trigger();
    EXPECT_EQ(fixtures::ReadBytes(Path("jobs/new.parts.txt")), "Old\t1\t1\t1\tYes\r\n");
    EXPECT_EQ(fixtures::ReadBytes(Path("jobs/new.parts-2.txt")),
              "Old\t1\t1\t1\tYes\r\nShelf\t800\t300\t2\tYes\r\n");
    std::vector<std::string> lines = ProjectLines(Path("jobs/new.dat"));
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], Path("sheets.txt"));  // outside the project's folder
    EXPECT_EQ(lines[1], "new.parts-2.txt");

    // The folder moved elsewhere with its project: the relative list comes along.
    std::filesystem::rename(Path("jobs"), Path("moved"));
    window->OpenProject(QString::fromStdString(Path("moved/new.dat")));
    EXPECT_EQ(Find<EntryTableView>("sgPart")->Model().Table().Cell(3, 0), "Shelf");
    EXPECT_EQ(window->findChild<QLineEdit*>(QStringLiteral("edtPartFile"))->text().toStdString(),
              Path("moved/new.parts-2.txt"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SaveProjectAs, OfAProjectNeverSavedAsksOnlyForTheProjectName) {
    Find<QAction>("mniNew")->trigger();
    PasteParts("Side\t720\t560\t2\n");
    Find<EntryTableView>("sgSheet")->Model().Edit([](CellTable& t) {
        t.SetCell(2, 0, "Oak");
        t.SetCell(2, 1, "2000");
        t.SetCell(2, 2, "1000");
        t.SetCell(2, 3, "2");
    });
    dialogs.fileRequests.clear();
    dialogs.saveAnswers = {QString::fromStdString(Path("fresh.dat"))};
    Find<QAction>("mniSave")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(Text(dialogs.fileRequests[0].title), "Save the project as");
    EXPECT_EQ(fixtures::ReadBytes(Path("fresh.sheets.txt")), "Oak\t2000\t1000\t2\t0\tYes\r\n");
    EXPECT_EQ(fixtures::ReadBytes(Path("fresh.parts.txt")), "Side\t720\t560\t2\tYes\r\n");
    const std::vector<std::string> lines = ProjectLines(Path("fresh.dat"));
    ASSERT_EQ(lines.size(), 26u);
    EXPECT_EQ(lines[0], "fresh.sheets.txt");
    EXPECT_FALSE(window->HasUnsavedChanges());
    ExpectOldListsUntouched();
}
