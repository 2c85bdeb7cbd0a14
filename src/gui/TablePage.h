// The "Sheets" and "Parts" pages: the list file buttons, the editing buttons, the
// list file's name and the entry table. The page edits its table itself (Append,
// Delete, Del All, Enter, paste); the file commands belong to the window.
#pragma once

#include <QWidget>

#include "gui/CellTableModel.h"

class EntryTableView;
class QLabel;
class QLineEdit;
class QPushButton;

class TablePage : public QWidget {
    Q_OBJECT

  public:
    TablePage(CellTableModel& model, QWidget* parent = nullptr);

    void Retranslate();
    EntryTableView& View() const { return *view_; }
    void ShowFileName(const QString& path);

  Q_SIGNALS:
    void openClicked();
    void saveClicked();
    void saveLeftClicked();  // sheets only

  private:
    QPushButton* NewButton(const char* name, void (TablePage::*clicked)());
    void AppendClick();
    void DeleteClick();
    void DelAllClick();
    void EnterKeyPress();
    void Paste();

    CellTableModel& model_;
    bool sheets_;
    QPushButton *btnOpen_, *btnSave_, *btnAdd_, *btnDel_, *btnDelAll_, *btnSaveLeft_ = nullptr;
    QLabel* lblFile_;
    QLineEdit* edtFile_;
    EntryTableView* view_;
};
