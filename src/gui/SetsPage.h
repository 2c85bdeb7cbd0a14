// The "Sets" page: the settings controls, bound to the SettingsForm record, and
// the language choice.
#pragma once

#include <QWidget>
#include <map>
#include <string>
#include <vector>

#include "io/SettingsForm.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTableWidget;

namespace tarvex {

class ColorCombo;
class Dialogs;

class SetsPage : public QWidget {
    Q_OBJECT

  public:
    SetsPage(Dialogs& dialogs, QWidget* parent = nullptr);

    // The settings of this page; the view options of the layout page are left as
    // they are in `form`.
    void ReadInto(SettingsForm& form) const;
    void Show(const SettingsForm& form);
    void Retranslate();

    QComboBox& Languages() const { return *cbbLang_; }
    std::vector<ColorCombo*> ColorBoxes() const;

  Q_SIGNALS:
    // A setting may have changed (typed, ticked, chosen or shown).
    void changed();

  private:
    void WatchChanges();
    void btn1Click();
    void AddBandingRow();
    void RemoveBandingRow();
    void ShowBanding(const BandingForm& banding);
    // A form row: a caption (set by Retranslate) and its field.
    template <class Field>
    Field* AddRow(QFormLayout& form, Field* field, const char* name);
    void SetCaption(QWidget* field, const std::string& text) const;

    Dialogs& dialogs_;
    QGroupBox *grpOptim_, *grpCut_, *grpOffcut_, *grpMargin_, *grpPrint_, *grpColor_, *grpNc_,
        *grpDxf_, *grpBanding_;
    QLabel* lblScale_;
    QSlider* tbFast_;
    QCheckBox *chkOneCut_, *chkCost_;
    QComboBox* cbbSearch_;
    QComboBox *cbbStages_, *cbbFirstCut_;  // of guillotine plans only
    QLineEdit* edtTimeLimit_;
    QLineEdit* edtSeed_;
    QComboBox* cbbUnit_;  // the usual units to choose, or any text typed
    QLabel* lblUnitNote_;
    QLineEdit *edtGap_, *edtDotNum_;
    QLineEdit *edtMinLength_, *edtMinWidth_, *edtMinArea_, *edtPrefix_;
    QLineEdit *edtTopMargin_, *edtBottomMargin_, *edtLeftMargin_, *edtRightMargin_;
    QLineEdit *edtFontName_, *edtFontSize_, *edtTitle_;
    QComboBox* cbbLabelFormat_;  // the sheet the part labels are printed on
    QPushButton* btn1_;
    ColorCombo *clrbxEdge_, *clrbxSheet_, *clrbxPart_, *clrbxOffcut_;
    QRadioButton *rbHua_, *rbSimens_;
    QLineEdit *edtDepth_, *edtSafe_;
    QCheckBox *chkDxfDim_, *chkDxfOffcuts_;
    QTableWidget* tblBanding_;  // Name, Thickness, Allowance
    QPushButton *btnAddBanding_, *btnRemoveBanding_;
    QCheckBox* chkFinishedSizes_;
    QComboBox* cbbLang_;
    std::map<QWidget*, QLabel*> captions_;
};

}  // namespace tarvex
