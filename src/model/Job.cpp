#include "model/Job.h"

#include <utility>

namespace tarvex {

JobBuilder::JobBuilder(const CutSettings& settings, std::int32_t firstPartId)
    : settings_(settings), nextPartId_(firstPartId) {}

Job Job::Restored(std::vector<Part> parts, const JobTotals& totals) {
    Job job;
    job.parts_ = std::move(parts);
    job.totals_ = totals;
    return job;
}

Job Job::Joined(const std::vector<const Job*>& jobs, const std::vector<std::int32_t>& shifts) {
    Job joined;
    for (std::size_t k = 0; k < jobs.size(); ++k) {
        const Job& job = *jobs[k];
        const std::int32_t shift = k < shifts.size() ? shifts[k] : 0;
        for (Part part : job.parts_) {
            part.id += shift;
            joined.parts_.push_back(std::move(part));
        }
        for (Sheet sheet : job.sheets_) {
            sheet.id = static_cast<std::int32_t>(joined.sheets_.size());
            joined.sheets_.push_back(std::move(sheet));
        }
        joined.enteredParts_.insert(joined.enteredParts_.end(), job.enteredParts_.begin(),
                                    job.enteredParts_.end());
        joined.enteredSheets_.insert(joined.enteredSheets_.end(), job.enteredSheets_.begin(),
                                     job.enteredSheets_.end());
        JobTotals& t = joined.totals_;
        t.partCount += job.totals_.partCount;
        t.sheetCount += job.totals_.sheetCount;
        t.partArea += job.totals_.partArea;
        t.sheetArea += job.totals_.sheetArea;
        t.sheetCost += job.totals_.sheetCost;
    }
    return joined;
}

void JobBuilder::AddPart(const Part& part) {
    job_.parts_.push_back(part);
    job_.parts_.back().id = nextPartId_++;
    job_.enteredParts_.push_back(
        {part.length - settings_.bladeWidth, part.width - settings_.bladeWidth});
    job_.totals_.partArea += part.Area();
    ++job_.totals_.partCount;
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
        job_.enteredParts_.back() = {length, width, entryRow};
    }
}

void JobBuilder::AddSheet(double length, double width, double cost, const std::string& label,
                          bool usedFirst, std::int32_t entryRow, bool turned) {
    Sheet sheet;
    sheet.usedFirst = usedFirst;
    sheet.length = length;
    sheet.width = width;
    sheet.label = label;
    sheet.unitCost = cost / sheet.Area();
    const Margins& m = settings_.margins;
    sheet.width -= m.top + m.bottom;
    sheet.length -= m.left + m.right;
    if (turned) {
        std::swap(sheet.length, sheet.width);
        sheet.turned = true;
    }
    Count(sheet, {length, width, entryRow});
}

void JobBuilder::AddSheet(const Sheet& usable) {
    const Margins& m = settings_.margins;
    Count(usable, {usable.length + m.left + m.right, usable.width + m.top + m.bottom});
}

void JobBuilder::Count(const Sheet& sheet, const EnteredSize& entered) {
    job_.enteredSheets_.push_back(entered);
    Sheet& counted = job_.sheets_.emplace_back(sheet);
    counted.id = job_.totals_.sheetCount++;
    job_.totals_.sheetArea += counted.Area();
    job_.totals_.sheetCost += counted.Area() * counted.unitCost;
}

}  // namespace tarvex
