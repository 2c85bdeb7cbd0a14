// The view of an entry table: rows 20 pixels high, no row numbers, columns the user
// can widen, TAB between cells, and the table's own keys (Enter, Ctrl+V) handed to
// its page as signals.
#pragma once

#include <QPointer>
#include <QTableView>

namespace tarvex {

class CellDelegate;
class CellTableModel;
class MaterialTotalsModel;

class EntryTableView : public QTableView {
    Q_OBJECT

  public:
    explicit EntryTableView(CellTableModel& model, QWidget* parent = nullptr);
    ~EntryTableView() override;

    CellTableModel& Model() const { return model_; }
    // The totals row, kept in view above the column captions while the data rows
    // scroll; the page places it right above the table.
    QTableView& TotalsStrip() const { return *totals_; }
    // The totals material by material, hidden while the table holds one material;
    // the page places it right under the totals row.
    QTableView& MaterialTotalsStrip() const { return *materialTotals_; }
    CellDelegate& Delegate() const { return *delegate_; }

    // The table row (0 totals, 1 header, data from 2) and column of the current
    // cell; the first data row when there is none.
    int CurrentTableRow() const;
    int CurrentColumn() const;
    void SetCurrentCell(int tableRow, int col);
    // Ends the editing in progress, keeping what was typed.
    void CommitEditing();

  Q_SIGNALS:
    void enterPressed();
    void pasteRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void SetDefaultWidths();
    void ShowOnlyTotalsInStrip();
    void WidenToFit();
    void FitMaterialTotals();

    CellTableModel& model_;
    QPointer<QTableView> totals_;          // placed in, and owned by, the page once laid out
    QPointer<QTableView> materialTotals_;  // likewise
    MaterialTotalsModel* materialModel_;
    CellDelegate* delegate_;
};

}  // namespace tarvex
