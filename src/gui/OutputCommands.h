// The outputs of the applied result on the "Layouts" and "Report" pages: the
// exports of the selected layout, the PDF of the plan and its part labels,
// printing one or all layouts, and saving and printing the report. Without a
// result they do nothing.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "export/LayoutExports.h"
#include "io/FileDialogs.h"
#include "io/SettingsForm.h"

class QPrinter;
class QWidget;

namespace tarvex {

class CalcCommand;
class Dialogs;
class LayoutsPage;
class Messages;
class Printing;

struct OutputCommandsParts {
    QWidget& window;
    Dialogs& dialogs;
    const Messages& messages;
    const CalcCommand& calc;
    const LayoutsPage& layouts;
    QPrinter& printer;
    std::function<SettingsForm()> settings;
    // The files the tables and settings were read from, which no output may replace.
    std::function<std::vector<std::string>()> inputs;
};

class OutputCommands : public QObject {
    Q_OBJECT

  public:
    explicit OutputCommands(OutputCommandsParts parts, QObject* parent = nullptr);
    ~OutputCommands() override;

    void Export(LayoutExportKind kind);
    void ExportPdf();
    void ExportLabels();
    void PrintCurrent();
    void PrintAll();
    void SaveReport();
    void PrintReport();

  private:
    // Shows the refusal when one of the files would replace an input.
    bool ReplacesInput(const std::vector<std::string>& paths) const;
    // Asks for the file and writes it; says how it went.
    void ExportPlanDocument(
        FileDialogKind kind,
        const std::function<ExportOutcome(const ExportSource&, const std::string&)>& write);

    OutputCommandsParts p_;
    std::unique_ptr<Printing> printing_;
};

}  // namespace tarvex
