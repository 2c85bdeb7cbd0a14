// "Start Calc(&C)": checks and gathers the job on the window's thread, runs the
// optimizer on a worker thread while the progress bar steps once per generation,
// and applies the best plan when the search ends or is stopped.
#pragma once

#include <QObject>
#include <functional>

#include "job/Calculation.h"
#include "io/SettingsForm.h"

class CalcRunner;
class CellTableModel;
class Messages;
class QProgressBar;
class TablePage;

struct CalcCommandParts {
    const Messages& messages;
    CellTableModel& sheets;
    CellTableModel& parts;
    QProgressBar& progress;
    std::function<SettingsForm()> settings;
    // Shows a page of the window with its table focused (a table that is incorrect).
    std::function<void(int page)> showTablePage;
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

    const Calculation& Calc() const { return calc_; }

  Q_SIGNALS:
    void runningChanged(bool running);
    // A new plan became the applied result.
    void resultApplied();

  private:
    void Finished();

    CalcCommandParts p_;
    Calculation calc_;
    CalcRunner* runner_;
};
