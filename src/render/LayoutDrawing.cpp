#include "render/LayoutDrawing.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "io/TextFile.h"
#include "render/ColorList.h"
#include "text/NumberText.h"
#include "text/SingleLineText.h"
#include "text/TextColumns.h"

namespace {

int Trunc(double v) {
    return static_cast<int>(std::trunc(v));
}

// Outline in the pen, interior in the brush, covering the pixels from (x1, y1) up
// to but not including (x2, y2).
void FillRect(QPainter& painter, int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    painter.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
}

// Text with its top-left corner at the point, on one line whatever it holds. The
// placement estimates assume a font without extra leading; fonts with tall line
// boxes (most CJK fonts) would sit low, so the baseline follows the cap height.
void TextAt(QPainter& painter, int x, int y, const std::string& text) {
    const int baseline = y + qRound(QFontMetricsF(painter.font()).capHeight() * 1.2);
    painter.drawText(QPoint(x, baseline), QString::fromStdString(SingleLineText(text)));
}

QPen SolidPen(const QColor& color) {
    QPen pen(color, 1, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

struct Box {
    double x, y, l, w;  // scaled, unrounded
};

template <class Rectangle>
Box Scaled(const Rectangle& r, double s) {
    return {s * r.x, s * r.y, s * r.length, s * r.width};
}

void DrawBox(QPainter& painter, const Box& b) {
    FillRect(painter, Trunc(b.x), Trunc(b.y), Trunc(b.x + b.l), Trunc(b.y + b.w));
}

// The drawing at scale s with the sheet's corner at the painter's origin.
void DrawAtScale(QPainter& painter, const PlannedSheet& sheet, double s,
                 const LayoutDrawOptions& options) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setBrush(options.sheetColor);

    painter.setPen(SolidPen(options.edgeColor));
    FillRect(painter, 0, 0, Trunc(s * sheet.length), Trunc(s * sheet.width));

    // Texts are drawn in black, the canvas's text colour, not in the outline pen.
    const QPen outline = SolidPen(options.partColor);
    const QPen text = SolidPen(Qt::black);
    for (const Placement& part : sheet.parts) {
        const Box b = Scaled(part, s);
        painter.setPen(outline);
        DrawBox(painter, b);
        painter.setPen(text);
        for (const LayoutText& t : PartAnnotations(part, s, options))
            TextAt(painter, t.x, t.y, t.text);
    }
    if (options.offcuts) {
        painter.setPen(SolidPen(options.offcutColor));
        for (const Offcut& offcut : sheet.offcuts) DrawBox(painter, Scaled(offcut, s));
    }
    painter.restore();
}

bool HasArea(const PlannedSheet& sheet) {
    return sheet.length > 0 && sheet.width > 0;
}

// Text positions rest on fixed estimates (10 or 7 pixels a column) rather than on
// measured widths, and fall back to 1 pixel inside the part where they would
// start left of or above it.
int ClampX(int tx, double x) {
    return tx < x ? Trunc(x + 1) : tx;
}
int ClampY(int ty, double y) {
    return ty < y ? Trunc(y + 1) : ty;
}

}  // namespace

std::vector<LayoutText> PartAnnotations(const Placement& part, double s,
                                        const LayoutDrawOptions& options) {
    const Box b = Scaled(part, s);
    std::vector<LayoutText> texts;
    if (options.label) {
        const int n = DisplayColumns(part.label);
        texts.push_back({ClampX(Trunc(b.l * 0.5 + b.x - (10 * n) / 2), b.x),
                         ClampY(Trunc(b.w * 0.5 + b.y - 6), b.y), part.label});
    }
    if (options.corners) {
        texts.push_back({Trunc(b.x + 1), Trunc(b.y),
                         "(" + FormatWhole(b.x / s) + "," + FormatWhole((b.y + b.w) / s) + ")"});
    }
    if (options.dimensions) {
        const std::string length = FormatWhole(b.l / s);
        const int nl = static_cast<int>(length.size());
        texts.push_back({ClampX(Trunc(b.l * 0.5 + b.x - (10 * nl) / 2), b.x),
                         ClampY(Trunc(b.y + b.w - 12), b.y), length});
        const std::string width = FormatWhole(b.w / s);
        const int nw = static_cast<int>(width.size());
        texts.push_back({ClampX(Trunc(b.x + b.l - 7 * nw), b.x),
                         ClampY(Trunc(b.w * 0.5 + b.y - 6), b.y), width});
    }
    return texts;
}

LayoutDrawOptions DrawOptionsOf(const SettingsForm& settings) {
    LayoutDrawOptions o;
    o.label = settings.showLabels;
    o.dimensions = settings.showDimensions;
    o.corners = settings.showCorners;
    o.offcuts = settings.showOffcuts;
    o.edgeColor = ListColor(settings.edgeColor);
    o.sheetColor = ListColor(settings.sheetColor);
    o.partColor = ListColor(settings.partColor);
    o.offcutColor = ListColor(settings.offcutColor);
    return o;
}

QFont LayoutFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("WenQuanYi Micro Hei")});
    font.setPixelSize(13);
    return font;
}

void DrawLayoutSheet(QPainter& painter, const PlannedSheet& sheet, const QRect& target,
                     const LayoutDrawOptions& options) {
    if (!HasArea(sheet)) return;
    const double s = std::min(target.width() / sheet.length, target.height() / sheet.width);
    if (!(s > 0)) return;
    painter.save();
    painter.translate(target.topLeft());
    DrawAtScale(painter, sheet, s, options);
    painter.restore();
}

QImage RenderLayoutPicture(const AppliedResult& result, int layoutIndex, const QSize& size,
                           const LayoutDrawOptions& options) {
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex)) {
        QPainter painter(&image);
        painter.setFont(LayoutFont());
        DrawLayoutSheet(painter, *sheet, QRect(QPoint(0, 0), size), options);
    }
    return image;
}

QImage RenderLayoutBitmap(const AppliedResult& result, int layoutIndex,
                          const LayoutDrawOptions& options) {
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet || !HasArea(*sheet)) return {};
    const double s = std::min(600.0 / sheet->length, 600.0 / sheet->width);
    const QSize size(Trunc(s * sheet->length), Trunc(s * sheet->width));
    if (size.isEmpty()) return {};
    QImage image(size, QImage::Format_RGB32);
    // The sheet covers the whole bitmap; the fill only keeps stray memory out of it.
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(LayoutFont());
    DrawAtScale(painter, *sheet, s, options);
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
        error = "Cannot encode the picture \"" + path + "\"";
        return false;
    }
    return WriteFileAtomic(path, bytes.toStdString(), error);
}
