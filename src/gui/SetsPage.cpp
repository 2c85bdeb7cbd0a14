#include "gui/SetsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "export/LabelFormats.h"
#include "gui/ColorCombo.h"
#include "gui/Dialogs.h"
#include "gui/UiText.h"
#include "io/EntryTables.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

QGroupBox* NewGroup(const char* name, QFormLayout*& form) {
    auto* group = new QGroupBox;
    group->setObjectName(Q(name));
    form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    return group;
}

QLineEdit* NewEdit() {
    auto* edit = new QLineEdit;
    edit->setMinimumWidth(80);
    return edit;
}

void SetText(QLineEdit& edit, const std::string& text) {
    edit.setText(Q(text));
}

}  // namespace

template <class Field>
Field* SetsPage::AddRow(QFormLayout& form, Field* field, const char* name) {
    field->setObjectName(Q(name));
    auto* label = new QLabel;
    label->setBuddy(field);
    form.addRow(label, field);
    captions_[field] = label;
    return field;
}

SetsPage::SetsPage(Dialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    QFormLayout* form = nullptr;

    grpOptim_ = NewGroup("grpOptim", form);
    lblScale_ = new QLabel;
    lblScale_->setAlignment(Qt::AlignCenter);
    tbFast_ = new QSlider(Qt::Horizontal);
    tbFast_->setObjectName(QStringLiteral("tbFast"));
    tbFast_->setRange(1, 12);
    tbFast_->setPageStep(1);
    tbFast_->setTickInterval(1);
    tbFast_->setTickPosition(QSlider::TicksBelow);
    chkOneCut_ = new QCheckBox;
    chkOneCut_->setObjectName(QStringLiteral("chkOneCut"));
    chkCost_ = new QCheckBox;
    chkCost_->setObjectName(QStringLiteral("chkCost"));
    form->addRow(lblScale_);
    form->addRow(tbFast_);
    form->addRow(chkOneCut_);
    form->addRow(chkCost_);
    cbbSearch_ = AddRow(*form, new QComboBox, "cbbSearch");
    cbbSearch_->addItems({QString(), QString()});
    edtTimeLimit_ = AddRow(*form, NewEdit(), "edtTimeLimit");
    cbbStages_ = AddRow(*form, new QComboBox, "cbbStages");
    cbbStages_->addItem(QString(), 0);
    cbbStages_->addItem(QStringLiteral("2"), 2);
    cbbStages_->addItem(QStringLiteral("3"), 3);
    cbbFirstCut_ = AddRow(*form, new QComboBox, "cbbFirstCut");
    cbbFirstCut_->addItems({QString(), QString(), QString()});
    // Free placement has no stages.
    for (QComboBox* limit : {cbbStages_, cbbFirstCut_})
        connect(chkOneCut_, &QCheckBox::toggled, limit, &QWidget::setEnabled);
    edtSeed_ = AddRow(*form, NewEdit(), "edtSeed");

    grpCut_ = NewGroup("grpCut", form);
    cbbUnit_ = AddRow(*form, new QComboBox, "cbbUnit");
    cbbUnit_->setEditable(true);
    cbbUnit_->setInsertPolicy(QComboBox::NoInsert);
    for (const char* unit : kUnitChoices) cbbUnit_->addItem(Q(unit));
    lblUnitNote_ = new QLabel;
    lblUnitNote_->setObjectName(QStringLiteral("lblUnitNote"));
    lblUnitNote_->setWordWrap(true);
    form->addRow(lblUnitNote_);
    edtGap_ = AddRow(*form, NewEdit(), "edtGap");
    edtDotNum_ = AddRow(*form, NewEdit(), "edtDotNum");

    grpMargin_ = NewGroup("grpMargin", form);
    edtTopMargin_ = AddRow(*form, NewEdit(), "edtTopMargin");
    edtBottomMargin_ = AddRow(*form, NewEdit(), "edtBottomMargin");
    edtLeftMargin_ = AddRow(*form, NewEdit(), "edtLeftMargin");
    edtRightMargin_ = AddRow(*form, NewEdit(), "edtRightMargin");

    grpOffcut_ = NewGroup("grpOffcut", form);
    edtMinLength_ = AddRow(*form, NewEdit(), "edtMinLength");
    edtMinWidth_ = AddRow(*form, NewEdit(), "edtMinWidth");
    edtMinArea_ = AddRow(*form, NewEdit(), "edtMinArea");
    edtPrefix_ = AddRow(*form, NewEdit(), "edtPrefix");

    grpPrint_ = NewGroup("grpPrint", form);
    edtFontName_ = AddRow(*form, NewEdit(), "edtFontName");
    edtFontSize_ = AddRow(*form, NewEdit(), "edtFontSize");
    for (QLineEdit* shown : {edtFontName_, edtFontSize_}) {
        // Only the font dialog changes these two.
        shown->setReadOnly(true);
        QPalette grey = shown->palette();
        grey.setBrush(QPalette::Base, grey.brush(QPalette::Window));
        shown->setPalette(grey);
    }
    btn1_ = new QPushButton;
    btn1_->setObjectName(QStringLiteral("btn1"));
    form->addRow(QString(), btn1_);
    edtTitle_ = AddRow(*form, NewEdit(), "edtTitle");
    cbbLabelFormat_ = AddRow(*form, new QComboBox, "cbbLabelFormat");
    for (const LabelFormat& f : LabelFormats())
        cbbLabelFormat_->addItem(QString::fromStdString(f.name), QString::fromStdString(f.name));
    connect(btn1_, &QPushButton::clicked, this, &SetsPage::btn1Click);

    grpDxf_ = NewGroup("grpDxf", form);
    chkDxfDim_ = new QCheckBox;
    chkDxfDim_->setObjectName(QStringLiteral("chkDxfDim"));
    chkDxfOffcuts_ = new QCheckBox;
    chkDxfOffcuts_->setObjectName(QStringLiteral("chkDxfOffcuts"));
    form->addRow(chkDxfDim_);
    form->addRow(chkDxfOffcuts_);

    grpColor_ = NewGroup("grpColor", form);
    clrbxEdge_ = AddRow(*form, new ColorCombo, "clrbxEdge");
    clrbxSheet_ = AddRow(*form, new ColorCombo, "clrbxSheet");
    clrbxPart_ = AddRow(*form, new ColorCombo, "clrbxPart");
    clrbxOffcut_ = AddRow(*form, new ColorCombo, "clrbxOffcut");

    grpNc_ = NewGroup("grpNc", form);
    auto* dialect = new QWidget;
    auto* dialectRow = new QHBoxLayout(dialect);
    dialectRow->setContentsMargins(0, 0, 0, 0);
    rbHua_ = new QRadioButton;
    rbHua_->setObjectName(QStringLiteral("rbHua"));
    rbSimens_ = new QRadioButton;
    rbSimens_->setObjectName(QStringLiteral("rbSimens"));
    dialectRow->addWidget(rbHua_);
    dialectRow->addWidget(rbSimens_);
    dialectRow->addStretch();
    AddRow(*form, dialect, "pnlNcType");
    edtDepth_ = AddRow(*form, NewEdit(), "edtDepth");
    edtSafe_ = AddRow(*form, NewEdit(), "edtSafe");

    grpBanding_ = NewGroup("grpBanding", form);
    tblBanding_ = new QTableWidget(0, 3);
    tblBanding_->setObjectName(QStringLiteral("tblBanding"));
    tblBanding_->verticalHeader()->setDefaultSectionSize(kTableRowHeight);
    tblBanding_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblBanding_->setMinimumHeight(5 * kTableRowHeight);
    form->addRow(tblBanding_);
    auto* bandingButtons = new QWidget;
    auto* bandingRow = new QHBoxLayout(bandingButtons);
    bandingRow->setContentsMargins(0, 0, 0, 0);
    btnAddBanding_ = new QPushButton;
    btnAddBanding_->setObjectName(QStringLiteral("btnAddBanding"));
    btnRemoveBanding_ = new QPushButton;
    btnRemoveBanding_->setObjectName(QStringLiteral("btnRemoveBanding"));
    chkFinishedSizes_ = new QCheckBox;
    chkFinishedSizes_->setObjectName(QStringLiteral("chkFinishedSizes"));
    bandingRow->addWidget(btnAddBanding_);
    bandingRow->addWidget(btnRemoveBanding_);
    bandingRow->addStretch();
    form->addRow(bandingButtons);
    form->addRow(chkFinishedSizes_);
    connect(btnAddBanding_, &QPushButton::clicked, this, &SetsPage::AddBandingRow);
    connect(btnRemoveBanding_, &QPushButton::clicked, this, &SetsPage::RemoveBandingRow);
    connect(tblBanding_, &QTableWidget::itemChanged, this, &SetsPage::changed);

    auto* language = new QWidget;
    auto* languageForm = new QFormLayout(language);
    languageForm->setContentsMargins(4, 4, 4, 4);
    cbbLang_ = AddRow(*languageForm, new QComboBox, "cbbLang");
    cbbLang_->setMinimumWidth(100);

    auto* grid = new QGridLayout(this);
    grid->addWidget(grpOptim_, 0, 0);
    grid->addWidget(grpCut_, 1, 0);
    grid->addWidget(grpMargin_, 2, 0);
    grid->addWidget(grpOffcut_, 0, 1);
    grid->addWidget(grpPrint_, 1, 1);
    grid->addWidget(grpDxf_, 2, 1);
    grid->addWidget(grpColor_, 0, 2);
    grid->addWidget(grpNc_, 1, 2);
    grid->addWidget(language, 2, 2, Qt::AlignTop);
    grid->addWidget(grpBanding_, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    for (int c = 0; c < 3; ++c) grid->setColumnStretch(c, 1);

    Show(SettingsForm{});
    WatchChanges();
}

void SetsPage::WatchChanges() {
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &SetsPage::changed);
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::toggled, this, &SetsPage::changed);
    for (QSlider* slider : findChildren<QSlider*>())
        connect(slider, &QSlider::valueChanged, this, &SetsPage::changed);
    for (QComboBox* box : findChildren<QComboBox*>())
        if (box != cbbLang_)
            connect(box, &QComboBox::currentIndexChanged, this, &SetsPage::changed);
}

