#include "gui/ChangeTracker.h"

#include "gui/CellTableModel.h"
#include "io/ListFiles.h"
#include "io/ProjectFiles.h"

namespace tarvex {

ChangeTracker::ChangeTracker(const CellTableModel& sheets, const CellTableModel& parts,
                             std::function<SettingsForm()> settings, QObject* parent)
    : QObject(parent), sheets_(sheets), parts_(parts), settings_(std::move(settings)) {
    for (const CellTableModel* model : {&sheets_, &parts_}) {
        connect(model, &QAbstractItemModel::dataChanged, this, &ChangeTracker::Check);
        connect(model, &QAbstractItemModel::modelReset, this, &ChangeTracker::Check);
    }
    MarkAllSaved();
}

const CellTableModel& ChangeTracker::Model(TableKind kind) const {
    return kind == TableKind::Sheet ? sheets_ : parts_;
}

void ChangeTracker::MarkListSaved(TableKind kind) {
    (kind == TableKind::Sheet ? savedSheets_ : savedParts_) =
        ListContent(kind, Model(kind).Table());
    Check();
}

void ChangeTracker::MarkSettingsSaved() {
    const SettingsForm form = settings_();
    savedSettings_ = ProjectSettingLines(form);
    savedBanding_ = form.banding;
    Check();
}

void ChangeTracker::MarkPlanCalculated() {
    planUnsaved_ = true;
    Check();
}

void ChangeTracker::MarkPlanSaved() {
    planUnsaved_ = false;
    Check();
}

void ChangeTracker::MarkAllSaved() {
    savedSheets_ = ListContent(TableKind::Sheet, sheets_.Table());
    savedParts_ = ListContent(TableKind::Part, parts_.Table());
    planUnsaved_ = false;
    MarkSettingsSaved();
}

bool ChangeTracker::ListChanged(TableKind kind) const {
    return ListContent(kind, Model(kind).Table()) !=
           (kind == TableKind::Sheet ? savedSheets_ : savedParts_);
}

bool ChangeTracker::SettingsChanged() const {
    const SettingsForm form = settings_();
    return ProjectSettingLines(form) != savedSettings_ || form.banding != savedBanding_;
}

bool ChangeTracker::EntriesChanged() const {
    return ListChanged(TableKind::Sheet) || ListChanged(TableKind::Part) || SettingsChanged();
}

bool ChangeTracker::AnyChanged() const {
    return planUnsaved_ || EntriesChanged();
}

void ChangeTracker::Check() {
    const bool changed = AnyChanged();
    if (changed == shown_) return;
    shown_ = changed;
    Q_EMIT changedTurned(changed);
}

}  // namespace tarvex
