#include "io/CellEntry.h"

#include <algorithm>
#include <cctype>

#include "text/CaseFold.h"
#include "text/FieldSplit.h"
#include "text/FileMessages.h"
#include "text/Languages.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

std::string Fault(const char* message, TableKind kind, int row, int col, const std::string& text) {
    const char* table = kind == TableKind::Sheet ? "Sheets" : "Parts";
    return Substitute(_(message), {_(table), std::to_string(row - CellTable::kFirstDataRow + 1),
                                   _(TableColumns(kind)[col].caption), text});
}

bool IsNoWord(const std::string& text) {
    const std::string lower = AsciiLower(text);
    if (lower == "n" || lower == "0" || lower == "false" || lower == "no") return true;
    if (SameIgnoringCase(text, _("No"))) return true;
    for (const std::string& word : InEveryLanguage("No"))
        if (SameIgnoringCase(text, word)) return true;
    return false;
}

}  // namespace

std::string CellEntryFault(TableKind kind, int row, int col, const std::string& text,
                           const LengthFormat& lengths) {
    if (text.empty() || !IsSelectableCell(kind, row, col)) return {};
    const ColumnInfo& column = TableColumns(kind)[col];
    if (column.editing == CellEditing::YesNo) {
        if (ReadYesNo(text)) return {};
        return Fault("{1}, row {2}, column \"{3}\": \"{4}\" is neither Yes nor No.", kind, row, col,
                     text);
    }
    if (column.editing == CellEditing::Grain) {
        if (ReadGrain(text)) return {};
        return Fault(
            "{1}, row {2}, column \"{3}\": \"{4}\" is not a grain direction: use length, "
            "width or none.",
            kind, row, col, text);
    }
    if (column.editing != CellEditing::Number) return {};
    if (col == SheetCol::Quant) {
        const auto count = ParseInteger(text);
        if (!count)
            return Fault("{1}, row {2}, column \"{3}\": \"{4}\" is not a whole number.", kind, row,
                         col, text);
        if (*count < 0)
            return Fault("{1}, row {2}, column \"{3}\": the quantity must not be negative.", kind,
                         row, col, text);
        return {};
    }
    const bool size = col == SheetCol::Length || col == SheetCol::Width;
    if (size ? ParseLength(text, lengths).has_value() : ParseNumber(text).has_value()) return {};
    return Fault("{1}, row {2}, column \"{3}\": \"{4}\" is not a number.", kind, row, col, text);
}

std::optional<bool> ReadYesNo(const std::string& cell) {
    if (MeansYes(cell)) return true;
    if (IsNoWord(TrimControls(cell))) return false;
    return std::nullopt;
}

bool AreSizeCaptions(const std::string& length, const std::string& width) {
    const auto caption = [](const std::string& text) {
        return !text.empty() && std::none_of(text.begin(), text.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        });
    };
    return caption(length) && caption(width);
}

}  // namespace tarvex
