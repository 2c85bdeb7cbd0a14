#include "gui/OutputCommands.h"

#include "export/LabelSheet.h"
#include "export/PlanPdf.h"
#include "export/Report.h"
#include "gui/CalcCommand.h"
#include "gui/Dialogs.h"
#include "gui/LayoutsPage.h"
#include "gui/Messages.h"
#include "gui/Printing.h"
#include "gui/UiText.h"
#include "io/InputClash.h"
#include "io/TableInput.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

FileDialogKind ExportDialog(LayoutExportKind kind) {
    switch (kind) {
        case LayoutExportKind::Html:
            return FileDialogKind::ExportHtml;
        case LayoutExportKind::Dxf:
            return FileDialogKind::ExportDxf;
        case LayoutExportKind::Gcode:
            return FileDialogKind::ExportGcode;
        case LayoutExportKind::Svg:
            return FileDialogKind::ExportSvg;
        case LayoutExportKind::Offcuts:
            break;
    }
    return FileDialogKind::ExportOffcuts;
}

}  // namespace

OutputCommands::OutputCommands(OutputCommandsParts parts, QObject* parent)
    : QObject(parent),
      p_(std::move(parts)),
      printing_(std::make_unique<Printing>(p_.dialogs, p_.messages, p_.window, p_.printer)) {}

OutputCommands::~OutputCommands() = default;

bool OutputCommands::ReplacesInput(const std::vector<std::string>& paths) const {
    const std::vector<std::string> inputs = p_.inputs();
    for (const std::string& path : paths) {
        const std::string refusal = OutputIsInput(path, inputs);
        if (refusal.empty()) continue;
        p_.messages.GeneralError(refusal);
        return true;
    }
    return false;
}

void OutputCommands::Export(LayoutExportKind kind) {
    const AppliedResult* result = p_.calc.Calc().Applied();
    const int layout = p_.layouts.SelectedLayout();
    if (!result || layout < 0) return;
    const QString path = p_.dialogs.SaveFile(&p_.window, FileRequestFor(ExportDialog(kind)));
    if (path.isEmpty()) return;
    std::vector<std::string> written = {S(path)};
    if (kind == LayoutExportKind::Html) written.push_back(LayoutPicturePath(S(path)));
    if (ReplacesInput(written)) return;
    const OutputChoices choices = OutputChoicesOf(p_.settings());
    const ExportOutcome outcome = ExportLayout(kind, {*result, choices}, layout, S(path));
    if (outcome.ok)
        p_.messages.Info(outcome.message);
    else
        p_.messages.GeneralError(outcome.message);
}

void OutputCommands::ExportPlanDocument(
    FileDialogKind kind,
    const std::function<ExportOutcome(const ExportSource&, const std::string&)>& write) {
    const AppliedResult* result = p_.calc.Calc().Applied();
    if (!result) return;
    const QString path = p_.dialogs.SaveFile(&p_.window, FileRequestFor(kind));
    if (path.isEmpty() || ReplacesInput({S(path)})) return;
    const OutputChoices choices = OutputChoicesOf(p_.settings());
    const ExportOutcome outcome = write({*result, choices}, S(path));
    if (outcome.ok)
        p_.messages.Info(outcome.message);
    else
        p_.messages.GeneralError(outcome.message);
}

void OutputCommands::ExportPdf() {
    ExportPlanDocument(FileDialogKind::ExportPdf,
                       [this](const ExportSource& source, const std::string& path) {
                           return ExportPlanPdf(source, p_.calc.ReportLines(), path);
                       });
}

void OutputCommands::ExportLabels() {
    ExportPlanDocument(FileDialogKind::ExportLabels, tarvex::ExportLabels);
}

void OutputCommands::PrintCurrent() {
    const AppliedResult* result = p_.calc.Calc().Applied();
    const int layout = p_.layouts.SelectedLayout();
    if (!result || layout < 0) return;
    printing_->PrintLayouts(*result, {layout}, DrawOptionsOf(OutputChoicesOf(p_.settings())));
}

void OutputCommands::PrintAll() {
    const AppliedResult* result = p_.calc.Calc().Applied();
    if (!result) return;
    std::vector<int> layouts;
    for (int i = 0; i < p_.layouts.LayoutCount(); ++i) layouts.push_back(i);
    printing_->PrintLayouts(*result, layouts, DrawOptionsOf(OutputChoicesOf(p_.settings())));
}

void OutputCommands::SaveReport() {
    if (!p_.calc.Calc().Applied()) return;
    const QString path =
        p_.dialogs.SaveFile(&p_.window, {Q(_("Please select report file name save as")),
                                         Q(_("Report file") + "(*.txt)"), QStringLiteral("txt")});
    if (path.isEmpty() || ReplacesInput({S(path)})) return;
    std::string message;
    if (tarvex::SaveReport(S(path), p_.calc.ReportLines(), message))
        p_.messages.Info(message);
    else
        p_.messages.GeneralError(message);
}

void OutputCommands::PrintReport() {
    if (!p_.calc.Calc().Applied()) return;
    printing_->PrintReport(p_.calc.ReportLines(), p_.calc.Calc().Applied()->settings.print.title);
}

}  // namespace tarvex
