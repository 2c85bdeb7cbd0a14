// A job: one record per physical part and per physical sheet, with its totals,
// built for one set of cut settings.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/CutSettings.h"
#include "model/Part.h"
#include "model/Sheet.h"

namespace tarvex {

// Sizes as they were entered: a plan gives them back as they are, since taking the
// blade width or the margins off again would leave rounding noise.
struct EnteredSize {
    double length = 0.0;
    double width = 0.0;
    // The data row it came from (0 for the first), which the plan's records keep so
    // that the outputs find the row's texts; -1 when it came from no row.
    std::int32_t entryRow = -1;
};

// What a job adds up to, counted as its records come.
struct JobTotals {
    std::int32_t partCount = 0;
    std::int32_t sheetCount = 0;
    double partArea = 0.0;   // of all parts, blade width included
    double sheetArea = 0.0;  // usable area of all sheets
    double sheetCost = 0.0;  // unit cost times usable area over all sheets
};

// The job's input, fixed once built: only `JobBuilder` adds records, so the totals
// always match them.
class Job {
  public:
    Job() = default;
    // A job as a stored plan keeps it: the part records as they were numbered and the
    // totals of the job the plan was made for, without its sheet records.
    static Job Restored(std::vector<Part> parts, const JobTotals& totals);
    // The jobs one after the other as one job: the part ids of each moved by its
    // shift (they must not meet), the sheets numbered on, the totals added up.
    static Job Joined(const std::vector<const Job*>& jobs, const std::vector<std::int32_t>& shifts);

    const std::vector<Part>& Parts() const { return parts_; }  // in table order, blade added
    // Used-first rows first, margins taken off.
    const std::vector<Sheet>& Sheets() const { return sheets_; }
    const std::vector<EnteredSize>& EnteredParts() const { return enteredParts_; }
    const std::vector<EnteredSize>& EnteredSheets() const { return enteredSheets_; }
    const JobTotals& Totals() const { return totals_; }
    std::int32_t PartCount() const { return totals_.partCount; }
    std::int32_t SheetCount() const { return totals_.sheetCount; }
    double PartArea() const { return totals_.partArea; }
    double SheetArea() const { return totals_.sheetArea; }
    double SheetCost() const { return totals_.sheetCost; }

  private:
    friend class JobBuilder;

    std::vector<Part> parts_;
    std::vector<Sheet> sheets_;
    std::vector<EnteredSize> enteredParts_;   // of `parts_`, in their order
    std::vector<EnteredSize> enteredSheets_;  // of `sheets_`, in their order
    JobTotals totals_;
};

// Makes a job the one way job input does: every part enlarged by the blade width
// and numbered, every sheet trimmed by the margins and numbered in list order,
// the totals counted as the records come.
class JobBuilder {
  public:
    // Part ids start at `firstPartId`, so that the ids of successive jobs of one
    // session never repeat.
    explicit JobBuilder(const CutSettings& settings, std::int32_t firstPartId = 0);

    // Appends a copy of the record with the next part id and counts it.
    void AddPart(const Part& part);
    // Appends `quantity` records of one entered part row and counts them.
    void AddParts(double length, double width, bool rotatable, const std::string& label,
                  std::int32_t quantity, std::int32_t entryRow = -1);
    // Appends one sheet of entered sizes and cost and counts it; a `turned` one is
    // recorded turned by a quarter (see `Sheet::turned`).
    void AddSheet(double length, double width, double cost, const std::string& label,
                  bool usedFirst = false, std::int32_t entryRow = -1, bool turned = false);
    // Appends a copy of a sheet record of usable extents, numbered next, and counts it:
    // for jobs made up of records rather than rows.
    void AddSheet(const Sheet& usable);

    const Job& Current() const { return job_; }
    std::int32_t NextPartId() const { return nextPartId_; }
    Job Build() && { return std::move(job_); }

  private:
    void Count(const Sheet& sheet, const EnteredSize& entered);

    CutSettings settings_;
    std::int32_t nextPartId_;
    Job job_;
};

}  // namespace tarvex
