#include "gui/LayoutsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gui/LayoutPicture.h"
#include "gui/UiText.h"
#include "gui/ZoomedPicture.h"
#include "io/MaterialTotals.h"
#include "job/CutFigures.h"
#include "render/CutList.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

// The material of each layout's sheet, in layout order.
std::vector<std::string> LayoutMaterials(const AppliedResult* result) {
    std::vector<std::string> materials;
    for (int k = 0; result && k < result->LayoutCount(); ++k) {
        const PlannedSheet* sheet = result->LayoutSheetOf(k);
        materials.push_back(sheet ? result->MaterialOf(*sheet) : std::string());
    }
    return materials;
}

QCheckBox* NewCheck(const char* name) {
    auto* check = new QCheckBox;
    check->setObjectName(Q(name));
    return check;
}

}  // namespace

QPushButton* LayoutsPage::NewButton(const char* name, void (LayoutsPage::*clicked)()) {
    auto* button = new QPushButton;
    button->setObjectName(Q(name));
    connect(button, &QPushButton::clicked, this, clicked);
    return button;
}

QLabel* LayoutsPage::NewFact(const char* name) {
    auto* fact = new QLabel;
    fact->setObjectName(Q(name));
    fact->setTextInteractionFlags(Qt::TextSelectableByMouse);
    captions_[fact] = new QLabel;
    return fact;
}

