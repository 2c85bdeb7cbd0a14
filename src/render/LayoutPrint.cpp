#include "render/LayoutPrint.h"

#include <algorithm>
#include <cmath>

#include "io/TextFile.h"
#include "render/CutListBlock.h"
#include "render/LayoutPage.h"
#include "text/LengthText.h"
#include "text/NumberText.h"
#include "text/TextColumns.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

constexpr int kColumn = 16;  // width of a column of the part table, in display columns

std::string Dashes(const std::string& heading) {
    return "------------" + heading + "-----------";
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QFont PrintFont(const PrintSettings& print) {
    // The default "宋体" gives Latin letters half the width of a Chinese character,
    // which the padded part table relies on; where it is not installed, a monospaced
    // CJK font keeps that proportion.
    QFont font;
    font.setFamilies({Q(print.font), QStringLiteral("Noto Sans Mono CJK SC")});
    const std::optional<int> size = ParseInteger(print.fontSize);
    font.setPointSize(size && *size > 0 ? *size : 10);
    return font;
}

std::vector<std::string> LayoutPrintLines(const AppliedResult& result, int layoutIndex,
                                          const std::string& stamp) {
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet) return {};
    std::vector<std::string> lines;
    lines.push_back(stamp);
    lines.push_back("------------ " + _("Sheet Cutting Layouts") + " " +
                    std::to_string(layoutIndex + 1) + " ------------");
    lines.push_back("          " + _("Label") + "： " + sheet->label + "                    " +
                    _("Used Quant") + "：" + std::to_string(sheet->count));
    const LengthFormat lengths = LengthFormatOf(result.settings.unit);
    const auto length = [&lengths](double v) { return FormatLength(v, lengths, FormatAtLeast, 2); };
    lines.push_back("          " + _("Length") + "：" + length(sheet->length) +
                    "                   " + _("Width") + "：" + length(sheet->width));
    lines.push_back(Dashes(_("Parts")));
    const std::vector<LayoutPartRow> parts = CountLayoutParts(*sheet);
    // The label column widens for the layout's labels, up to twice its width.
    int labelColumn = kColumn;
    for (const LayoutPartRow& part : parts)
        labelColumn = std::clamp(DisplayColumns(part.label) + 1, labelColumn, 2 * kColumn);
    std::string heading = ColumnText(_("Label"), labelColumn);
    for (const char* caption : {"Length", "Width", "Quant", "Rotatable"})
        heading += ColumnText(_(caption), kColumn);
    lines.push_back(heading);
    for (const LayoutPartRow& part : parts) {
        const PartTexts typed = TypedTextsOf(result, part);
        lines.push_back(ColumnText(part.label, labelColumn) + ColumnText(typed.length, kColumn) +
                        ColumnText(typed.width, kColumn) +
                        ColumnText(std::to_string(part.quantity), kColumn) +
                        ColumnText(typed.rotatable, kColumn));
    }
    lines.push_back(Dashes(_("Cut Options")));
    const Margins& m = result.settings.cut.margins;
    lines.push_back(_("Length Unit:") + result.settings.unit);
    lines.push_back(_("Blade Width:") + length(result.settings.cut.bladeWidth));
    lines.push_back(_("Top Margin:") + length(m.top) + "      " + _("Bottom Margin:") +
                    length(m.bottom) + "      " + _("Left Margin:") + length(m.left) + "      " +
                    _("Right Margin:") + length(m.right));
    return lines;
}

LayoutDrawOptions PageOptionsOf(const LayoutDrawOptions& options, const AppliedResult& result) {
    LayoutDrawOptions page = options;
    page.dimensions = true;
    if (!page.document) {
        page.document = true;
        page.labelColors = LabelColorsOf(result);
    }
    return page;
}

void PrintLayoutPage(QPainter& painter, const QRect& page, const AppliedResult& result,
                     int layoutIndex, const LayoutDrawOptions& options,
                     const std::function<void()>& newPage) {
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet) return;
    painter.save();
    painter.setFont(PrintFont(result.settings.print));
    painter.setPen(Qt::black);

    // Distances are those of a page of 600 dots per inch, at the device's resolution:
    // a printer of 96 dots per inch gets the same page as the PDF.
    const double dot = painter.device()->logicalDpiY() / 600.0;
    const auto d = [dot](int dots) { return static_cast<int>(std::lround(dots * dot)); };
    const QRect margins = page.adjusted(d(100), d(50), -d(100), -d(100));
    const QString title = Q(result.settings.print.title);
    const QRect titleArea(QPoint(margins.left(), margins.top() + d(5)), margins.bottomRight());
    const QRect measured = painter.boundingRect(titleArea, Qt::TextSingleLine, title);
    const int titleBottom = measured.bottom();
    painter.drawText(
        QRect(QPoint(margins.left(), titleArea.top()), QPoint(margins.right(), titleBottom)),
        Qt::TextSingleLine | Qt::AlignHCenter | Qt::AlignTop, title);

    // Lines run past the right margin rather than wrap: one line, one row.
    const int left = margins.left() + d(20);
    int top = titleBottom + d(7);
    int bottom = top;
    const std::vector<std::string> lines = LayoutPrintLines(result, layoutIndex, ExportTimeStamp());
    for (const std::string& line : lines) {
        const QRect row = painter.boundingRect(QRect(left, top, margins.right() - left, 1),
                                               Qt::TextSingleLine | Qt::TextDontClip, Q(line));
        painter.drawText(row, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, Q(line));
        bottom = row.bottom();
        top = bottom + d(5);
    }

    // The drawing takes the page's free area below the text at its full width; the
    // cut list follows right under it where it fits there, otherwise on a page of
    // its own, so that the drawing never shrinks for it.
    const QRect free(QPoint(left, bottom + d(60)),
                     QPoint(margins.right() - d(20), margins.bottom()));
    const LayoutDrawOptions drawn = PageOptionsOf(options, result);
    CutListBlock cutList(result, *sheet);
    const int gap = d(60);
    const int drawingHeight =
        std::min(free.height(), static_cast<int>(free.width() * sheet->width / sheet->length));
    const int below = free.height() - drawingHeight - gap;
    const int cutListHeight = cutList.Arrange(painter, free.width(), std::max(0, below), false);
    if (free.width() > 0 && free.height() > 0)
        DrawLayoutSheet(painter, result, *sheet, free, drawn);
    if (cutListHeight <= below) {
        cutList.Draw(painter, QPoint(left, free.top() + drawingHeight + gap));
    } else {
        newPage();
        const QString heading = Q("------------ " + _("Sheet Cutting Layouts") + " " +
                                  std::to_string(layoutIndex + 1) + " ------------");
        const QRect row = painter.boundingRect(QRect(left, margins.top(), free.width(), 1),
                                               Qt::TextSingleLine | Qt::TextDontClip, heading);
        painter.drawText(row, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, heading);
        const int listTop = row.bottom() + d(40);
        cutList.Arrange(painter, free.width(), margins.bottom() - listTop, true);
        cutList.Draw(painter, QPoint(left, listTop));
    }
    painter.restore();
}

}  // namespace tarvex