std::vector<ColorCombo*> SetsPage::ColorBoxes() const {
    return {clrbxEdge_, clrbxSheet_, clrbxPart_, clrbxOffcut_};
}

void SetsPage::SetCaption(QWidget* field, const std::string& text) const {
    const auto it = captions_.find(field);
    if (it != captions_.end()) it->second->setText(Q(text));
}

void SetsPage::Retranslate() {
    grpOptim_->setTitle(Q(_("Optimization Sets")));
    lblScale_->setText(Q(_("<< Fastest | Best >>")));
    chkOneCut_->setText(Q(_("Guillotine")));
    chkCost_->setText(Q(_("Cost Optimization")));
    SetCaption(cbbSearch_, _("Search:"));
    cbbSearch_->setItemText(0, Q(_("Classic")));
    cbbSearch_->setItemText(1, Q(_("Best")));
    SetCaption(edtTimeLimit_, _("Time Limit (s):"));
    SetCaption(cbbStages_, _("Stages:"));
    cbbStages_->setItemText(0, Q(_("Any")));
    SetCaption(cbbFirstCut_, _("First Cut:"));
    cbbFirstCut_->setItemText(0, Q(_("Any")));
    cbbFirstCut_->setItemText(1, Q(_("Along the length")));
    cbbFirstCut_->setItemText(2, Q(_("Along the width")));
    const QString limits =
        Q(_("A panel saw's limits for guillotine plans; only the best "
            "search keeps to them, so a limit selects it."));
    cbbStages_->setToolTip(limits);
    cbbFirstCut_->setToolTip(limits);
    SetCaption(edtSeed_, _("Seed:"));
    edtSeed_->setPlaceholderText(Q(_("new every time")));
    edtSeed_->setToolTip(
        Q(_("The same seed and the same tables and settings give the same "
            "plan again. Leave it empty for a new plan every time.")));
    grpCut_->setTitle(Q(_("Cut Sets")));
    SetCaption(cbbUnit_, _("Length Unit:"));
    cbbUnit_->setToolTip(
        Q(_("in: inches, typed as decimals or fractions (23 1/4, 23-1/4\", 1/8). in 1/16 and in "
            "1/32 also show lengths as fractions to that denominator. Other units are only "
            "shown beside the numbers.")));
    lblUnitNote_->setText(
        Q(_("Blade width, margins and offcut limits are in this unit: set them anew after "
            "changing it.")));
    SetCaption(edtGap_, _("Blade Width:"));
    SetCaption(edtDotNum_, _("Decimals:"));
    grpOffcut_->setTitle(Q(_("Min. Dimensions of Offcuts")));
    SetCaption(edtMinLength_, _("Min. Length:"));
    SetCaption(edtMinWidth_, _("Min. Width:"));
    SetCaption(edtMinArea_, _("Min. Area:"));
    SetCaption(edtPrefix_, _("Prefix:"));
    grpMargin_->setTitle(Q(_("Margin Sets")));
    SetCaption(edtTopMargin_, _("Top Margin:"));
    SetCaption(edtBottomMargin_, _("Bottom Margin:"));
    SetCaption(edtLeftMargin_, _("Left Margin:"));
    SetCaption(edtRightMargin_, _("Right Margin:"));
    grpPrint_->setTitle(Q(_("Print Sets")));
    SetCaption(edtFontName_, _("Name:"));
    SetCaption(edtFontSize_, _("Size:"));
    btn1_->setText(Q(_("Font")));
    SetCaption(edtTitle_, _("Title:"));
    SetCaption(cbbLabelFormat_, _("Label sheet:"));
    cbbLabelFormat_->setToolTip(Q(_("Label sheet: columns x rows of labels on an A4 page")));
    grpColor_->setTitle(Q(_("Color Sets")));
    SetCaption(clrbxEdge_, _("Edge Color:"));
    SetCaption(clrbxSheet_, _("Sheet Color:"));
    SetCaption(clrbxPart_, _("Parts Color:"));
    SetCaption(clrbxOffcut_, _("Offcuts Color:"));
    grpNc_->setTitle(Q(_("NC Sets")));
    SetCaption(rbHua_->parentWidget(), _("NC Type:"));
    rbHua_->setText(Q(_("Huazhong")));
    rbSimens_->setText(Q(_("Siemens")));
    SetCaption(edtDepth_, _("Drill Depth:"));
    SetCaption(edtSafe_, _("Safe Height:"));
    grpDxf_->setTitle(Q(_("DXF Sets")));
    chkDxfDim_->setText(Q(_("Export Dimensions")));
    chkDxfOffcuts_->setText(Q(_("Export Offcuts")));
    SetCaption(cbbLang_, _("Language："));
    grpBanding_->setTitle(Q(_("Edge Banding")));
    tblBanding_->setHorizontalHeaderLabels({Q(_("Name")), Q(_("Thickness")), Q(_("Allowance"))});
    tblBanding_->setToolTip(
        Q(_("The bandings the part table's L1, L2, W1 and W2 columns may name: the thickness, "
            "and the allowance added to the length to order for each banded edge. Saved with "
            "the project as NAME.banding.txt.")));
    btnAddBanding_->setText(Q(_("Add Banding")));
    btnRemoveBanding_->setText(Q(_("Remove Banding")));
    chkFinishedSizes_->setText(Q(_("Cut to finished size less banding")));
}

