#include "gui/Printing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

#include "gui/Dialogs.h"
#include "gui/Messages.h"
#include "gui/UiText.h"
#include "render/Fonts.h"
#include "render/LayoutPrint.h"
#include "text/Translate.h"

namespace tarvex {

bool Printing::BeginDocument(const std::string& title) {
    if (!dialogs_.ConfirmPrint(&window_, printer_)) return false;
    printer_.setPageOrientation(QPageLayout::Portrait);
    printer_.setDocName(Q(title));
    return true;
}

void Printing::PrintLayouts(const AppliedResult& result, const std::vector<int>& layouts,
                            const LayoutDrawOptions& options) {
    if (layouts.empty() || !BeginDocument(result.settings.print.title)) return;
    QPainter painter;
    if (!painter.begin(&printer_)) {
        messages_.GeneralError(_("The printer cannot print:") + " " + S(printer_.printerName()));
        return;
    }
    for (size_t i = 0; i < layouts.size(); ++i) {
        if (i > 0) printer_.newPage();
        PrintLayoutPage(painter, QRect(0, 0, printer_.width(), printer_.height()), result,
                        layouts[i], options, [this] { printer_.newPage(); });
    }
    painter.end();
}

void Printing::PrintReport(const std::vector<std::string>& lines, const std::string& title) {
    if (!BeginDocument(title)) return;
    QString text;
    for (const std::string& line : lines) text += Q(line) + QLatin1Char('\n');
    // A line broken in two loses its columns: the font shrinks until the widest
    // line fits the page (not below a size that stays readable).
    QFont font = FixedPitchFont();
    font.setPointSizeF(10);
    qreal widest = 0;
    const QFontMetricsF metrics(font, &printer_);
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const qreal widestPoints = widest * 72.0 / printer_.resolution();
    // QTextDocument prints inside margins of 2 cm on each side.
    constexpr qreal kDocumentMargins = 2 * 2.0 / 2.54 * 72.0;
    const qreal available =
        printer_.pageLayout().paintRect(QPageLayout::Point).width() - kDocumentMargins - 12;
    if (widestPoints > available)
        font.setPointSizeF(std::max(5.0, font.pointSizeF() * available / widestPoints));
    QTextDocument document;
    document.setDefaultFont(font);
    QTextOption noWrap = document.defaultTextOption();
    noWrap.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(noWrap);
    document.setPlainText(text);
    document.print(&printer_);
}

}  // namespace tarvex
