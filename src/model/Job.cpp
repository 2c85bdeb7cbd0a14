#include "model/Job.h"

namespace tarvex {

JobBuilder::JobBuilder(const CutSettings& settings, std::int32_t firstPartId)
    : settings_(settings), nextPartId_(firstPartId) {}

void JobBuilder::AddPart(const Part& part) {
    job_.parts.push_back(part);
    job_.parts.back().id = nextPartId_++;
    job_.enteredParts.push_back(
        {part.length - settings_.bladeWidth, part.width - settings_.bladeWidth});
    job_.partArea += part.Area();
    ++job_.partCount;
}

void JobBuilder::AddParts(double length, double width, bool rotatable, const std::string& label,
                          std::int32_t quantity, std::int32_t entryRow) {
    Part part;
    part.SetSize(length, width);
    part.rotatable = rotatable;
    part.label = label;
    part.width += settings_.bladeWidth;
    part.length += settings_.bladeWidth;
    for (std::int32_t k = 0; k < quantity; ++k) {
        AddPart(part);
        job_.enteredParts.back() = {length, width, entryRow};
    }
}

void JobBuilder::AddSheet(double length, double width, double cost, const std::string& label,
                          bool usedFirst, std::int32_t entryRow) {
    job_.enteredSheets.push_back({length, width, entryRow});
    Sheet& sheet = job_.sheets.emplace_back();
    sheet.usedFirst = usedFirst;
    sheet.length = length;
    sheet.width = width;
    sheet.id = job_.sheetCount++;
    sheet.label = label;
    sheet.unitCost = cost / sheet.Area();
    const Margins& m = settings_.margins;
    sheet.width -= m.top + m.bottom;
    sheet.length -= m.left + m.right;
    job_.sheetArea += sheet.Area();
    job_.sheetCost += sheet.Area() * sheet.unitCost;
}

}  // namespace tarvex