LayoutsPage::LayoutsPage(QWidget* parent) : QWidget(parent) {
    lblLayouts_ = new QLabel;
    sbLayout_ = new QScrollBar(Qt::Horizontal);
    sbLayout_->setObjectName(QStringLiteral("sbLayout"));
    sbLayout_->setRange(1, 1);
    sbLayout_->setPageStep(1);
    cmbPages_ = new QComboBox;
    cmbPages_->setObjectName(QStringLiteral("cmbPages"));
    cmbPages_->setMinimumContentsLength(6);
    connect(cmbPages_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0 && sbLayout_->value() != index + 1) {
            const QSignalBlocker quiet(sbLayout_);
            sbLayout_->setValue(index + 1);
        }
        ShowLayoutPage();
    });
    connect(sbLayout_, &QScrollBar::valueChanged, this, [this](int position) {
        if (position - 1 < cmbPages_->count()) cmbPages_->setCurrentIndex(position - 1);
    });
    lblLayouts_->setBuddy(cmbPages_);
    auto* selector = new QHBoxLayout;
    selector->addWidget(lblLayouts_);
    selector->addWidget(sbLayout_, 1);
    selector->addWidget(cmbPages_);

    btnCalc_ = NewButton("btnCalc", &LayoutsPage::calcClicked);
    QPalette blue = btnCalc_->palette();
    blue.setColor(QPalette::ButtonText, QColor(0, 0, 255));
    btnCalc_->setPalette(blue);
    QFont bold = btnCalc_->font();
    bold.setBold(true);
    btnCalc_->setFont(bold);
    btnStop_ = NewButton("btnStop", &LayoutsPage::stopClicked);
    btnStop_->setEnabled(false);
    btnPrintCurrent_ = NewButton("btnPrintCurrent", &LayoutsPage::printClicked);
    btnPrintAll_ = NewButton("btnPrintAll", &LayoutsPage::printAllClicked);
    btnExpHtml_ = NewButton("btnExpHtml", &LayoutsPage::exportHtmlClicked);
    btnExpDxf_ = NewButton("btnExpDxf", &LayoutsPage::exportDxfClicked);
    btnExpOffcut_ = NewButton("btnExpOffcut", &LayoutsPage::exportOffcutsClicked);
    btnExpGcode_ = NewButton("btnExpGcode", &LayoutsPage::exportGcodeClicked);
    btnExpSvg_ = NewButton("btnExpSvg", &LayoutsPage::exportSvgClicked);
    btnExpPdf_ = NewButton("btnExpPdf", &LayoutsPage::exportPdfClicked);
    btnExpLabels_ = NewButton("btnExpLabels", &LayoutsPage::exportLabelsClicked);
    // Three to a row below the calculation: printing on paper (the part labels are
    // printed sheets too), then the files of the layout and of the plan.
    auto* buttons = new QGridLayout;
    buttons->addWidget(btnCalc_, 0, 0, 1, 2);
    buttons->addWidget(btnStop_, 0, 2);
    buttons->addWidget(btnPrintCurrent_, 1, 0);
    buttons->addWidget(btnPrintAll_, 1, 1);
    buttons->addWidget(btnExpLabels_, 1, 2);
    buttons->addWidget(btnExpHtml_, 2, 0);
    buttons->addWidget(btnExpDxf_, 2, 1);
    buttons->addWidget(btnExpSvg_, 2, 2);
    buttons->addWidget(btnExpOffcut_, 3, 0);
    buttons->addWidget(btnExpGcode_, 3, 1);
    buttons->addWidget(btnExpPdf_, 3, 2);

    grpView_ = new QGroupBox;
    chkLabel_ = NewCheck("chkLabel");
    chkEdge_ = NewCheck("chkEdge");
    chkLeftTop_ = NewCheck("chkLeftTop");
    chkLeftRect_ = NewCheck("chkLeftRect");
    chkCuts_ = NewCheck("chkCuts");
    auto* options = new QGridLayout(grpView_);
    options->setVerticalSpacing(2);
    options->addWidget(chkLabel_, 0, 0);
    options->addWidget(chkEdge_, 0, 1);
    options->addWidget(chkLeftTop_, 0, 2);
    options->addWidget(chkLeftRect_, 1, 0);
    options->addWidget(chkCuts_, 1, 1);
    for (QCheckBox* check : {chkLabel_, chkEdge_, chkLeftTop_, chkLeftRect_, chkCuts_})
        connect(check, &QCheckBox::toggled, this, &LayoutsPage::Redraw);

    grpFacts_ = new QGroupBox;
    auto* facts = new QFormLayout(grpFacts_);
    facts->setLabelAlignment(Qt::AlignRight);
    // Compact rows leave the part table room in the window's starting size.
    facts->setVerticalSpacing(2);
    lblSheetLabel_ = NewFact("sheetLabel");
    lblSheetNum_ = NewFact("sheetCount");
    lblSheetLen_ = NewFact("sheetLength");
    lblSheetWidth_ = NewFact("sheetWidth");
    lblSheetArea_ = NewFact("sheetArea");
    lblRemainArea_ = NewFact("scrapArea");
    lblRatio_ = NewFact("ratio");
    lblPartNum_ = NewFact("partCount");
    for (QLabel* fact : {lblSheetLabel_, lblSheetNum_, lblSheetLen_, lblSheetWidth_, lblSheetArea_,
                         lblRemainArea_, lblRatio_, lblPartNum_})
        facts->addRow(captions_[fact], fact);

    sgLayout_ = new QTableWidget(0, 2);
    sgLayout_->setObjectName(QStringLiteral("sgLayout"));
    sgLayout_->verticalHeader()->hide();
    sgLayout_->verticalHeader()->setDefaultSectionSize(20);
    sgLayout_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    sgLayout_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    sgLayout_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgLayout_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgLayout_->setMinimumHeight(44);

    auto* side = new QWidget;
    auto* sideColumn = new QVBoxLayout(side);
    sideColumn->setContentsMargins(0, 0, 0, 0);
    sideColumn->addLayout(selector);
    sideColumn->addLayout(buttons);
    sideColumn->addWidget(grpView_);
    sideColumn->addWidget(grpFacts_);
    sideColumn->addWidget(sgLayout_, 1);

    auto* pnlLayout = new QWidget;
    pnlLayout->setObjectName(QStringLiteral("pnlLayout"));
    pbCutting_ = new QProgressBar;
    pbCutting_->setObjectName(QStringLiteral("pbCutting"));
    pbCutting_->setRange(0, 100);
    pbCutting_->setValue(0);
    pbCutting_->setTextVisible(false);
    pbCutting_->setFixedHeight(17);
    imgLayout_ = new LayoutPicture;
    imgLayout_->SetPainter([this](QPainter& painter, const QRect& area) {
        const int index = SelectedLayout();
        if (!result_ || index < 0 || !drawOptions_) return;
        painter.setFont(LayoutFont());
        if (const PlannedSheet* sheet = result_->LayoutSheetOf(index))
            DrawLayoutSheet(painter, *result_, *sheet, area, drawOptions_());
    });
    zoom_ = new ZoomedPicture(imgLayout_);
    auto* panel = new QVBoxLayout(pnlLayout);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(2);
    panel->addWidget(pbCutting_);
    panel->addWidget(zoom_, 1);
    // What cutting costs, under the picture: the side column has no room left.
    lblCutFacts_ = new QLabel;
    lblCutFacts_->setObjectName(QStringLiteral("lblCutFacts"));
    lblCutFacts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Beside the zoom buttons the figures break into two lines rather than widen the window.
    lblCutFacts_->setWordWrap(true);
    const auto zoomButton = [this](const char* name, const QString& text,
                                   void (ZoomedPicture::*act)()) {
        auto* button = new QToolButton;
        button->setObjectName(Q(name));
        button->setText(text);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, zoom_, act);
        return button;
    };
    btnZoomOut_ = zoomButton("btnZoomOut", QStringLiteral("\u2212"), &ZoomedPicture::ZoomOut);
    btnZoomIn_ = zoomButton("btnZoomIn", QStringLiteral("+"), &ZoomedPicture::ZoomIn);
    btnZoomFit_ = zoomButton("btnZoomFit", QString(), &ZoomedPicture::Fit);
    auto* under = new QHBoxLayout;
    under->addWidget(lblCutFacts_, 1);
    for (QToolButton* button : {btnZoomOut_, btnZoomIn_, btnZoomFit_}) under->addWidget(button);
    panel->addLayout(under);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(side);
    splitter->addWidget(pnlLayout);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(1, false);
    splitter->setSizes({240, 560});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    ShowViewOptions(SettingsForm{});
    EnableOutputs();
}

