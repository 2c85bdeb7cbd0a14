#include "export/SvgExport.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>

#include "render/Fonts.h"
#include "render/LayoutDrawing.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

// Pixels on the sheet's longer side, and the texts' size at that scale.
constexpr double kDrawingSide = 1200.0;
constexpr int kTextPixels = 15;

}  // namespace

std::string LayoutSvg(const ExportSource& source, int layoutIndex) {
    const PlannedSheet* sheet = source.result.LayoutSheetOf(layoutIndex);
    if (!sheet || !(sheet->length > 0 && sheet->width > 0)) return {};
    const double s = std::min(kDrawingSide / sheet->length, kDrawingSide / sheet->width);
    const QSize size(std::max(1, static_cast<int>(s * sheet->length)),
                     std::max(1, static_cast<int>(s * sheet->width)));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(96);
    svg.setTitle(QString::fromStdString(
        Substitute(_("Layout {1}: {2}"), {std::to_string(layoutIndex + 1), sheet->label})));
    svg.setDescription(QStringLiteral("Tarvex"));
    QPainter painter;
    if (!painter.begin(&svg)) return {};
    QFont font = DocumentFont();
    font.setPixelSize(kTextPixels);
    painter.setFont(font);
    DrawLayoutSheet(painter, source.result, *sheet, QRect(QPoint(0, 0), size),
                    DocumentOptionsOf(source.choices, source.result));
    painter.end();
    return bytes.toStdString();
}

ExportOutcome ExportSvg(const ExportSource& source, int layoutIndex, const std::string& path) {
    if (!source.result.LayoutSheetOf(layoutIndex)) return NoSuchLayout(layoutIndex);
    const std::string svg = LayoutSvg(source, layoutIndex);
    if (svg.empty())
        return ExportFailed(
            Substitute(_("Cannot draw layout {1}."), {std::to_string(layoutIndex + 1)}));
    std::string error;
    if (!WriteFileAtomic(path, svg, error)) return ExportFailed(error);
    return {true, _("Congratulations! Exported successfully!")};
}

}  // namespace tarvex
