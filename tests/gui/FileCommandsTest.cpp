// The list and project commands through the real window, their dialogs answered.
#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <fstream>

#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "support/DataFixtures.h"

using namespace tarvex;

namespace {

class FileCommandsTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
    }
    const CellTable& Table(const char* name) { return Find<EntryTableView>(name)->Model().Table(); }
    void Click(const char* button) { Find<QPushButton>(button)->click(); }
};

}  // namespace

TEST_F(FileCommandsTest, OpenReadsTheListAndShowsItsName) {
    // An upper-case extension still chooses the sectioned reader, and the file is
    // opened under its own name.
    const std::string path = Path("Stock.SHT");
    fixtures::WriteBytes(
        path, "[SHEET1]\r\nLABEL=Birch\r\nLENGTH=2440\r\nWIDTH=1220\r\nQTY=3\r\nCOST=20\r\n");
    dialogs.openAnswers = {QString::fromStdString(path)};
    Click("btnStockOpen");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(Text(dialogs.fileRequests[0].title), "Open a sheet list");
    EXPECT_EQ(Text(dialogs.fileRequests[0].defaultSuffix), "sht");
    EXPECT_NE(Text(dialogs.fileRequests[0].filter).find("(*.sht);;"), std::string::npos);
    EXPECT_EQ(Table("sgSheet").Cell(2, 0), "Birch");
    EXPECT_EQ(Table("sgSheet").Cell(2, 6), "3");
    EXPECT_EQ(Table("sgSheet").Cell(0, 2), "8,930,400.0");
    EXPECT_EQ(Find<QLineEdit>("edtStockFile")->text().toStdString(), path);
    EXPECT_TRUE(dialogs.messages.empty());

    dialogs.openAnswers = {QString()};  // cancelled
    Click("btnStockOpen");
    EXPECT_EQ(Table("sgSheet").Cell(2, 0), "Birch");
}

TEST_F(FileCommandsTest, AListThatStopsEarlyTellsFileAndLine) {
    const std::string path = Path("parts.txt");
    fixtures::WriteBytes(path, "Door\t720\t400\t2\tYes\r\nShelf\tA\t300\t1\tYes\r\n");
    dialogs.openAnswers = {QString::fromStdString(path)};
    Click("btnPartOpen");
    EXPECT_EQ(Table("sgPart").Cell(2, 0), "Door");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    const std::string text = Text(dialogs.messages[0].text);
    EXPECT_NE(text.find("parts.txt"), std::string::npos) << text;
    EXPECT_NE(text.find('2'), std::string::npos) << text;

    dialogs.openAnswers = {QString::fromStdString(Path("missing.txt"))};
    Click("btnPartOpen");
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(Text(dialogs.messages[1].caption), "Tarvex sheet cutting system");
    EXPECT_EQ(Table("sgPart").Cell(2, 0), "Door");  // unchanged
}

TEST_F(FileCommandsTest, SaveWritesTheRowsWithLabelsAndSaveLeftTheStockLeft) {
    Find<EntryTableView>("sgSheet")->Model().Edit([](CellTable& t) {
        t.SetCell(2, 0, "Birch");
        t.SetCell(2, 1, "2440");
        t.SetCell(2, 2, "1220");
        t.SetCell(2, 3, "5");
        t.SetCell(2, 6, "2");
        t.AppendRow();
        t.SetCell(3, 0, "Oak");
        t.SetCell(3, 1, "2000");
        t.SetCell(3, 2, "1000");
        t.SetCell(3, 3, "1");
        t.SetCell(3, 5, "No");
        t.SetCell(3, 6, "0");
    });
    const std::string list = Path("sheets.txt"), left = Path("left.txt");
    dialogs.saveAnswers = {QString::fromStdString(list), QString::fromStdString(left)};
    Click("btnStockSave");
    Click("btnSaveLeft");
    EXPECT_EQ(fixtures::ReadBytes(list),
              "Birch\t2440\t1220\t5\t0\tYes\r\nOak\t2000\t1000\t1\t0\tNo\r\n");
    EXPECT_EQ(fixtures::ReadBytes(left), "Birch\t2440\t1220\t2\t0\tYes\r\n");
    EXPECT_EQ(Find<QLineEdit>("edtStockFile")->text().toStdString(), list);
    EXPECT_EQ(Text(dialogs.fileRequests[1].title), "Save the sheets left over as");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FileCommandsTest, ProjectsSaveAndOpenWithCaptionAndLayoutsPage) {
    // A project never saved asks for its name before anything is written.
    Find<QAction>("mniSave")->trigger();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(Text(dialogs.fileRequests[0].title), "Save the project as");
    EXPECT_TRUE(dialogs.messages.empty());
    dialogs.fileRequests.clear();

    const std::string sheets = Path("sheets.txt"), parts = Path("parts.txt");
    fixtures::WriteBytes(sheets, "Birch\t2440\t1220\t3\r\n");
    fixtures::WriteBytes(parts, "Door\t720\t400\t2\tYes\r\n");
    dialogs.openAnswers = {QString::fromStdString(sheets), QString::fromStdString(parts)};
    Click("btnStockOpen");
    Click("btnPartOpen");
    Find<QSlider>("tbFast")->setValue(9);
    const std::string project = Path("kitchen.dat");
    dialogs.saveAnswers = {QString::fromStdString(project)};
    Find<QAction>("mniSave")->trigger();
    EXPECT_EQ(Text(window->windowTitle()), "kitchen.dat - Tarvex sheet cutting system");
    // The lists lie beside the project: it names them relative to its folder.
    EXPECT_EQ(fixtures::ReadBytes(project).substr(0, 26), "sheets.txt\r\nparts.txt\r\n9\r\n");

    // Opening it in a fresh window brings back the lists, the settings and the caption.
    window.reset();
    Open();
    dialogs.openAnswers = {QString::fromStdString(project)};
    Find<QAction>("mniOpen")->trigger();
    EXPECT_EQ(Table("sgSheet").Cell(2, 0), "Birch");
    EXPECT_EQ(Table("sgPart").Cell(2, 0), "Door");
    EXPECT_EQ(Find<QSlider>("tbFast")->value(), 9);
    EXPECT_EQ(Find<QLineEdit>("edtPartFile")->text().toStdString(), parts);
    EXPECT_EQ(Text(window->windowTitle()), "kitchen.dat - Tarvex sheet cutting system");
    EXPECT_EQ(Find<QTabWidget>("pgcpg1")->currentIndex(), MainWindow::kLayoutsPage);
}

