#include "model/Globals.h"

#include <utility>

double g_sawwidth = 0.0;
double g_margintop = 0.0;
double g_marginbottom = 0.0;
double g_marginleft = 0.0;
double g_marginright = 0.0;
double g_minlength = 0.0;
double g_minwidth = 0.0;
double g_minarea = 0.0;
std::string g_prefix = "YL";
std::int32_t g_decimalnum = 2;
std::string g_unit;
double g_optimrate = 1.0;
std::int32_t g_maxgen = 2;
bool g_isonecut = false;
bool g_ispricecut = false;
double g_safeheight = 0.02;
double g_zkdepth = -0.02;
std::int32_t g_shukongtype = 1;
std::string g_printtitle;
std::string g_printfont;
std::string g_printfontsize;

std::int32_t g_SheetCount = 0;
std::int32_t g_PartCount = 0;
double g_SumPartArea = 0.0;
double g_SumSheetArea = 0.0;
double g_SumSheetCost = 0.0;

std::vector<TPartInfo> g_PartList;
std::vector<TSheetInfo> g_SheetList;
std::int32_t g_PartIndex = 0;

double TPartInfo::ComputePriority(double a, double b) {
    return 0.05 * a * b + 0.95 * (a > b ? a / b : b / a);
}

void TPartInfo::SetSize(double newLength, double newWidth) {
    length = newLength;
    width = newWidth;
    priority = ComputePriority(newLength, newWidth);
}

void TPartInfo::Rotate() {
    std::swap(length, width);
    rotated = rotated ? 0 : 1;
}

void TPartInfo::AddKerf() {
    width += g_sawwidth;
    length += g_sawwidth;
}

void TPartInfo::RemoveKerfAndShift() {
    width -= g_sawwidth;
    length -= g_sawwidth;
    x += g_marginleft;
    y += g_marginbottom;
}

void TSheetInfo::TakeOffMargins() {
    width -= g_margintop + g_marginbottom;
    length -= g_marginleft + g_marginright;
}

void TSheetInfo::AddBackMargins() {
    width += g_margintop + g_marginbottom;
    length += g_marginleft + g_marginright;
}

void AddJobPart(const TPartInfo& part) {
    g_PartList.push_back(part);
    g_PartList.back().id = g_PartIndex++;
}

void AddJobParts(double length, double width, bool rotatable, const std::string& label,
                 std::int32_t quantity) {
    TPartInfo part;
    part.SetSize(length, width);
    part.SetRotatable(rotatable);
    part.label = label;
    part.AddKerf();
    for (std::int32_t k = 0; k < quantity; ++k) {
        AddJobPart(part);
        g_SumPartArea += part.Area();
        ++g_PartCount;
    }
}

void AddJobSheet(double length, double width, double cost, const std::string& label) {
    TSheetInfo& sheet = g_SheetList.emplace_back();
    sheet.length = length;
    sheet.width = width;
    sheet.id = g_SheetCount++;
    sheet.label = label;
    sheet.unitCost = cost / sheet.Area();
    sheet.TakeOffMargins();
    g_SumSheetArea += sheet.Area();
    g_SumSheetCost += sheet.Area() * sheet.unitCost;
}

std::int32_t MaxGenerations(double optimrate) {
    return static_cast<std::int32_t>(optimrate * 11.0);
}

void ResetJobSettings() {
    g_sawwidth = g_margintop = g_marginbottom = g_marginleft = g_marginright = 0.0;
    g_minlength = g_minwidth = g_minarea = 0.0;
    g_prefix = "YL";
    g_decimalnum = 2;
    g_unit.clear();
    g_optimrate = 1.0;
    g_maxgen = 2;
    g_isonecut = g_ispricecut = false;
    g_safeheight = 0.02;
    g_zkdepth = -0.02;
    g_shukongtype = 1;
    g_printtitle.clear();
    g_printfont.clear();
    g_printfontsize.clear();
    g_SheetCount = g_PartCount = 0;
    g_SumPartArea = g_SumSheetArea = g_SumSheetCost = 0.0;
    g_PartList.clear();
    g_SheetList.clear();
}