void LayoutsPage::Retranslate() {
    lblLayouts_->setText(Q(_("Layouts:")));
    btnCalc_->setText(Q(_("Start Calc(&C)")));
    btnStop_->setText(Q(_("Stop(&T)")));
    btnPrintCurrent_->setText(Q(_("Print(&P)")));
    btnPrintAll_->setText(Q(_("Print All(&A)")));
    btnExpHtml_->setText(Q(_("Export HTML(&H)")));
    btnExpDxf_->setText(Q(_("Export DXF(&D)")));
    btnExpOffcut_->setText(Q(_("Export &Offcuts")));
    btnExpGcode_->setText(Q(_("Export G(&G)")));
    btnExpSvg_->setText(Q(_("Export SVG")));
    btnExpPdf_->setText(Q(_("Export PDF")));
    btnExpLabels_->setText(Q(_("Part Labels")));
    grpView_->setTitle(Q(_("View")));
    btnZoomIn_->setToolTip(Q(_("Zoom in (mouse wheel, +)")));
    btnZoomOut_->setToolTip(Q(_("Zoom out (mouse wheel, -)")));
    btnZoomFit_->setText(Q(_("Fit")));
    btnZoomFit_->setToolTip(Q(_("Show the whole sheet (0)")));
    chkLabel_->setText(Q(_("Label")));
    chkEdge_->setText(Q(_("Dimensions")));
    chkLeftTop_->setText(Q(_("(Left,Top)")));
    chkLeftRect_->setText(Q(_("Offcut")));
    chkCuts_->setText(Q(_("Cuts")));
    grpFacts_->setTitle(Q(_("Selected Layout")));
    captions_[lblSheetLabel_]->setText(Q(_("Label:")));
    captions_[lblSheetNum_]->setText(Q(_("Quant:")));
    captions_[lblSheetLen_]->setText(Q(_("Length:")));
    captions_[lblSheetWidth_]->setText(Q(_("Width:")));
    captions_[lblSheetArea_]->setText(Q(_("Sheet Area:")));
    captions_[lblRemainArea_]->setText(Q(_("Scrap Area:")));
    captions_[lblRatio_]->setText(Q(_("Ratio:")));
    captions_[lblPartNum_]->setText(Q(_("Parts in layout:")));
    ShowCutFacts(SelectedLayout());
    sgLayout_->setHorizontalHeaderLabels({Q(_("Label")), Q(_("Used Quant"))});
}

void LayoutsPage::SetDrawOptions(std::function<LayoutDrawOptions()> options) {
    drawOptions_ = std::move(options);
    Redraw();
}