void SetsPage::ReadInto(SettingsForm& form) const {
    form.speed = tbFast_->value();
    form.guillotine = chkOneCut_->isChecked();
    form.costOptimization = chkCost_->isChecked();
    form.bestSearch = cbbSearch_->currentIndex() == 1;
    form.timeLimit = S(edtTimeLimit_->text());
    form.stages = cbbStages_->currentData().toInt();
    form.firstCut = static_cast<FirstCut>(cbbFirstCut_->currentIndex());
    form.seed = S(edtSeed_->text());
    form.unit = S(cbbUnit_->currentText());
    form.bladeWidth = S(edtGap_->text());
    form.decimals = S(edtDotNum_->text());
    form.minOffcutLength = S(edtMinLength_->text());
    form.minOffcutWidth = S(edtMinWidth_->text());
    form.minOffcutArea = S(edtMinArea_->text());
    form.offcutPrefix = S(edtPrefix_->text());
    form.marginTop = S(edtTopMargin_->text());
    form.marginBottom = S(edtBottomMargin_->text());
    form.marginLeft = S(edtLeftMargin_->text());
    form.marginRight = S(edtRightMargin_->text());
    form.printFont = S(edtFontName_->text());
    form.printFontSize = S(edtFontSize_->text());
    form.printTitle = S(edtTitle_->text());
    form.labelFormat = S(cbbLabelFormat_->currentData().toString());
    form.edgeColor = clrbxEdge_->currentIndex();
    form.sheetColor = clrbxSheet_->currentIndex();
    form.partColor = clrbxPart_->currentIndex();
    form.offcutColor = clrbxOffcut_->currentIndex();
    form.huazhong = rbHua_->isChecked();
    form.drillDepth = S(edtDepth_->text());
    form.safeHeight = S(edtSafe_->text());
    form.dxfDimensions = chkDxfDim_->isChecked();
    form.dxfOffcuts = chkDxfOffcuts_->isChecked();
    form.banding.rows.clear();
    for (int r = 0; r < tblBanding_->rowCount(); ++r) {
        const auto cell = [&](int c) {
            const QTableWidgetItem* item = tblBanding_->item(r, c);
            return item ? S(item->text()) : std::string();
        };
        form.banding.rows.push_back({cell(0), cell(1), cell(2)});
    }
    form.banding.finishedSizes = chkFinishedSizes_->isChecked();
}

