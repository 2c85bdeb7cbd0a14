// The banding table of the Settings page through the real window: opened and
// saved with the project beside it, and offered by the part table's edge cells.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "WindowFixture.h"
#include "gui/CellTableModel.h"
#include "gui/EntryTableView.h"
#include "io/EntryTables.h"
#include "support/DataFixtures.h"

using namespace tarvex;

namespace {

class BandingSettingsPage : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        fixtures::WriteBytes(Path("sheets.txt"), "Birch\t2440\t1220\t3\t0\tYes\r\n");
        fixtures::WriteBytes(Path("parts.txt"), "Door\t720\t400\t2\tYes\r\n");
        fixtures::WriteBytes(Path("kitchen.banding.txt"),
                             "finished sizes=yes\r\nABS 2mm\t2\t30\r\n封边\t0.4\r\n");
        std::ofstream(Path("kitchen.dat"), std::ios::binary) << "sheets.txt\r\nparts.txt\r\n4\r\n";
        window->OpenProject(QString::fromStdString(Path("kitchen.dat")));
        ASSERT_TRUE(dialogs.messages.empty());
        table = Find<QTableWidget>("tblBanding");
    }

    std::vector<std::vector<std::string>> Rows() const {
        std::vector<std::vector<std::string>> rows;
        for (int r = 0; r < table->rowCount(); ++r) {
            rows.emplace_back();
            for (int c = 0; c < table->columnCount(); ++c)
                rows.back().push_back(table->item(r, c) ? Text(table->item(r, c)->text()) : "");
        }
        return rows;
    }

    // The editor of the first part's cell in `col`, opened as a double click opens it.
    QComboBox* EdgeEditor(int col) {
        auto* parts = Find<EntryTableView>("sgPart");
        const QModelIndex index =
            parts->model()->index(CellTableModel::ViewRow(CellTable::kFirstDataRow), col);
        // The editor closed last is only deleted later; it must not be found instead.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        parts->setCurrentIndex(index);
        parts->edit(index);
        return parts->viewport()->findChild<QComboBox*>();
    }
    std::string PartCell(int col) {
        return Find<EntryTableView>("sgPart")->Model().Table().Cell(CellTable::kFirstDataRow, col);
    }

    QTableWidget* table = nullptr;
};

}  // namespace

TEST_F(BandingSettingsPage, TheProjectsBandingListFillsTheTableAndTheEdgeCellsOfferItsNames) {
    EXPECT_EQ(Rows(),
              (std::vector<std::vector<std::string>>{{"ABS 2mm", "2", "30"}, {"封边", "0.4", ""}}));
    EXPECT_TRUE(Find<QCheckBox>("chkFinishedSizes")->isChecked());

    QComboBox* editor = EdgeEditor(PartCol::BandingW1);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->count(), 3);
    EXPECT_EQ(Text(editor->itemText(0)), "");
    EXPECT_EQ(Text(editor->itemText(1)), "ABS 2mm");
    EXPECT_EQ(Text(editor->itemText(2)), "封边");
    editor->setCurrentIndex(2);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(PartCell(PartCol::BandingW1), "封边");

    // A name the table does not have yet is typed, and kept.
    editor = EdgeEditor(PartCol::BandingL2);
    ASSERT_NE(editor, nullptr);
    editor->setEditText(QStringLiteral(" Oak veneer "));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(PartCell(PartCol::BandingL2), "Oak veneer");
}

TEST_F(BandingSettingsPage, AddedAndRemovedRowsAreOfferedAndSavedWithTheProject) {
    Find<QPushButton>("btnAddBanding")->click();
    ASSERT_EQ(table->rowCount(), 3);
    table->item(2, 0)->setText(QStringLiteral("Oak"));
    table->item(2, 1)->setText(QStringLiteral("1"));
    table->setCurrentCell(0, 0);
    Find<QPushButton>("btnRemoveBanding")->click();
    Find<QCheckBox>("chkFinishedSizes")->setChecked(false);
    EXPECT_EQ(Rows(),
              (std::vector<std::vector<std::string>>{{"封边", "0.4", ""}, {"Oak", "1", ""}}));

    QComboBox* editor = EdgeEditor(PartCol::BandingL1);
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->count(), 3);
    EXPECT_EQ(Text(editor->itemText(2)), "Oak");
    QTest::keyClick(editor, Qt::Key_Escape);

    // The project has changed although none of its own lines has.
    EXPECT_TRUE(window->windowTitle().startsWith(QLatin1Char('*'))) << Text(window->windowTitle());
    Find<QAction>("mniSave")->trigger();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(fixtures::ReadBytes(Path("kitchen.banding.txt")),
              "finished sizes=no\r\n封边\t0.4\r\nOak\t1\r\n");
    EXPECT_FALSE(window->windowTitle().startsWith(QLatin1Char('*'))) << Text(window->windowTitle());
}
