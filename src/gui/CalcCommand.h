// "Start Calc(&C)": checks and gathers the job on the window's thread, runs the
// optimizer on a worker thread while the progress bar steps once per generation,
// and applies the best plan when the search ends or is stopped.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "export/StoredPlan.h"
#include "io/CellTable.h"
#include "io/SettingsForm.h"
#include "job/Calculation.h"
#include "job/InputFault.h"

class QProgressBar;

namespace tarvex {

class CalcRunner;
class CellTableModel;
class Messages;
class TablePage;

struct CalcCommandParts {
    const Messages& messages;
    CellTableModel& sheets;
    CellTableModel& parts;
    QProgressBar& progress;
    std::function<SettingsForm()> settings;
    // Shows the page of a table with the table focused (a table that is incorrect).
    std::function<void(EntryTable table)> showTable;
};

class CalcCommand : public QObject {
    Q_OBJECT

  public:
    explicit CalcCommand(CalcCommandParts parts, QObject* parent = nullptr);
    ~CalcCommand() override;

    // Does nothing while a calculation runs.
    void Start();
    // Ends the search after the current generation; the best plan so far is applied.
    void Stop();
    bool Running() const;
    // Waits for a running search to end (the window is closing).
    void StopAndWait();
    // Ends a running search and applies its best plan before returning.
    void StopAndApply();

    const Calculation& Calc() const { return calc_; }
    // The report of the applied result, one text line per entry.
    const std::vector<std::string>& ReportLines() const { return report_; }
    // Writes the report again in the language now chosen.
    void RewriteReport();
    // The applied result (with the rows it was made from, as typed: the exports
    // and printouts show them, whatever has been typed since); no result when none.
    StoredPlan Plan() const;
    // Shows a stored plan as the applied result, without a calculation.
    void Adopt(const StoredPlan& plan);
    // No plan any more (another project).
    void Forget();
    // Whether the tables or the settings that shape a plan or its outputs differ
    // from those the applied result was made from; how it was searched for (the
    // search, its time limit, speed and seed) does not count.
    bool Outdated(const CellTable& sheets, const CellTable& parts, const SettingsForm& form) const;

  Q_SIGNALS:
    void runningChanged(bool running);
    // A new plan became the applied result.
    void resultApplied();
    // ... and it was calculated here, so no file holds it yet.
    void calculated();

  private:
    void Finished();
    // A later search pass started: the bar counts its generations afresh.
    void ShowPass(int pass);
    // The best search's plan so far.
    void ShowBest(const std::string& text);

    CalcCommandParts p_;
    Calculation calc_;
    CalcRunner* runner_;
    bool preparedFixedSeed_ = false;  // "Seed:" gave the search its seed
    bool appliedFixedSeed_ = false;
    std::vector<std::string> report_;
};

}  // namespace tarvex