void LayoutsPage::ShowResult(std::shared_ptr<const AppliedResult> result) {
    result_ = std::move(result);
    const int count = result_ ? result_->LayoutCount() : 0;
    {
        const QSignalBlocker quiet(cmbPages_);
        cmbPages_->clear();
        const std::vector<std::string> materials = LayoutMaterials(result_.get());
        // The layouts come grouped by material: with more than one, each entry names
        // the material of its layout's sheet.
        const bool several = std::adjacent_find(materials.begin(), materials.end(),
                                                std::not_equal_to<>()) != materials.end();
        for (int k = 1; k <= count; ++k) {
            const QString number = QString::number(k) + QLatin1Char('/') + QString::number(count);
            cmbPages_->addItem(several ? Q(MaterialName(materials[k - 1])) +
                                             QStringLiteral(" \u00b7 ") + number
                                       : number);
        }
        cmbPages_->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker quiet(sbLayout_);
        sbLayout_->setRange(1, std::max(1, count));
        sbLayout_->setValue(1);
    }
    if (count > 0)
        cmbPages_->setCurrentIndex(0);
    else
        ShowLayoutPage();
    EnableOutputs();
}

int LayoutsPage::SelectedLayout() const {
    return cmbPages_->currentIndex();
}

int LayoutsPage::LayoutCount() const {
    return cmbPages_->count();
}

void LayoutsPage::Redraw() {
    imgLayout_->update();
}

void LayoutsPage::ShowLayoutPage() {
    const int index = SelectedLayout();
    ShowFacts(result_ && index >= 0 ? MakeLayoutPage(*result_, index) : LayoutPage{});
    ShowCutFacts(index);
    Redraw();
}

void LayoutsPage::ShowCutFacts(int layoutIndex) {
    const PlannedSheet* sheet = result_ ? result_->LayoutSheetOf(layoutIndex) : nullptr;
    if (!sheet) {
        lblCutFacts_->clear();
        return;
    }
    // Saw cuts, or the CNC tool path of a free plan, as the plan is cut.
    const CutFigures layout = SheetCutFigures(*result_, *sheet);
    const CutFigures plan = PlanCutFigures(*result_);
    const LengthFormat lengths = LengthFormatOf(result_->settings.unit);
    lblCutFacts_->setText(
        Q(Substitute(_("Per sheet: {1}.   All sheets: {2}."),
                     {CutFiguresText(layout, lengths), CutFiguresText(plan, lengths)})));
}

void LayoutsPage::ShowFacts(const LayoutPage& page) {
    const LayoutCaptions& c = page.captions;
    lblSheetLabel_->setText(Q(c.sheetLabel));
    lblSheetNum_->setText(Q(c.sheetCount));
    lblSheetLen_->setText(Q(c.sheetLength));
    lblSheetWidth_->setText(Q(c.sheetWidth));
    lblSheetArea_->setText(Q(c.sheetArea));
    lblRemainArea_->setText(Q(c.scrapArea));
    lblRatio_->setText(Q(c.ratio));
    lblPartNum_->setText(Q(c.partCount));
    sgLayout_->setRowCount(static_cast<int>(page.partRows.size()));
    for (int r = 0; r < sgLayout_->rowCount(); ++r) {
        const LayoutPartRow& row = page.partRows[r];
        sgLayout_->setItem(r, 0, new QTableWidgetItem(Q(row.label)));
        sgLayout_->setItem(r, 1, new QTableWidgetItem(QString::number(row.quantity)));
    }
}

void LayoutsPage::ReadViewOptions(SettingsForm& form) const {
    form.showLabels = chkLabel_->isChecked();
    form.showDimensions = chkEdge_->isChecked();
    form.showCorners = chkLeftTop_->isChecked();
    form.showOffcuts = chkLeftRect_->isChecked();
    form.showCuts = chkCuts_->isChecked();
}

void LayoutsPage::ShowViewOptions(const SettingsForm& form) {
    chkLabel_->setChecked(form.showLabels);
    chkEdge_->setChecked(form.showDimensions);
    chkLeftTop_->setChecked(form.showCorners);
    chkLeftRect_->setChecked(form.showOffcuts);
    chkCuts_->setChecked(form.showCuts);
}

void LayoutsPage::SetRunning(bool running) {
    running_ = running;
    btnCalc_->setEnabled(!running);
    btnStop_->setEnabled(running);
    EnableOutputs();
}

void LayoutsPage::EnableOutputs() {
    // The outputs read the job settings, which a running calculation has replaced;
    // without a plan they would have nothing to write.
    const bool on = !running_ && LayoutCount() > 0;
    for (QPushButton* output : {btnPrintCurrent_, btnPrintAll_, btnExpHtml_, btnExpDxf_,
                                btnExpOffcut_, btnExpGcode_, btnExpSvg_, btnExpPdf_, btnExpLabels_})
        output->setEnabled(on);
}

}  // namespace tarvex
