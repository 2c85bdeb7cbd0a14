#include "gui/TableHistory.h"

#include <QUndoCommand>

#include "gui/CellTableModel.h"

namespace tarvex {

namespace {

// Restores one table as a whole. The fixed rows are written again, so a step
// taken before a language switch comes back in the current language.
void Restore(CellTableModel& model, const CellTable& table) {
    model.Edit([&](CellTable& t) {
        t = table;
        WriteFixedRows(t, model.Kind());
    });
}

class TableStep : public QUndoCommand {
  public:
    TableStep(CellTableModel& model, CellTable before, CellTable after)
        : model_(model), before_(std::move(before)), after_(std::move(after)) {}

    // The change is already made when the step is recorded.
    void redo() override {
        if (done_) Restore(model_, after_);
        done_ = true;
    }
    void undo() override { Restore(model_, before_); }

  private:
    CellTableModel& model_;
    CellTable before_, after_;
    bool done_ = false;
};

class CellStep : public QUndoCommand {
  public:
    CellStep(CellTableModel& model, int row, int col, std::string before, std::string after)
        : model_(model),
          row_(row),
          col_(col),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void redo() override {
        if (done_) Write(after_);
        done_ = true;
    }
    void undo() override { Write(before_); }

  private:
    void Write(const std::string& text) {
        model_.Edit([&](CellTable& t) { t.SetCell(row_, col_, text); });
    }

    CellTableModel& model_;
    int row_, col_;
    std::string before_, after_;
    bool done_ = false;
};

}  // namespace

TableHistory::TableHistory(QObject* parent) : QObject(parent) {}

void TableHistory::Watch(CellTableModel& model) {
    connect(&model, &CellTableModel::cellTyped, this,
            [this, &model](int row, int col, const QString& before) {
                stack_.push(new CellStep(model, row, col, before.toStdString(),
                                         model.Table().Cell(row, col)));
            });
}

void TableHistory::Edit(CellTableModel& model, const std::function<void(CellTable&)>& change) {
    CellTable before = model.Table();
    model.Edit(change);
    if (model.Table() == before) return;
    stack_.push(new TableStep(model, std::move(before), model.Table()));
}

}  // namespace tarvex
