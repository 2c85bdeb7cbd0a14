// The "Sheets" and "Parts" pages: the list file buttons, the editing buttons, the
// list file's name and the entry table. The page edits its table itself (Append,
// Delete, Del All, Enter, paste), each edit a step of the tables' history; the
// file commands belong to the window.
#pragma once

#include <QWidget>

#include "gui/CellTableModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvex {

class EntryTableView;
class TableHistory;

class TablePage : public QWidget {
    Q_OBJECT

  public:
    TablePage(CellTableModel& model, TableHistory& history, QWidget* parent = nullptr);

    void Retranslate();
    EntryTableView& View() const { return *view_; }
    void ShowFileName(const QString& path);

  Q_SIGNALS:
    void openClicked();
    void saveClicked();
    void saveLeftClicked();  // sheets only
    // A paste or a typed entry was refused; the message says why.
    void refused(const QString& message);

  private:
    QPushButton* NewButton(const char* name, void (TablePage::*clicked)());
    void AppendClick();
    void DeleteClick();
    void DelAllClick();
    void EnterKeyPress();
    void Paste();

    CellTableModel& model_;
    TableHistory& history_;
    bool sheets_;
    QPushButton *btnOpen_, *btnSave_, *btnAdd_, *btnDel_, *btnDelAll_, *btnSaveLeft_ = nullptr;
    QLabel* lblFile_;
    QLineEdit* edtFile_;
    EntryTableView* view_;
};

}  // namespace tarvex
