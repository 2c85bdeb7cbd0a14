#include "render/LayoutPrint.h"

#include "io/EntryTables.h"
#include "io/TextFile.h"
#include "render/CutListBlock.h"
#include "render/LayoutPage.h"
#include "text/NumberText.h"
#include "text/TextColumns.h"
#include "text/Translate.h"

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

std::vector<std::string> LayoutPrintLines(const AppliedResult& result, const CellTable& partTable,
                                          int layoutIndex, const std::string& stamp) {
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet) return {};
    std::vector<std::string> lines;
    lines.push_back(stamp);
    lines.push_back("------------ " + _("Sheet Cutting Layouts") + " " +
                    std::to_string(layoutIndex + 1) + " ------------");
    lines.push_back("          " + _("Label") + "： " + sheet->label + "                    " +
                    _("Used Quant") + "：" + std::to_string(sheet->count));
    lines.push_back("          " + _("Length") + "：" + FormatFixed(sheet->length, 2) +
                    "                   " + _("Width") + "：" + FormatFixed(sheet->width, 2));
    lines.push_back(Dashes(_("Parts")));
    std::string heading;
    for (const char* caption : {"Label", "Length", "Width", "Quant", "Rotatable"})
        heading += ColumnText(_(caption), kColumn);
    lines.push_back(heading);
    for (const LayoutPartRow& part : CountLayoutParts(*sheet)) {
        const TypedPart typed = LookUpTypedPart(partTable, part.label, false);
        lines.push_back(ColumnText(part.label, kColumn) + ColumnText(typed.length, kColumn) +
                        ColumnText(typed.width, kColumn) +
                        ColumnText(std::to_string(part.quantity), kColumn) +
                        ColumnText(typed.rotatable, kColumn));
    }
    lines.push_back(Dashes(_("Cut Options")));
    const Margins& m = result.settings.cut.margins;
    lines.push_back(_("Length Unit:") + result.settings.unit);
    lines.push_back(_("Blade Width:") + FormatFixed(result.settings.cut.bladeWidth, 2));
    lines.push_back(_("Top Margin:") + FormatFixed(m.top, 2) + "      " + _("Bottom Margin:") +
                    FormatFixed(m.bottom, 2) + "      " + _("Left Margin:") +
                    FormatFixed(m.left, 2) + "      " + _("Right Margin:") +
                    FormatFixed(m.right, 2));
    return lines;
}

void PrintLayoutPage(QPainter& painter, const QRect& page, const AppliedResult& result,
                     const CellTable& partTable, int layoutIndex, const LayoutDrawOptions& options) {
    const PlannedSheet* sheet = result.LayoutSheetOf(layoutIndex);
    if (!sheet) return;
    painter.save();
    painter.setFont(PrintFont(result.settings.print));
    painter.setPen(Qt::black);

    const QRect margins = page.adjusted(100, 50, -100, -100);
    const QString title = Q(result.settings.print.title);
    const QRect titleArea(QPoint(margins.left(), margins.top() + 5), margins.bottomRight());
    const QRect measured = painter.boundingRect(titleArea, Qt::TextSingleLine, title);
    const int titleBottom = measured.bottom();
    painter.drawText(
        QRect(QPoint(margins.left(), titleArea.top()), QPoint(margins.right(), titleBottom)),
        Qt::TextSingleLine | Qt::AlignHCenter | Qt::AlignTop, title);

    // Lines run past the right margin rather than wrap: one line, one row.
    const int left = margins.left() + 20;
    int top = titleBottom + 7;
    int bottom = top;
    for (const std::string& line :
         LayoutPrintLines(result, partTable, layoutIndex, ExportTimeStamp())) {
        const QRect row = painter.boundingRect(QRect(left, top, margins.right() - left, 1),
                                               Qt::TextSingleLine | Qt::TextDontClip, Q(line));
        painter.drawText(row, Qt::TextSingleLine | Qt::AlignLeft | Qt::AlignTop, Q(line));
        bottom = row.bottom();
        top = bottom + 5;
    }

    // The cut list stands at the foot of the page, in up to half of what the text
    // leaves; the drawing takes the rest, and a page without room gets none.
    CutListBlock cutList(result, *sheet);
    const int cutListHeight =
        cutList.Arrange(painter, margins.right() - left, (margins.bottom() - bottom) / 2);
    const int cutListTop = margins.bottom() - 20 - cutListHeight;
    cutList.Draw(painter, QPoint(left, cutListTop));
    const QRect drawing(QPoint(margins.left() + 20, bottom + 200),
                        QPoint(margins.right() - 20, cutListTop - 100));
    if (drawing.width() > 0 && drawing.height() > 0)
        DrawLayoutSheet(painter, result, *sheet, drawing, options);
    painter.restore();
}
