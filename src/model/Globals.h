// The job model: part, sheet and segment records, the job settings and totals,
// and the job's own part and sheet lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One physical part: an entered part of the job, a placement on a sheet (with its
// position) or an offcut (a reusable leftover rectangle, default label and id).
struct TPartInfo {
    double width = 100.0;   // extent along y, one blade width included while optimising
    double length = 100.0;  // extent along x, likewise
    double x = 0.0;
    double y = 0.0;
    double priority = 500.95;  // layout order key of the entered sizes (100 x 100 by default)
    std::uint8_t placed = 0;
    std::uint8_t rotated = 0;
    std::int32_t id = 0;
    std::string label;
    std::uint8_t rotatable = 1;
    std::int32_t count = 1;

    static double ComputePriority(double a, double b);
    void SetSize(double newLength, double newWidth);
    void Rotate();
    void AddKerf();
    void RemoveKerfAndShift();
    double Area() const { return length * width; }
    void SetRotatable(bool on) { rotatable = on ? 1 : 0; }
};

// A level segment of the free placement: the line from (x, y) to (x + length, y).
struct CLine {
    double x = 0.0;
    double y = 0.0;
    double length = 0.0;
};

// One physical stock sheet and, once laid out, its placements and offcuts. The
// records are held by value: a sheet owns them and copying a sheet copies them.
struct TSheetInfo {
    std::int32_t count = 1;
    std::vector<TPartInfo> parts;
    std::vector<TPartInfo> offcuts;
    std::vector<CLine> lines;
    double width = 1000.0;
    double length = 1000.0;
    double originX = 0.0;
    double originY = 0.0;
    std::int32_t id = 0;
    double unitCost = 0.0;
    std::string label;
    std::uint8_t used = 0;
    std::uint8_t distinct = 1;
    double utilisation = 0.0;
    std::int32_t layoutIndex = -1;

    void TakeOffMargins();
    void AddBackMargins();
    double Area() const { return width * length; }
};

// Job settings, read from the settings controls at the start of each calculation.
// They are only read while a calculation runs, from any number of threads.
extern double g_sawwidth;
extern double g_margintop;
extern double g_marginbottom;
extern double g_marginleft;
extern double g_marginright;
extern double g_minlength;
extern double g_minwidth;
extern double g_minarea;
extern std::string g_prefix;
extern std::int32_t g_decimalnum;
extern std::string g_unit;
extern double g_optimrate;
extern std::int32_t g_maxgen;
extern bool g_isonecut;
extern bool g_ispricecut;
extern double g_safeheight;
extern double g_zkdepth;
extern std::int32_t g_shukongtype;
extern std::string g_printtitle;
extern std::string g_printfont;
extern std::string g_printfontsize;

// Job totals, computed by the job input.
extern std::int32_t g_SheetCount;
extern std::int32_t g_PartCount;
extern double g_SumPartArea;
extern double g_SumSheetArea;
extern double g_SumSheetCost;

// The job's records: one per physical part (table order) and per physical sheet
// (priority rows first). The optimizer gives every candidate its own copies and
// lays those out; these lists are never changed during a run.
extern std::vector<TPartInfo> g_PartList;
extern std::vector<TSheetInfo> g_SheetList;

// Part ids are unique over all calculations of one program run.
extern std::int32_t g_PartIndex;

// Appends a copy of the record to g_PartList with the next part id.
void AddJobPart(const TPartInfo& part);

// Appends `quantity` records of one entered part row to g_PartList (priority of
// the entered sizes, one blade width added, the next part ids) and counts them
// into g_PartCount and g_SumPartArea.
void AddJobParts(double length, double width, bool rotatable, const std::string& label,
                 std::int32_t quantity);

// Appends one sheet of entered sizes and cost to g_SheetList, its margins taken
// off and numbered after the sheets before it, and counts it into g_SheetCount,
// g_SumSheetArea and g_SumSheetCost.
void AddJobSheet(double length, double width, double cost, const std::string& label);

// g_maxgen for a speed/quality setting (track bar position 1 to 12).
std::int32_t MaxGenerations(double optimrate);

// Restores every setting and total to its value at program start; the part id
// counter keeps counting.
void ResetJobSettings();
