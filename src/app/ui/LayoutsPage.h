// The "Layouts" page: the layout selector, the calculation and output buttons, the
// view options, the facts and parts of the selected layout, the progress bar and
// the picture.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/SettingsForm.h"

class LayoutPicture;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTableWidget;

// What the page shows of one layout, in the texts of its captions.
struct LayoutFacts {
    std::string label, quant, length, width, sheetArea, scrapArea, ratio, partCount;
    std::vector<std::pair<std::string, std::string>> parts;  // label, used quantity
};

class LayoutsPage : public QWidget {
    Q_OBJECT

  public:
    explicit LayoutsPage(QWidget* parent = nullptr);

    void Retranslate();

    // Fills the selector with "k/n" entries and selects the first, or empties it.
    void ShowLayoutCount(int count);
    // The selected layout index, -1 when none.
    int SelectedLayout() const;
    int LayoutCount() const;
    void ShowFacts(const LayoutFacts& facts);
    void ClearFacts();

    void ReadViewOptions(SettingsForm& form) const;
    void ShowViewOptions(const SettingsForm& form);

    LayoutPicture& Picture() const { return *imgLayout_; }
    QProgressBar& Progress() const { return *pbCutting_; }
    // While a calculation runs Stop is on, Start Calc and the outputs are off.
    void SetRunning(bool running);

  Q_SIGNALS:
    void layoutChosen();
    void viewOptionsChanged();
    void calcClicked();
    void stopClicked();
    void printClicked();
    void printAllClicked();
    void exportHtmlClicked();
    void exportDxfClicked();
    void exportOffcutsClicked();
    void exportGcodeClicked();

  private:
    QPushButton* NewButton(const char* name, void (LayoutsPage::*clicked)());
    QLabel* NewFact(const char* name);

    QLabel* lblLayouts_;
    QScrollBar* sbLayout_;
    QComboBox* cmbPages_;
    QPushButton *btnCalc_, *btnStop_, *btnPrintCurrent_, *btnPrintAll_, *btnExpHtml_, *btnExpDxf_,
        *btnExpOffcut_, *btnExpGcode_;
    QGroupBox* grpView_;
    QCheckBox *chkLabel_, *chkEdge_, *chkLeftTop_, *chkLeftRect_;
    QGroupBox* grpFacts_;
    QLabel *lblSheetLabel_, *lblSheetNum_, *lblSheetLen_, *lblSheetWidth_, *lblSheetArea_,
        *lblRemainArea_, *lblRatio_, *lblPartNum_;
    std::map<QLabel*, QLabel*> captions_;  // fact -> its static caption
    QTableWidget* sgLayout_;
    QProgressBar* pbCutting_;
    LayoutPicture* imgLayout_;
};
