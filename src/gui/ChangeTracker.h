// What differs from the project as last opened or saved: each table against the
// list it was read from or saved to, the settings against the project file, and a
// plan calculated since, which only saving the project keeps. The window marks
// its caption with it and asks before anything would be lost.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "io/EntryTables.h"
#include "io/SettingsForm.h"

namespace tarvex {

class CellTableModel;

class ChangeTracker : public QObject {
    Q_OBJECT

  public:
    ChangeTracker(const CellTableModel& sheets, const CellTableModel& parts,
                  std::function<SettingsForm()> settings, QObject* parent = nullptr);

    // The table as it stands is what its list holds.
    void MarkListSaved(TableKind kind);
    // The settings as they stand are what the project holds.
    void MarkSettingsSaved();
    // A calculation applied a plan that no file holds yet; saved with the project.
    void MarkPlanCalculated();
    void MarkPlanSaved();
    void MarkAllSaved();

    bool ListChanged(TableKind kind) const;
    bool SettingsChanged() const;
    // A table or a setting the project keeps, not the plan alone.
    bool EntriesChanged() const;
    bool AnyChanged() const;

    // Looks again; the tables are watched, the settings are not.
    void Check();

  Q_SIGNALS:
    // Sent when AnyChanged() turns.
    void changedTurned(bool anyChanged);

  private:
    const CellTableModel& Model(TableKind kind) const;

    const CellTableModel& sheets_;
    const CellTableModel& parts_;
    std::function<SettingsForm()> settings_;
    std::vector<std::string> savedSheets_, savedParts_, savedSettings_;
    BandingForm savedBanding_;  // saved beside the project, not in its lines
    bool planUnsaved_ = false;
    bool shown_ = false;
};

}  // namespace tarvex
