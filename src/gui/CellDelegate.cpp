#include "gui/CellDelegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "gui/CellTableModel.h"
#include "gui/UiText.h"

CellDelegate::CellDelegate(const CellTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (model_.Editing(index.column()) == CellEditing::YesNo) {
        auto* combo = new QComboBox(parent);
        combo->addItems(yesNo_);
        return combo;
    }
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && model_.Editing(index.column()) == CellEditing::Number) {
        // Every text on the way must already be a number; anything else empties the cell.
        const TableKind kind = model_.Kind();
        const int row = CellTableModel::TableRow(index.row());
        const int col = index.column();
        connect(line, &QLineEdit::textEdited, line, [line, kind, row, col](const QString& text) {
            const std::string kept = CheckNumberEdit(kind, row, col, S(text));
            if (kept != S(text)) line->setText(Q(kept));
        });
    }
    return editor;
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(index.data(Qt::EditRole).toString()));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // Leaving the list without a choice keeps the cell's text (also another
        // language's wording).
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            Q_EMIT enterPressed();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
