#include "gui/CellDelegate.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <optional>

#include "gui/CellTableModel.h"
#include "gui/UiText.h"
#include "io/CellEntry.h"

namespace tarvex {

CellDelegate::CellDelegate(const CellTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), model_(model) {}

QWidget* CellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const CellEditing editing = model_.Editing(index.column());
    if (editing == CellEditing::YesNo || editing == CellEditing::Grain) {
        auto* combo = new QComboBox(parent);
        combo->addItems(editing == CellEditing::YesNo ? yesNo_ : grains_);
        return combo;
    }
    if (editing == CellEditing::Banding) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItem(QString());
        combo->addItems(bandingNames_);
        return combo;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void CellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QString text = index.data(Qt::EditRole).toString();
        if (combo->isEditable())
            combo->setCurrentText(text);
        else
            combo->setCurrentIndex(combo->findText(text));
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void CellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                const QModelIndex& index) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor); combo && combo->isEditable()) {
        // A name the banding table lacks yet is kept, for the calculation to name.
        model->setData(index, combo->currentText().trimmed(), Qt::EditRole);
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // Leaving the list without a choice keeps the cell's text (also another
        // language's wording).
        if (combo->currentIndex() >= 0) model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const std::string fault =
            CellEntryFault(model_.Kind(), CellTableModel::TableRow(index.row()), index.column(),
                           S(line->text()), model_.Lengths());
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

namespace {

// The one cell a clipboard text holds, as a spreadsheet copies it (a line end
// after it); nothing when it holds several cells or rows.
std::optional<QString> SingleCell(QString text) {
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    if (text.endsWith(QLatin1Char('\r'))) text.chop(1);
    if (text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
        text.contains(QLatin1Char('\r')))
        return std::nullopt;
    return text;
}

}  // namespace

bool CellDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            Q_EMIT enterPressed();
            return true;
        }
        // Ctrl+V in a cell being typed: one copied cell goes into the text, copied
        // rows (or a cell for a Yes/No list) into the table as its own Ctrl+V
        // pastes them, once the editor has closed.
        if (editor && key == Qt::Key_V && (press->modifiers() & Qt::ControlModifier)) {
            const std::optional<QString> cell = SingleCell(QGuiApplication::clipboard()->text());
            auto* line = qobject_cast<QLineEdit*>(editor);
            if (cell && line) {
                line->insert(*cell);
                return true;
            }
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            Q_EMIT pasteRequested();
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace tarvex
