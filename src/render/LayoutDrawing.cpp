#include "render/LayoutDrawing.h"

#include <QBuffer>
#include <algorithm>
#include <cmath>

#include "io/TextFile.h"
#include "job/CutFigures.h"
#include "render/BandedEdges.h"
#include "render/ColorList.h"
#include "render/LayoutImage.h"
#include "render/LayoutTexts.h"
#include "render/SheetView.h"
#include "text/FileMessages.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

// Texts shrink to this share of the drawing's text size before they are left out.
constexpr qreal kSmallestText = 0.6;

const QColor kCutColor(200, 0, 0);
const QColor kBandingColor(30, 90, 200);

// Outline in the pen, interior in the brush, covering the box's pixels.
void DrawBox(QPainter& painter, const QRect& box) {
    if (box.width() <= 0 || box.height() <= 0) return;
    painter.drawRect(QRect(box.left(), box.top(), box.width() - 1, box.height() - 1));
}

QPen SolidPen(const QColor& color, qreal width = 1) {
    QPen pen(color, width, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

// The pens of a drawing: the window's colours, or the documents' own.
struct Inks {
    QPen edge, part, offcut, hatch, cut;
    qreal hatchSpacing;
};

Inks InksOf(const LayoutDrawOptions& o, const SheetView& view) {
    if (!o.document) {
        QPen cut = SolidPen(kCutColor, 1);
        cut.setStyle(Qt::DashLine);
        return {SolidPen(o.edgeColor), SolidPen(o.partColor), SolidPen(o.offcutColor), {}, cut, 0};
    }
    // Documents are drawn at any resolution: lines keep their weight to the drawing.
    const qreal line = std::max<qreal>(1, std::max(view.width, view.height) / 900.0);
    QPen cut = SolidPen(kCutColor, line * 1.5);
    cut.setStyle(Qt::DashLine);
    return {SolidPen(QColor(70, 70, 70), line * 1.5),
            SolidPen(QColor(60, 60, 60), line),
            SolidPen(QColor(110, 110, 110), line),
            SolidPen(QColor(175, 175, 175), line),
            cut,
            std::max<qreal>(4, std::max(view.width, view.height) / 120.0)};
}

// Diagonal lines across the box, clipped to it by hand so that every output
// (SVG included) shows the same lines.
void Hatch(QPainter& painter, const QRect& box, qreal spacing) {
    const qreal left = box.left(), right = box.left() + box.width();
    const qreal top = box.top(), bottom = box.top() + box.height();
    for (qreal c = left + top + spacing / 2; c < right + bottom; c += spacing) {
        const qreal x1 = std::max(left, c - bottom), x2 = std::min(right, c - top);
        if (x2 > x1) painter.drawLine(QPointF(x1, c - x1), QPointF(x2, c - x2));
    }
}

QColor FillOf(const LayoutDrawOptions& o, const Placement& part) {
    if (!o.document) return o.sheetColor;
    const auto found = o.labelColors.find(part.label);
    return found != o.labelColors.end() ? found->second : QColor(235, 235, 235);
}

void DrawTexts(QPainter& painter, const TextFitter& fitter, const std::vector<LayoutText>& texts) {
    for (const LayoutText& t : texts) {
        if (t.kind == LayoutText::Kind::CutNumber) {
            painter.setPen(SolidPen(kCutColor));
            painter.setBrush(Qt::white);
            painter.drawRect(t.fitted.box);
        } else {
            painter.setPen(Qt::black);
        }
        painter.setFont(fitter.FontOf(t.fitted));
        if (!t.fitted.turned) {
            painter.drawText(t.fitted.box, Qt::AlignCenter | Qt::TextSingleLine, t.fitted.text);
            continue;
        }
        const QRectF& box = t.fitted.box;
        painter.save();
        painter.translate(box.center());
        painter.rotate(-90);
        painter.drawText(QRectF(-box.height() / 2, -box.width() / 2, box.height(), box.width()),
                         Qt::AlignCenter | Qt::TextSingleLine, t.fitted.text);
        painter.restore();
    }
}

// A banded edge is a heavy line just inside the part's side, so that it never
// reads as a saw cut between two parts.
void DrawBanding(QPainter& painter, const AppliedResult& result, const PlannedSheet& sheet,
                 const SheetView& view, qreal line) {
    const qreal width = std::max<qreal>(2, line * 3);
    QPen pen = SolidPen(kBandingColor, width);
    pen.setCapStyle(Qt::FlatCap);
    painter.save();
    painter.setPen(pen);
    for (const Placement& part : sheet.parts) {
        const EnteredPart* row = result.EnteredPartAt(part.entryRow);
        if (!row || !HasBanding(row->banding)) continue;
        const QRect box = view.Box(part);
        if (box.width() < 3 * width || box.height() < 3 * width) continue;
        for (const BandedEdge& edge :
             BandedEdgesOf(part, row->banding, QRectF(box), width / 2 + line))
            painter.drawLine(edge.line);
    }
    painter.restore();
}

// The drawing at scale s with the sheet's box at the painter's origin.
void DrawAtScale(QPainter& painter, const AppliedResult& result, const PlannedSheet& sheet,
                 double s, const LayoutDrawOptions& options) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBackgroundMode(Qt::TransparentMode);
    const SheetView view(s, sheet.length, sheet.width);
    const Inks inks = InksOf(options, view);

    painter.setBrush(options.document ? QColor(Qt::white) : options.sheetColor);
    painter.setPen(inks.edge);
    DrawBox(painter, view.Sheet());

    painter.setPen(inks.part);
    for (const Placement& part : sheet.parts) {
        painter.setBrush(FillOf(options, part));
        DrawBox(painter, view.Box(part));
    }
    DrawBanding(painter, result, sheet, view, inks.part.widthF());
    if (options.offcuts) {
        painter.setBrush(options.document ? QBrush(Qt::NoBrush) : QBrush(options.sheetColor));
        for (const Offcut& offcut : sheet.offcuts) {
            const QRect box = view.Box(offcut);
            if (options.document) {
                painter.setPen(inks.hatch);
                Hatch(painter, box, inks.hatchSpacing);
            }
            painter.setPen(inks.offcut);
            DrawBox(painter, box);
        }
    }
    std::vector<SawCut> cuts;
    if (options.cuts)
        if (auto sawn = SawCutsOf(result, sheet)) cuts = std::move(*sawn);
    const double blade = result.settings.cut.bladeWidth;
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(inks.cut);
    for (const SawCut& cut : cuts) painter.drawLine(CutLine(view, cut, blade));

    const qreal pixels = FontPixels(painter.font(), painter.device());
    TextFitter fitter(painter.font(), painter.device(), pixels, pixels * kSmallestText);
    DrawTexts(painter, fitter,
              LayoutTexts(fitter, view, sheet, cuts, blade, LengthFormatOf(result.settings.unit),
                          result.settings.decimals, options));
    painter.restore();
}

bool HasArea(const PlannedSheet& sheet) {
    return sheet.length > 0 && sheet.width > 0;
}

}  // namespace

