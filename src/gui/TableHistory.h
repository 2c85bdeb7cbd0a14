// The tables' undo history: each change the user makes to a table (typing a cell,
// paste, Append, Delete, Del All, Enter on the last row, opening a list) is one
// step that Undo and Redo walk, whichever table it changed. The program's own
// writes (totals, Left Quant, captions) are no steps.
#pragma once

#include <QObject>
#include <QUndoStack>
#include <functional>

#include "io/CellTable.h"

namespace tarvex {

class CellTableModel;

class TableHistory : public QObject {
    Q_OBJECT

  public:
    explicit TableHistory(QObject* parent = nullptr);

    // Records the cells typed into the model's table.
    void Watch(CellTableModel& model);
    // Runs the change as one step; nothing is recorded when the table stays as it was.
    void Edit(CellTableModel& model, const std::function<void(CellTable&)>& change);
    // Forgets every step (another project, a new one).
    void Clear() { stack_.clear(); }

    QUndoStack& Stack() { return stack_; }

  private:
    QUndoStack stack_;
};

}  // namespace tarvex
