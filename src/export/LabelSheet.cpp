#include "export/LabelSheet.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>

#include "export/PartLabels.h"
#include "export/QrCode.h"
#include "render/BandedEdges.h"
#include "render/Fonts.h"
#include "render/LayoutDrawing.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kDotsPerInch = 600;
// Sizes of the label's lines in points, the part label first; they shrink to fit.
constexpr double kLinePoints[] = {11, 8, 8, 8, 7};
constexpr double kSmallestPoints = 4;

double Dots(double mm) {
    return mm * kDotsPerInch / 25.4;
}

// The code with its quiet zone of white (four modules, as readers expect), in the
// middle of the square; modules are whole dots, so that they print evenly.
void DrawQr(QPainter& painter, const QrCode& qr, const QRectF& square) {
    const int quiet = 4;
    const double module = std::floor(square.width() / (qr.size + 2 * quiet));
    const double side = module * (qr.size + 2 * quiet);
    const QPointF corner(std::round(square.center().x() - side / 2),
                         std::round(square.center().y() - side / 2));
    painter.fillRect(QRectF(corner, QSizeF(side, side)), Qt::white);
    const QPointF origin = corner + QPointF(quiet * module, quiet * module);
    // One rectangle for each run of dark modules in a row: no seams between them.
    for (int y = 0; y < qr.size; ++y)
        for (int x = 0; x < qr.size;) {
            if (!qr.Dark(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < qr.size && qr.Dark(x, y)) ++x;
            painter.fillRect(QRectF(origin.x() + start * module, origin.y() + y * module,
                                    (x - start) * module, module),
                             Qt::black);
        }
}

QFont LineFont(int line, double points) {
    QFont font = DocumentFont();
    font.setPointSizeF(points);
    font.setBold(line == 0);
    return font;
}

// The lines fill the area from the top, each as large as its width allows.
void DrawLines(QPainter& painter, const std::vector<std::string>& lines, const QRectF& area) {
    double total = 0;
    for (size_t i = 0; i < lines.size(); ++i)
        total +=
            QFontMetricsF(LineFont(static_cast<int>(i), kLinePoints[i]), painter.device()).height();
    const double share = std::min(1.0, area.height() / total);
    double y = area.top();
    for (size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i);
        const QString text = QString::fromStdString(lines[i]);
        double points = std::max(kSmallestPoints, kLinePoints[i] * share);
        QFont font = LineFont(line, points);
        while (points > kSmallestPoints &&
               QFontMetricsF(font, painter.device()).horizontalAdvance(text) > area.width()) {
            points = std::max(kSmallestPoints, points * 0.9);
            font = LineFont(line, points);
        }
        const QFontMetricsF metrics(font, painter.device());
        painter.setFont(font);
        painter.drawText(QPointF(area.left(), y + metrics.ascent()),
                         metrics.elidedText(text, Qt::ElideRight, area.width()));
        y += metrics.height();
    }
}

// The part as entered, a small box in the label's corner, its banded edges heavy.
void DrawBandingSketch(QPainter& painter, const PartLabel& label, const QRectF& corner) {
    painter.save();
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    const QRectF part = corner.adjusted(0, corner.height() * 0.2, 0, -corner.height() * 0.2);
    painter.drawRect(part);
    const double width = std::max(2.0, corner.width() / 10);
    QPen heavy(QColor(30, 90, 200), width);
    heavy.setCapStyle(Qt::FlatCap);
    painter.setPen(heavy);
    for (const BandedEdge& edge : BandedEdgesOf(Placement{}, label.bandedEdges, part, width / 2))
        painter.drawLine(edge.line);
    painter.restore();
}

void DrawLabel(QPainter& painter, const PartLabel& label, const QColor& color, const QRectF& box) {
    const double pad = Dots(2);
    painter.fillRect(box, color);
    painter.setPen(QPen(QColor(200, 200, 200), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    const double side = std::min(box.height() - 2 * pad, box.width() * 0.45);
    const QRectF square(box.left() + pad, box.top() + (box.height() - side) / 2, side, side);
    if (const auto qr = EncodeQr(label.QrText())) DrawQr(painter, *qr, square);
    painter.setPen(Qt::black);
    QRectF text(square.right() + pad, box.top() + pad, box.right() - square.right() - 2 * pad,
                box.height() - 2 * pad);
    if (!label.banding.empty()) {
        const double sketch = std::min(text.width() * 0.3, text.height() * 0.4);
        DrawBandingSketch(painter, label,
                          QRectF(text.right() - sketch, text.bottom() - sketch, sketch, sketch));
        text.setWidth(text.width() - sketch - pad);
    }
    DrawLines(painter, label.Lines(), text);
}

}  // namespace

std::string LabelSheetPdf(const ExportSource& source, const LabelFormat& format) {
    const std::vector<PartLabel> labels = PartLabels(source.result);
    if (labels.empty()) return {};
    const std::map<std::string, QColor> colors = LabelColorsOf(source.result);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kDotsPerInch);
    pdf.setPageSize(QPageSize(QSizeF(format.pageWidth, format.pageHeight), QPageSize::Millimeter));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QString::fromStdString(_("Part Labels")));
    pdf.setCreator(QStringLiteral("Tarvex"));
    QPainter painter;
    if (!painter.begin(&pdf)) return {};
    for (size_t n = 0; n < labels.size(); ++n) {
        const int onPage = static_cast<int>(n % format.PerPage());
        if (n > 0 && onPage == 0) pdf.newPage();
        const int column = onPage % format.columns, row = onPage / format.columns;
        const QRectF box(Dots(format.left + column * (format.labelWidth + format.columnGap)),
                         Dots(format.top + row * (format.labelHeight + format.rowGap)),
                         Dots(format.labelWidth), Dots(format.labelHeight));
        const auto color = colors.find(labels[n].colorKey);
        DrawLabel(painter, labels[n], color != colors.end() ? color->second : QColor(Qt::white),
                  box);
    }
    painter.end();
    return bytes.toStdString();
}

ExportOutcome ExportLabels(const ExportSource& source, const std::string& path) {
    const std::string pdf = LabelSheetPdf(source, LabelFormatNamed(source.choices.labelFormat));
    if (pdf.empty()) return ExportFailed(_("The plan places no part to label."));
    std::string error;
    if (!WriteFileAtomic(path, pdf, error)) return ExportFailed(error);
    return {true, _("Congratulations! Exported successfully!")};
}

}  // namespace tarvex