LayoutDrawOptions DrawOptionsOf(const OutputChoices& choices) {
    LayoutDrawOptions o;
    o.label = choices.showLabels;
    o.dimensions = choices.showDimensions;
    o.corners = choices.showCorners;
    o.offcuts = choices.showOffcuts;
    o.cuts = choices.showCuts;
    o.edgeColor = ListColor(choices.edgeColor);
    o.sheetColor = ListColor(choices.sheetColor);
    o.partColor = ListColor(choices.partColor);
    o.offcutColor = ListColor(choices.offcutColor);
    return o;
}

std::map<std::string, QColor> LabelColorsOf(const AppliedResult& result) {
    std::map<std::string, QColor> colors;
    for (const Part& part : result.job.Parts()) {
        if (colors.count(part.label)) continue;
        // Hues a golden angle apart stay apart however many labels there are.
        const int hue = static_cast<int>(std::fmod(colors.size() * 137.508, 360.0));
        colors[part.label] = QColor::fromHsv(hue, 45, 252);
    }
    return colors;
}

LayoutDrawOptions DocumentOptionsOf(const OutputChoices& choices, const AppliedResult& result) {
    LayoutDrawOptions o = DrawOptionsOf(choices);
    o.document = true;
    o.labelColors = LabelColorsOf(result);
    return o;
}

QFont LayoutFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(13);
    return font;
}

void DrawLayoutSheet(QPainter& painter, const AppliedResult& result, const PlannedSheet& sheet,
                     const QRect& target, const LayoutDrawOptions& options) {
    if (!HasArea(sheet)) return;
    const double s = std::min(target.width() / sheet.length, target.height() / sheet.width);
    if (!(s > 0)) return;
    painter.save();
    painter.translate(target.topLeft());
    DrawAtScale(painter, result, sheet, s, options);
    painter.restore();
}

QImage RenderLayoutPicture(const AppliedResult& result, int layoutIndex, const QSize& size,
                           const LayoutDrawOptions& options) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex)) {
        QPainter painter(&image);
        painter.setFont(LayoutFont());
        DrawLayoutSheet(painter, result, *sheet, QRect(QPoint(0, 0), size), options);
    }
    return image;
}

QImage RenderLayoutBitmap(const AppliedResult& result, int layoutIndex,
                          const LayoutDrawOptions& options) {
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet || !HasArea(*sheet)) return {};
    const double s = std::min(600.0 / sheet->length, 600.0 / sheet->width);
    const SheetView view(s, sheet->length, sheet->width);
    const QSize size(view.width, view.height);
    if (size.isEmpty()) return {};
    QImage image(size, QImage::Format_RGB32);
    // The sheet covers the whole bitmap; the fill only keeps stray memory out of it.
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(LayoutFont());
    DrawAtScale(painter, result, *sheet, s, options);
    return image;
}

bool SaveLayoutBitmap(const AppliedResult& result, int layoutIndex, const std::string& path,
                      const LayoutDrawOptions& options, std::string& error) {
    const QImage image = RenderLayoutBitmap(result, layoutIndex, options);
    if (image.isNull()) {
        error = "No picture of layout " + std::to_string(layoutIndex + 1) + " for \"" + path + "\"";
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP")) {
        error = Substitute(_("Cannot encode the picture \"{1}\""), {path});
        return false;
    }
    return WriteFileAtomic(path, bytes.toStdString(), error);
}

}  // namespace tarvex
