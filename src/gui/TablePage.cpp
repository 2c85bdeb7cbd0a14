#include "gui/TablePage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/CellDelegate.h"
#include "gui/EntryTableView.h"
#include "gui/TableHistory.h"
#include "gui/UiText.h"
#include "io/CellEntry.h"
#include "io/PastedRows.h"
#include "text/Translate.h"

namespace tarvex {

QPushButton* TablePage::NewButton(const char* name, void (TablePage::*clicked)()) {
    auto* button = new QPushButton;
    button->setObjectName(Q(name));
    // Like tool buttons, these leave the focus in the table.
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, clicked);
    return button;
}

TablePage::TablePage(CellTableModel& model, TableHistory& history, QWidget* parent)
    : QWidget(parent), model_(model), history_(history), sheets_(model.Kind() == TableKind::Sheet) {
    const char* prefix = sheets_ ? "btnStock" : "btnPart";
    const auto name = [prefix](const char* role) { return (std::string(prefix) + role); };
    const std::string open = name("Open"), save = name("Save"), add = name("Add"),
                      del = name("Del"), delAll = name("DelAll");
    btnOpen_ = NewButton(open.c_str(), &TablePage::openClicked);
    btnSave_ = NewButton(save.c_str(), &TablePage::saveClicked);
    btnAdd_ = NewButton(add.c_str(), &TablePage::AppendClick);
    btnDel_ = NewButton(del.c_str(), &TablePage::DeleteClick);
    btnDelAll_ = NewButton(delAll.c_str(), &TablePage::DelAllClick);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {btnOpen_, btnSave_, btnAdd_, btnDel_, btnDelAll_})
        buttons->addWidget(button);
    if (sheets_) {
        btnSaveLeft_ = NewButton("btnSaveLeft", &TablePage::saveLeftClicked);
        buttons->addWidget(btnSaveLeft_);
    }
    buttons->addStretch();

    lblFile_ = new QLabel;
    edtFile_ = new QLineEdit;
    edtFile_->setObjectName(sheets_ ? QStringLiteral("edtStockFile")
                                    : QStringLiteral("edtPartFile"));
    edtFile_->setReadOnly(true);
    lblFile_->setBuddy(edtFile_);
    auto* file = new QHBoxLayout;
    file->addWidget(lblFile_);
    file->addWidget(edtFile_, 1);

    view_ = new EntryTableView(model);
    view_->setObjectName(sheets_ ? QStringLiteral("sgSheet") : QStringLiteral("sgPart"));
    view_->TotalsStrip().setObjectName(view_->objectName() + QStringLiteral("Totals"));
    view_->MaterialTotalsStrip().setObjectName(view_->objectName() +
                                               QStringLiteral("MaterialTotals"));
    connect(view_, &EntryTableView::enterPressed, this, &TablePage::EnterKeyPress);
    connect(view_, &EntryTableView::pasteRequested, this, &TablePage::Paste);
    connect(&view_->Delegate(), &CellDelegate::entryRefused, this, &TablePage::refused);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addLayout(file);
    auto* table = new QVBoxLayout;
    table->setSpacing(0);
    table->addWidget(&view_->TotalsStrip());
    table->addWidget(&view_->MaterialTotalsStrip());
    table->addWidget(view_, 1);
    layout->addLayout(table, 1);
    setFocusProxy(view_);
}

void TablePage::Retranslate() {
    btnOpen_->setText(Q(_("Open(&O)")));
    btnSave_->setText(Q(_("Save(&S)")));
    btnAdd_->setText(Q(_("Append(&A)")));
    btnDel_->setText(Q(_("Delete(&D)")));
    btnDelAll_->setText(Q(_("Del All(&F)")));
    if (btnSaveLeft_) {
        btnSaveLeft_->setText(Q(_("Save Left(&L)")));
        btnSaveLeft_->setToolTip(
            Q(_("Saves the sheets left over, so that they can be opened "
                "next time without typing them again.")));
    }
    lblFile_->setText(Q(_("File Name:")));
}

void TablePage::ShowFileName(const QString& path) {
    edtFile_->setText(path);
}

void TablePage::AppendClick() {
    view_->CommitEditing();
    history_.Edit(model_, [this](CellTable& t) { AppendTableRow(t, model_.Kind()); });
}

void TablePage::DeleteClick() {
    view_->CommitEditing();
    const int row = view_->CurrentTableRow();
    const int col = view_->CurrentColumn();
    history_.Edit(model_, [this, row](CellTable& t) {
        DeleteTableRow(t, model_.Kind(), row, model_.Lengths());
    });
    view_->SetCurrentCell(std::min(row, model_.Table().RowCount() - 1), col);
    view_->setFocus();
}

void TablePage::DelAllClick() {
    view_->CommitEditing();
    history_.Edit(model_, [this](CellTable& t) { DeleteAllRows(t, model_.Kind()); });
    view_->SetCurrentCell(CellTable::kFirstDataRow, 0);
}

void TablePage::EnterKeyPress() {
    CellPos next{view_->CurrentTableRow(), view_->CurrentColumn()};
    history_.Edit(model_, [this, &next](CellTable& t) { next = EnterKey(t, model_.Kind(), next); });
    view_->SetCurrentCell(next.row, next.col);
}

void TablePage::Paste() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) return;
    view_->CommitEditing();
    // A single value goes into the current cell, as if it were typed there.
    if (!text.contains(QLatin1Char('\t')) && !text.trimmed().contains(QLatin1Char('\n'))) {
        const int row = view_->CurrentTableRow(), col = view_->CurrentColumn();
        std::string value = S(text.trimmed());
        if (!IsSelectableCell(model_.Kind(), row, col)) return;
        const std::string fault = CellEntryFault(model_.Kind(), row, col, value, model_.Lengths());
        if (!fault.empty()) {
            Q_EMIT refused(Q(fault));
            return;
        }
        const CellEditing editing = TableColumns(model_.Kind())[col].editing;
        if (editing == CellEditing::YesNo) value = *ReadYesNo(value) ? _("Yes") : _("No");
        if (editing == CellEditing::Grain) value = *GrainCell(value);
        history_.Edit(model_, [&](CellTable& t) { t.SetCell(row, col, value); });
        return;
    }
    PasteOutcome outcome;
    history_.Edit(model_, [&](CellTable& t) {
        outcome = PasteRows(t, model_.Kind(), S(text), model_.Lengths());
    });
    if (!outcome.refusal.empty()) Q_EMIT refused(Q(outcome.refusal));
}

}  // namespace tarvex
