// The in-place editors of an entry table: free text for labels, sizes, quantities,
// costs and materials, drop-down lists of the two texts Yes and No and of the
// grain directions in the current language, and for the banding of a part's edges
// a drop-down of the banding names that also takes any text typed. An entry the
// cell cannot take is refused: the cell keeps its text.
#pragma once

#include <QStringList>
#include <QStyledItemDelegate>

namespace tarvex {

class CellTableModel;

class CellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    CellDelegate(const CellTableModel& model, QObject* parent = nullptr);

    // The drop-down lists' entries; refilled when the language changes. Cells that
    // already hold a text keep it.
    void SetYesNo(const QStringList& texts) { yesNo_ = texts; }
    const QStringList& YesNo() const { return yesNo_; }
    void SetGrains(const QStringList& texts) { grains_ = texts; }
    const QStringList& Grains() const { return grains_; }
    // The names of the banding table; the drop-down offers none first.
    void SetBandingNames(const QStringList& names) { bandingNames_ = names; }
    const QStringList& BandingNames() const { return bandingNames_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

  Q_SIGNALS:
    // Enter in an editor: the text is committed and the editor closed first.
    void enterPressed();
    // Ctrl+V in an editor with more than a cell copied: the editor has closed and
    // the table pastes.
    void pasteRequested();
    // An entry was refused; the message names the table, row and column. Sent
    // once the editor has closed, so that a message box cannot interrupt it.
    void entryRefused(const QString& message);

  protected:
    bool eventFilter(QObject* object, QEvent* event) override;

  private:
    const CellTableModel& model_;
    QStringList yesNo_;
    QStringList grains_;
    QStringList bandingNames_;
};

}  // namespace tarvex