void SetsPage::Show(const SettingsForm& form) {
    tbFast_->setValue(form.speed);
    chkOneCut_->setChecked(form.guillotine);
    chkCost_->setChecked(form.costOptimization);
    cbbSearch_->setCurrentIndex(form.bestSearch ? 1 : 0);
    SetText(*edtTimeLimit_, form.timeLimit);
    cbbStages_->setCurrentIndex(std::max(0, cbbStages_->findData(form.stages)));
    cbbFirstCut_->setCurrentIndex(static_cast<int>(form.firstCut));
    cbbStages_->setEnabled(form.guillotine);
    cbbFirstCut_->setEnabled(form.guillotine);
    SetText(*edtSeed_, form.seed);
    cbbUnit_->setCurrentText(Q(form.unit));
    SetText(*edtGap_, form.bladeWidth);
    SetText(*edtDotNum_, form.decimals);
    SetText(*edtMinLength_, form.minOffcutLength);
    SetText(*edtMinWidth_, form.minOffcutWidth);
    SetText(*edtMinArea_, form.minOffcutArea);
    SetText(*edtPrefix_, form.offcutPrefix);
    SetText(*edtTopMargin_, form.marginTop);
    SetText(*edtBottomMargin_, form.marginBottom);
    SetText(*edtLeftMargin_, form.marginLeft);
    SetText(*edtRightMargin_, form.marginRight);
    SetText(*edtFontName_, form.printFont);
    SetText(*edtFontSize_, form.printFontSize);
    SetText(*edtTitle_, form.printTitle);
    cbbLabelFormat_->setCurrentIndex(
        std::max(0, cbbLabelFormat_->findData(QString::fromStdString(form.labelFormat))));
    clrbxEdge_->setCurrentIndex(form.edgeColor);
    clrbxSheet_->setCurrentIndex(form.sheetColor);
    clrbxPart_->setCurrentIndex(form.partColor);
    clrbxOffcut_->setCurrentIndex(form.offcutColor);
    (form.huazhong ? rbHua_ : rbSimens_)->setChecked(true);
    SetText(*edtDepth_, form.drillDepth);
    SetText(*edtSafe_, form.safeHeight);
    chkDxfDim_->setChecked(form.dxfDimensions);
    chkDxfOffcuts_->setChecked(form.dxfOffcuts);
    ShowBanding(form.banding);
}

