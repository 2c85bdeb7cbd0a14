#include "job/Calculation.h"

#include <QString>
#include <cmath>

#include "text/FieldSplit.h"
#include "job/JobInput.h"
#include "text/NumberText.h"
#include "export/Report.h"
#include "text/Translate.h"

namespace {

// The cells the calculation tests before gathering the job: length, width and
// quantity of the first data row.
bool FirstRowConverts(const CellTable& table) {
    const int r = CellTable::kFirstDataRow;
    return ParseNumber(table.Cell(r, 1)) && ParseNumber(table.Cell(r, 2)) &&
           ParseInteger(table.Cell(r, 3));
}

CalcOutcome Ended(CalcOutcome::Status status, std::string message, bool isError, int page = -1) {
    CalcOutcome o;
    o.status = status;
    o.message = std::move(message);
    o.isError = isError;
    o.page = page;
    return o;
}

std::string ColumnText(const CellTable& table, int col) {
    std::string text;
    for (int r = 0; r < table.RowCount(); ++r) text += table.Cell(r, col) + "\n";
    return text;
}

// Back to real sizes and positions from the sheet corner; figures of the plan.
void Restore(Agent& best, AppliedResult& result) {
    double usedArea = 0, partArea = 0, offcutArea = 0;
    for (TSheetInfo& s : best.sheets) {
        s.AddBackMargins();
        for (TPartInfo& p : s.parts) p.RemoveKerfAndShift();
        s.used = s.parts.empty() ? 0 : 1;
        if (!s.used) continue;
        usedArea += s.Area();
        for (const TPartInfo& p : s.parts) partArea += p.Area();
        for (TPartInfo& o : s.offcuts) {
            offcutArea += o.Area();
            o.x += g_marginleft;
            o.y += g_marginbottom;
        }
    }
    if (usedArea == 0) usedArea = 1.0;
    result.ratioParts = static_cast<float>(partArea / usedArea);
    result.ratioWithOffcuts = static_cast<float>((partArea + offcutArea) / usedArea);
    result.placedPartArea = partArea;
    result.offcutArea = offcutArea;
    result.allPlaced = AllPartsPlaced(best);
    result.fitness = best.fitness;
    result.sheets = std::move(best.sheets);
}

bool SameLabelIgnoringCase(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

bool IdenticalLayouts(const TSheetInfo& p, const TSheetInfo& q) {
    if (q.label != p.label || q.parts.size() != p.parts.size()) return false;
    for (const TPartInfo& x : p.parts)
        if (CountPartsWithLabel(p, x.label) != CountPartsWithLabel(q, x.label)) return false;
    return true;
}

}  // namespace

JobSnapshot JobSnapshot::Take(const SettingsForm& form, const CellTable& sgSheet,
                              const CellTable& sgPart) {
    JobSnapshot s;
    s.oneCut = form.guillotine;
    s.cost = form.costOptimization;
    s.sawwidth = g_sawwidth;
    s.marginleft = g_marginleft;
    s.margintop = g_margintop;
    s.marginright = g_marginright;
    s.marginbottom = g_marginbottom;
    s.minlength = g_minlength;
    s.minwidth = g_minwidth;
    s.minarea = g_minarea;
    for (int c = PartCol::Length; c <= PartCol::Rotatable; ++c)
        s.partColumns.push_back(ColumnText(sgPart, c));
    for (int c = SheetCol::Length; c <= SheetCol::Priority; ++c)
        s.sheetColumns.push_back(ColumnText(sgSheet, c));
    return s;
}

double RoundTo5(double v) {
    return std::nearbyint(v * 100000.0) / 100000.0;
}

bool KeepsPreviousResult(bool jobChanged, double lastFitness, double newFitness) {
    const float diff = static_cast<float>(RoundTo5(lastFitness) - RoundTo5(newFitness));
    return !jobChanged && diff >= 0;
}

Calculation::Calculation() = default;
Calculation::~Calculation() = default;

std::optional<CalcOutcome> Calculation::Prepare(const SettingsForm& form, CellTable& sgSheet,
                                                CellTable& sgPart) {
    using S = CalcOutcome::Status;
    current_.reset();
    candidate_.reset();
    if (!FirstRowConverts(sgPart))
        return Ended(S::PartsIncorrect, _("Parts is incorrect, please correct and try again!"),
                     true, 1);
    if (!FirstRowConverts(sgSheet))
        return Ended(S::SheetsIncorrect, _("Sheets is incorrect, please correct and try again!"),
                     true, 0);
    std::string error;
    if (!GatherJob(form, sgSheet, sgPart, error)) return Ended(S::InputRefused, error, true);
    if (g_PartCount == 0)
        return Ended(S::InputRefused,
                     _("There are no parts to cut: give at least one part a quantity above 0."),
                     true, 1);
    if (g_SumPartArea > g_SumSheetArea)
        return Ended(S::AreaRefused,
                     _("The total area of parts is greater than the total area of sheets, can't "
                       "optimize!"),
                     false);
    current_ = JobSnapshot::Take(form, sgSheet, sgPart);
    return std::nullopt;
}

void Calculation::Optimize(const GaOptions& options) {
    if (!current_) return;
    GA ga(options);
    ga.Run();
    candidate_ = std::make_unique<AppliedResult>();
    candidate_->generations = ga.GenerationsRun();
    Restore(ga.Best(), *candidate_);
}

CalcOutcome Calculation::Finish(CellTable& sgSheet, const CellTable& sgPart) {
    using S = CalcOutcome::Status;
    if (!candidate_) return Ended(S::InputRefused, {}, true);
    std::unique_ptr<AppliedResult> result = std::move(candidate_);
    CalcOutcome outcome =
        Ended(S::Applied,
              result->allPlaced
                  ? _("Congratulations! All parts nesting is completed!")
                  : _("Sheets area of less than, some of the parts can not be completed nesting!"),
              false);
    outcome.allPlaced = result->allPlaced;

    if (KeepsPreviousResult(JobChanged(), lastFitness_, result->fitness)) {
        outcome.status = S::KeptPrevious;
        return outcome;
    }
    MergeIdenticalLayouts(*result);
    NumberLayouts(*result);
    UpdateLeftQuant(*result, sgSheet);
    lastFitness_ = result->fitness;
    applied_ = std::move(result);
    report_ = WriteReport(*applied_, sgSheet, sgPart);
    snapshot_ = current_;
    return outcome;
}

CalcOutcome Calculation::Run(const SettingsForm& form, CellTable& sgSheet, CellTable& sgPart,
                             const GaOptions& options) {
    if (auto ended = Prepare(form, sgSheet, sgPart)) return *ended;
    Optimize(options);
    return Finish(sgSheet, sgPart);
}

std::vector<std::string> Calculation::LayoutEntries() const {
    std::vector<std::string> entries;
    const int n = applied_ ? applied_->LayoutCount() : 0;
    for (int k = 1; k <= n; ++k) entries.push_back(std::to_string(k) + "/" + std::to_string(n));
    return entries;
}

bool Calculation::JobChanged() const {
    return !snapshot_ || !current_ || !(*snapshot_ == *current_);
}

void MergeIdenticalLayouts(AppliedResult& result) {
    auto& sheets = result.sheets;
    for (size_t i = 0; i < sheets.size(); ++i) {
        TSheetInfo& p = sheets[i];
        if (!p.used || !p.distinct) continue;
        for (size_t j = i + 1; j < sheets.size(); ++j) {
            if (!IdenticalLayouts(p, sheets[j])) continue;
            p.count += 1;
            sheets[j].distinct = 0;
        }
    }
}

void NumberLayouts(AppliedResult& result) {
    for (int next = 0;; ++next) {
        TSheetInfo* chosen = nullptr;
        double best = 0;
        for (TSheetInfo& s : result.sheets) {
            if (!s.used || !s.distinct || s.layoutIndex >= 0) continue;
            if (s.utilisation >= best) {
                best = s.utilisation;
                chosen = &s;
            }
        }
        if (!chosen) return;
        chosen->layoutIndex = next;
    }
}

void UpdateLeftQuant(const AppliedResult& result, CellTable& sgSheet) {
    const int first = CellTable::kFirstDataRow;
    for (int r = first; r < sgSheet.RowCount(); ++r)
        sgSheet.SetCell(r, SheetCol::LeftQuant, sgSheet.Cell(r, SheetCol::Quant));
    for (const TSheetInfo& s : result.sheets) {
        if (!s.used || !s.distinct) continue;
        for (int r = first; r < sgSheet.RowCount(); ++r) {
            if (!SameLabelIgnoringCase(TrimControls(sgSheet.Cell(r, SheetCol::Label)), s.label))
                continue;
            const std::string& leftText = sgSheet.Cell(r, SheetCol::LeftQuant);
            const auto left = ParseInteger(
                TrimControls(leftText).empty() ? sgSheet.Cell(r, SheetCol::Quant) : leftText);
            if (left) sgSheet.SetCell(r, SheetCol::LeftQuant, std::to_string(*left - s.count));
            break;
        }
    }
}
