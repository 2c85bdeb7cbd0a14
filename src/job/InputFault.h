// Why the input of a calculation is refused, as data: what is wrong, where (the
// table, its data row counting from 1 and its column, or the setting) and the
// values the user needs to see. The window and the command line word it in the
// language of the moment.
#pragma once

#include <string>
#include <vector>

namespace tarvex {

enum class EntryTable { None, Sheets, Parts, Bandings };
enum class EntryColumn {
    None,
    Label,
    Length,
    Width,
    Quant,
    Cost,
    Priority,
    Rotatable,
    Material,
    Grain,
    BandingL1,  // the part's edges, in the order of Edge
    BandingL2,
    BandingW1,
    BandingW2,
    BandingName,  // the columns of the banding table
    BandingThickness,
    BandingAllowance,
};

struct InputFault {
    enum class Code {
        None,                  // nothing to say
        FirstRowIncorrect,     // the sizes or quantity of the table's first data row
        NotANumber,            // a cell; values: its text
        NotAWholeNumber,       // likewise
        NegativeQuantity,      // likewise
        NotAGrain,             // likewise
        SizeNotPositive,       // a cell of a row that makes records
        NegativeCost,          // likewise
        SizesOutOfRange,       // a row whose sizes give no finite area
        NoUsableArea,          // a sheet row the margins leave nothing of
        TooManyParts,          // values: the pieces, the most a job may have
        TooManySheets,         // values: the most a job may have
        NoParts,               // no part row has a quantity above 0
        NoSheetOfMaterial,     // a part row; values: its material
        FirstCutAcrossGrain,   // a sheet row with its grain across, with a first-cut direction
        UnknownBanding,        // a part's banding cell; values: the name the list lacks
        BandingLeavesNothing,  // a part row finished sizes leave no length or width of
        BandingNegative,       // a thickness or allowance of the banding table
        BandingWithoutName,    // a banding row with a thickness or allowance but no name
        DuplicateBanding,      // a banding row; values: the name an earlier row has
        AreaExceeded,          // the parts need more area than the sheets offer
        SettingNotANumber,     // `setting`; values: its text
        SettingNotAWholeNumber,
        SettingNegative,
    };
    Code code = Code::None;
    EntryTable table = EntryTable::None;
    int row = 0;  // data row, 1 for the first; 0 for none
    EntryColumn column = EntryColumn::None;
    // The braces keep GCC from warning of the fields a designated initializer leaves out.
    std::string setting{};  // the setting's caption as a message id
    std::vector<std::string> values{};

    bool operator==(const InputFault&) const = default;
};

}  // namespace tarvex
