#include "gui/CalcCommand.h"

#include <QCoreApplication>
#include <QProgressBar>

#include "export/Report.h"
#include "gui/CalcRunner.h"
#include "gui/CellTableModel.h"
#include "gui/Messages.h"
#include "gui/UiText.h"
#include "io/EntryTables.h"
#include "io/ListFiles.h"
#include "io/OutcomeText.h"
#include "io/SettingText.h"
#include "io/TableCalculation.h"
#include "io/TableInput.h"
#include "job/BestProgressText.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

CalcCommand::CalcCommand(CalcCommandParts parts, QObject* parent)
    : QObject(parent), p_(std::move(parts)), runner_(new CalcRunner(this)) {
    connect(runner_, &CalcRunner::stepped, this,
            [this] { p_.progress.setValue(p_.progress.value() + 1); });
    connect(runner_, &CalcRunner::finished, this, &CalcCommand::Finished);
}

CalcCommand::~CalcCommand() {
    runner_->StopAndWait();
}

bool CalcCommand::Running() const {
    return runner_->Running();
}

void CalcCommand::Stop() {
    runner_->RequestStop();
}

void CalcCommand::StopAndWait() {
    runner_->StopAndWait();
}

void CalcCommand::StopAndApply() {
    if (!Running()) return;
    runner_->StopAndWait();
    // The steps, the best plan's text and the end are waiting as queued calls, in
    // the order they were sent.
    QCoreApplication::sendPostedEvents();
}

void CalcCommand::Start() {
    if (Running()) return;
    const SettingsForm form = p_.settings();
    std::optional<std::uint32_t> seed;
    std::string error;
    if (!ReadSettingSeed(form.seed, "Seed:", seed, error)) {
        p_.messages.Error(error);
        return;
    }
    CellTable sheets = p_.sheets.Table();
    CellTable parts = p_.parts.Table();
    const std::optional<CalcOutcome> ended = PrepareFromTables(calc_, form, sheets, parts);
    preparedFixedSeed_ = seed.has_value();
    // The job input writes the totals rows, also when a later check refuses the job.
    p_.sheets.Edit([&](CellTable& t) { t = std::move(sheets); });
    p_.parts.Edit([&](CellTable& t) { t = std::move(parts); });
    if (ended) {
        if (OutcomeIsError(*ended))
            p_.messages.Error(OutcomeText(*ended));
        else
            p_.messages.Info(OutcomeText(*ended));
        if (const EntryTable table = TableToShow(*ended); table != EntryTable::None)
            p_.showTable(table);
        return;
    }
    p_.progress.setRange(0, std::max(1, calc_.MaxGenerationsOfPrepared()));
    p_.progress.setValue(0);
    p_.progress.setFormat(QStringLiteral("%p%"));
    p_.progress.setTextVisible(false);
    Q_EMIT runningChanged(true);
    runner_->Start([this, seed](const std::function<void()>& step, const std::atomic<bool>& stop) {
        GaOptions options;
        options.seed = seed;
        options.progress = step;
        options.stop = &stop;
        calc_.Optimize(
            options,
            [this](int pass) {
                QMetaObject::invokeMethod(
                    this, [this, pass] { ShowPass(pass); }, Qt::QueuedConnection);
            },
            [this](const BestProgress& best) {
                QMetaObject::invokeMethod(
                    this, [this, text = BestProgressText(best)] { ShowBest(text); },
                    Qt::QueuedConnection);
            });
    });
}

void CalcCommand::ShowPass(int pass) {
    p_.progress.setValue(0);
    p_.progress.setFormat(Q(Substitute(_("Pass {1}, more sheets: %p%"), {std::to_string(pass)})));
}

void CalcCommand::ShowBest(const std::string& text) {
    p_.progress.setValue(p_.progress.maximum());
    p_.progress.setFormat(Q(text));
    // The classic search's bar needs no words; the best search's plan so far does.
    p_.progress.setTextVisible(true);
}

void CalcCommand::Finished() {
    CellTable sheets = p_.sheets.Table();
    const CalcOutcome outcome = FinishIntoTables(calc_, sheets);
    if (outcome.status == CalcOutcome::Status::Applied) {
        appliedFixedSeed_ = preparedFixedSeed_;
        report_ = WriteReport(*calc_.Applied());
    }
    p_.sheets.Edit([&](CellTable& t) { t = std::move(sheets); });
    p_.progress.setValue(p_.progress.maximum());
    Q_EMIT runningChanged(false);
    if (outcome.status == CalcOutcome::Status::Applied) {
        Q_EMIT resultApplied();
        Q_EMIT calculated();
    }
    const std::string message = OutcomeText(outcome);
    if (OutcomeIsError(outcome))
        p_.messages.Error(message);
    else if (!message.empty())
        p_.messages.Info(message);
}

StoredPlan CalcCommand::Plan() const {
    return {calc_.AppliedShared(), appliedFixedSeed_};
}

void CalcCommand::Adopt(const StoredPlan& plan) {
    calc_.Adopt(plan.result);
    appliedFixedSeed_ = plan.fixedSeed;
    report_ = WriteReport(*plan.result);
    // The lists hold the whole stock; what the plan leaves of it is shown as after
    // its calculation.
    p_.sheets.Edit([&](CellTable& t) { UpdateLeftQuant(*plan.result, t); });
    Q_EMIT resultApplied();
}

void CalcCommand::RewriteReport() {
    if (!calc_.Applied()) return;
    EnteredRows entered = calc_.Applied()->entered;
    TranslateYesNoTexts(entered);
    calc_.RetypeApplied(std::move(entered));
    report_ = WriteReport(*calc_.Applied());
}

void CalcCommand::Forget() {
    calc_.Adopt(nullptr);
    appliedFixedSeed_ = false;
    report_.clear();
    Q_EMIT resultApplied();
}

bool CalcCommand::Outdated(const CellTable& sheets, const CellTable& parts,
                           const SettingsForm& form) const {
    const AppliedResult* plan = calc_.Applied();
    if (!plan) return false;
    JobSettings settings;
    InputFault fault;
    if (!ReadJobSettings(form, settings, fault)) return true;
    // How long and how the plan was searched for does not make it a plan of other
    // tables or settings.
    settings.speed = plan->settings.speed;
    settings.search = plan->settings.search;
    settings.timeLimit = plan->settings.timeLimit;
    settings.bestSteps = plan->settings.bestSteps;
    return ListContent(TableKind::Sheet, sheets) !=
               ListContent(TableKind::Sheet, EnteredSheetTable(*plan)) ||
           ListContent(TableKind::Part, parts) !=
               ListContent(TableKind::Part, EnteredPartTable(*plan)) ||
           !(settings == plan->settings);
}

}  // namespace tarvex
