// The outputs of the applied result on the "Layouts" and "Report" pages: the four
// exports of the selected layout, printing one or all layouts, and saving and
// printing the report. Without a result they do nothing.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "export/LayoutExports.h"
#include "io/SettingsForm.h"

class CalcCommand;
class Dialogs;
class LayoutsPage;
class Messages;
class Printing;
class QPrinter;
class QWidget;

struct OutputCommandsParts {
    QWidget& window;
    Dialogs& dialogs;
    const Messages& messages;
    const CalcCommand& calc;
    const LayoutsPage& layouts;
    QPrinter& printer;
    std::function<SettingsForm()> settings;
};

class OutputCommands : public QObject {
    Q_OBJECT

  public:
    explicit OutputCommands(OutputCommandsParts parts, QObject* parent = nullptr);
    ~OutputCommands() override;

    void Export(LayoutExportKind kind);
    void PrintCurrent();
    void PrintAll();
    void SaveReport();
    void PrintReport();

  private:
    OutputCommandsParts p_;
    std::unique_ptr<Printing> printing_;
};