TEST_F(FileCommandsTest, AProjectNamedAtStartOpensWithoutTheDialog) {
    const std::string project = std::string(TARVEX_SOURCE_DIR) + "/examples/shelving/shelving.dat";
    window->OpenProject(QString::fromStdString(project));
    EXPECT_TRUE(dialogs.fileRequests.empty());
    EXPECT_FALSE(Table("sgSheet").Cell(2, 0).empty());
    EXPECT_FALSE(Table("sgPart").Cell(2, 0).empty());
    EXPECT_EQ(Text(window->windowTitle()), "shelving.dat - Tarvex sheet cutting system");

    // A project that cannot be read is reported and changes nothing.
    window->OpenProject(QString::fromStdString(Path("missing.dat")));
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_NE(Text(dialogs.messages.back().text).find("missing.dat"), std::string::npos);
    EXPECT_EQ(Text(window->windowTitle()), "shelving.dat - Tarvex sheet cutting system");
}

TEST_F(FileCommandsTest, CsvListsOpenOnBothPagesAndABadRowIsNamed) {
    fixtures::WriteBytes(Path("parts.csv"),
                         "Label,Length,Width,Quant,Rotatable\r\nBase side,720,560,4,No\r\n"
                         "\"Shelf, adjustable\",764,300.5,3,Yes\r\nTop,800,600,1,\r\n");
    fixtures::WriteBytes(Path("sheets.csv"),
                         "Birch 18mm;2440;1220;6;80,5\r\nOak;2000;1000;2;;No\r\n");
    dialogs.openAnswers = {QString::fromStdString(Path("parts.csv")),
                           QString::fromStdString(Path("sheets.csv"))};
    Click("btnPartOpen");
    Click("btnStockOpen");
    EXPECT_NE(Text(dialogs.fileRequests[0].filter).find("(*.csv)"), std::string::npos);
    EXPECT_TRUE(dialogs.messages.empty());
    const CellTable& parts = Table("sgPart");
    ASSERT_EQ(parts.RowCount(), 5);
    EXPECT_EQ(parts.Cell(2, 0), "Base side");
    EXPECT_EQ(parts.Cell(2, 4), "No");
    EXPECT_EQ(parts.Cell(3, 0), "Shelf, adjustable");
    EXPECT_EQ(parts.Cell(3, 2), "300.5");
    EXPECT_EQ(parts.Cell(0, 3), "8");
    EXPECT_EQ(Table("sgSheet").Cell(2, 4), "80.5");
    EXPECT_EQ(Table("sgSheet").Cell(3, 5), "No");
    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    if (!shots.isEmpty()) {
        Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kPartsPage);
        QCoreApplication::processEvents();
        window->grab().save(QDir(shots).filePath(QStringLiteral("csv-import.png")));
    }

    fixtures::WriteBytes(Path("bad.csv"), "Door,720,400,2,Yes\r\nBase side,72O,560,4,No\r\n");
    dialogs.openAnswers = {QString::fromStdString(Path("bad.csv"))};
    Click("btnPartOpen");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    const std::string message = Text(dialogs.messages[0].text);
    EXPECT_NE(message.find("bad.csv"), std::string::npos) << message;
    EXPECT_NE(message.find("line 2"), std::string::npos) << message;
    EXPECT_EQ(Table("sgPart").Cell(2, 0), "Door");
}