void SetsPage::ShowBanding(const BandingForm& banding) {
    // One change signal for the whole table, not one per cell.
    {
        const QSignalBlocker quiet(tblBanding_);
        tblBanding_->setRowCount(static_cast<int>(banding.rows.size()));
        for (int r = 0; r < tblBanding_->rowCount(); ++r) {
            const BandingTexts& row = banding.rows[static_cast<size_t>(r)];
            int c = 0;
            for (const std::string* text : {&row.name, &row.thickness, &row.allowance})
                tblBanding_->setItem(r, c++, new QTableWidgetItem(Q(*text)));
        }
    }
    chkFinishedSizes_->setChecked(banding.finishedSizes);
    Q_EMIT changed();
}

void SetsPage::AddBandingRow() {
    const int row = tblBanding_->rowCount();
    {
        const QSignalBlocker quiet(tblBanding_);
        tblBanding_->insertRow(row);
        for (int c = 0; c < tblBanding_->columnCount(); ++c)
            tblBanding_->setItem(row, c, new QTableWidgetItem);
    }
    tblBanding_->setCurrentCell(row, 0);
    tblBanding_->editItem(tblBanding_->item(row, 0));
    Q_EMIT changed();
}

void SetsPage::RemoveBandingRow() {
    const int row = tblBanding_->currentRow();
    if (row < 0) return;
    tblBanding_->removeRow(row);
    Q_EMIT changed();
}

void SetsPage::btn1Click() {
    const std::optional<int> size = ParseInteger(S(edtFontSize_->text()));
    if (!size) {
        dialogs_.Message(
            this, Q(kApplicationTitle),
            Q(_("The font size is not a whole number:")) + QLatin1Char(' ') + edtFontSize_->text(),
            Dialogs::Icon::Error);
        return;
    }
    QFont initial(edtFontName_->text());
    if (*size > 0) initial.setPointSize(*size);
    const std::optional<QFont> chosen = dialogs_.ChooseFont(this, initial);
    if (!chosen) return;
    edtFontName_->setText(chosen->family());
    edtFontSize_->setText(QString::number(chosen->pointSize()));
}

}  // namespace tarvex
