#include "gui/ReportPage.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/UiText.h"
#include "render/Fonts.h"
#include "text/Translate.h"

namespace tarvex {

ReportPage::ReportPage(QWidget* parent) : QWidget(parent) {
    btnReportSave_ = new QPushButton;
    btnReportSave_->setObjectName(QStringLiteral("btnReportSave"));
    btnReportPrint_ = new QPushButton;
    btnReportPrint_->setObjectName(QStringLiteral("btnReportPrint"));
    connect(btnReportSave_, &QPushButton::clicked, this, &ReportPage::saveClicked);
    connect(btnReportPrint_, &QPushButton::clicked, this, &ReportPage::printClicked);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnReportSave_);
    buttons->addWidget(btnReportPrint_);
    buttons->addStretch();

    lstReport_ = new QListWidget;
    lstReport_->setObjectName(QStringLiteral("lstReport"));
    lstReport_->setFont(FixedPitchFont());
    lstReport_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstReport_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(lstReport_, 1);
    ShowLines({});
}

void ReportPage::Retranslate() {
    btnReportSave_->setText(Q(_("Save(&S)")));
    btnReportPrint_->setText(Q(_("Print(&P)")));
}

void ReportPage::ShowLines(const std::vector<std::string>& lines) {
    lstReport_->clear();
    for (const std::string& line : lines) lstReport_->addItem(Q(line));
    // Without a report there is nothing to save or print.
    btnReportSave_->setEnabled(!lines.empty());
    btnReportPrint_->setEnabled(!lines.empty());
}

}  // namespace tarvex
