#include "gui/CellDelegate.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

#include "gui/CellTableModel.h"
#include "gui/UiText.h"
#include "io/CellEntry.h"

CellDelegate::CellDelegate(const CellTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    if (model_.Editing(index.column()) == CellEditing::YesNo) {
        auto* combo = new QComboBox(parent);
        combo->addItems(yesNo_);
        return combo;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
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
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const std::string fault = CellEntryFault(model_.Kind(), CellTableModel::TableRow(index.row()),
                                                 index.column(), S(line->text()));
        if (!fault.empty()) {
            auto* self = const_cast<CellDelegate*>(this);
            QMetaObject::invokeMethod(
                self, [self, message = Q(fault)] { Q_EMIT self->entryRefused(message); },
                Qt::QueuedConnection);
            return;
        }
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
