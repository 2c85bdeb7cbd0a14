#include "io/EnteredRowInput.h"

#include "io/EntryTables.h"
#include "text/FieldSplit.h"
#include "text/NumberText.h"

namespace tarvex {

EnteredPart EnteredPartOf(PartTexts texts, const LengthFormat& lengths) {
    EnteredPart row;
    row.label = TrimControls(texts.label);
    row.length = ParseLength(texts.length, lengths);
    row.width = ParseLength(texts.width, lengths);
    row.quantity = ParseInteger(texts.quantity);
    row.rotatable = MeansYes(texts.rotatable);
    row.material = TrimControls(texts.material);
    for (size_t e = 0; e < texts.banding.size(); ++e)
        row.banding[e] = TrimControls(texts.banding[e]);
    row.texts = std::move(texts);
    return row;
}

EnteredSheet EnteredSheetOf(SheetTexts texts, const LengthFormat& lengths) {
    EnteredSheet row;
    row.label = TrimControls(texts.label);
    row.length = ParseLength(texts.length, lengths);
    row.width = ParseLength(texts.width, lengths);
    row.cost = ParseNumber(texts.cost);
    row.quantity = ParseInteger(texts.quantity);
    row.priority = MeansYes(texts.priority);
    row.material = TrimControls(texts.material);
    row.grain = ReadGrain(texts.grain).value_or(Grain::Length);
    row.texts = std::move(texts);
    return row;
}

}  // namespace tarvex
