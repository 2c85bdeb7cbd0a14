#include "export/PlanPdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "render/Fonts.h"
#include "render/LayoutDrawing.h"
#include "render/LayoutPrint.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kDotsPerInch = 600;
constexpr int kReportMargin = 15 * kDotsPerInch * 10 / 254;  // 15 mm
constexpr double kReportPoints = 9;
constexpr double kSmallestReportPoints = 5;

// The report in a fixed-pitch font, set smaller until its widest line fits the
// page (lines broken in two would lose their columns), as many pages as it takes.
void DrawReportPages(QPainter& painter, QPdfWriter& pdf, const std::vector<std::string>& lines) {
    const QRect area = QRect(0, 0, pdf.width(), pdf.height())
                           .adjusted(kReportMargin, kReportMargin, -kReportMargin, -kReportMargin);
    QFont font = FixedPitchFont();
    font.setPointSizeF(kReportPoints);
    qreal widest = 0;
    for (const std::string& line : lines)
        widest = std::max(
            widest, QFontMetricsF(font, &pdf).horizontalAdvance(QString::fromStdString(line)));
    if (widest > area.width())
        font.setPointSizeF(std::max(kSmallestReportPoints, kReportPoints * area.width() / widest));
    const QFontMetricsF metrics(font, &pdf);
    painter.setFont(font);
    painter.setPen(Qt::black);
    qreal y = area.top();
    for (const std::string& line : lines) {
        if (y + metrics.height() > area.bottom()) {
            pdf.newPage();
            y = area.top();
        }
        painter.drawText(QPointF(area.left(), y + metrics.ascent()), QString::fromStdString(line));
        y += metrics.height();
    }
}

}  // namespace

std::string PlanPdf(const ExportSource& source, const std::vector<std::string>& reportLines) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDotsPerInch);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(source.result.settings.print.title));
    pdf.setCreator(QStringLiteral("Tarvex"));
    QPainter painter;
    if (!painter.begin(&pdf)) return {};
    DrawReportPages(painter, pdf, reportLines);
    const LayoutDrawOptions options = DocumentOptionsOf(source.choices, source.result);
    for (int i = 0; i < source.result.LayoutCount(); ++i) {
        pdf.newPage();
        PrintLayoutPage(painter, QRect(0, 0, pdf.width(), pdf.height()), source.result, i, options,
                        [&pdf] { pdf.newPage(); });
    }
    painter.end();
    return bytes.toStdString();
}

ExportOutcome ExportPlanPdf(const ExportSource& source, const std::vector<std::string>& reportLines,
                            const std::string& path) {
    const std::string pdf = PlanPdf(source, reportLines);
    if (pdf.empty()) return ExportFailed(_("The PDF cannot be drawn."));
    std::string error;
    if (!WriteFileAtomic(path, pdf, error)) return ExportFailed(error);
    return {true, _("Congratulations! Exported successfully!")};
}

}  // namespace tarvex
