// The "Layouts" page: the layout selector, the calculation and output buttons, the
// view options, the facts and parts of the selected layout, the progress bar and
// the picture.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "io/SettingsForm.h"
#include "job/AppliedResult.h"
#include "render/LayoutDrawing.h"
#include "render/LayoutPage.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QToolButton;

namespace tarvex {

class LayoutPicture;
class ZoomedPicture;

class LayoutsPage : public QWidget {
    Q_OBJECT

  public:
    explicit LayoutsPage(QWidget* parent = nullptr);

    void Retranslate();

    // The view options and colours the picture is drawn with, read at every drawing.
    void SetDrawOptions(std::function<LayoutDrawOptions()> options);
    // Shows a new applied result: the selector gets one "k/n" entry per layout
    // (after the material of its sheet when the plan has several) and the first
    // layout is shown.
    void ShowResult(std::shared_ptr<const AppliedResult> result);
    // The selected layout index, -1 when none.
    int SelectedLayout() const;
    int LayoutCount() const;
    // Redraws the picture of the selected layout (view options, colours).
    void Redraw();

    void ReadViewOptions(SettingsForm& form) const;
    void ShowViewOptions(const SettingsForm& form);

    QProgressBar& Progress() const { return *pbCutting_; }
    // While a calculation runs Stop is on, Start Calc and the outputs are off. The
    // outputs are on only while there is a plan to write.
    void SetRunning(bool running);

  Q_SIGNALS:
    void calcClicked();
    void stopClicked();
    void printClicked();
    void printAllClicked();
    void exportHtmlClicked();
    void exportDxfClicked();
    void exportOffcutsClicked();
    void exportGcodeClicked();
    void exportSvgClicked();
    void exportPdfClicked();
    void exportLabelsClicked();

  private:
    QPushButton* NewButton(const char* name, void (LayoutsPage::*clicked)());
    QLabel* NewFact(const char* name);
    // The picture, captions and part table of the selected layout.
    void ShowLayoutPage();
    void ShowFacts(const LayoutPage& page);
    // What cutting the selected layout and the whole plan costs.
    void ShowCutFacts(int layoutIndex);
    void EnableOutputs();

    QLabel* lblLayouts_;
    QScrollBar* sbLayout_;
    QComboBox* cmbPages_;
    QPushButton *btnCalc_, *btnStop_, *btnPrintCurrent_, *btnPrintAll_, *btnExpHtml_, *btnExpDxf_,
        *btnExpOffcut_, *btnExpGcode_, *btnExpSvg_, *btnExpPdf_, *btnExpLabels_;
    QGroupBox* grpView_;
    QCheckBox *chkLabel_, *chkEdge_, *chkLeftTop_, *chkLeftRect_, *chkCuts_;
    QGroupBox* grpFacts_;
    QLabel *lblSheetLabel_, *lblSheetNum_, *lblSheetLen_, *lblSheetWidth_, *lblSheetArea_,
        *lblRemainArea_, *lblRatio_, *lblPartNum_;
    QLabel* lblCutFacts_;
    std::map<QLabel*, QLabel*> captions_;  // fact -> its static caption
    QTableWidget* sgLayout_;
    QProgressBar* pbCutting_;
    LayoutPicture* imgLayout_;
    ZoomedPicture* zoom_;
    QToolButton *btnZoomIn_, *btnZoomOut_, *btnZoomFit_;
    std::shared_ptr<const AppliedResult> result_;
    std::function<LayoutDrawOptions()> drawOptions_;
    bool running_ = false;
};

}  // namespace tarvex
