#include "export/HtmlExport.h"

#include <QString>
#include <QUrl>
#include <filesystem>

#include "render/LayoutDrawing.h"
#include "render/LayoutPage.h"
#include "text/LengthText.h"
#include "text/Translate.h"

namespace tarvex {

namespace {

std::string Escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

// A heading taken from the catalog, escaped like any other text.
std::string T(const char* msgid) {
    return Escaped(_(msgid));
}

// The file name as a relative address: spaces, "#", "%" and other characters
// that mean something in an address are percent-encoded.
std::string PictureUrl(const std::string& fileName) {
    return QUrl::toPercentEncoding(QString::fromStdString(fileName)).toStdString();
}

std::string Cell(const std::string& text) {
    return "<td align=\"center\">" + Escaped(text) + "</td>\n";
}

std::string SheetRow(const char* heading, const std::string& value) {
    return "<th scope=\"row\" width=\"50%\">" + T(heading) + "</th>\n" + Cell(value) + "</tr>\n";
}

std::string PartItem(const AppliedResult& result, const LayoutPartRow& row) {
    const PartTexts typed = TypedTextsOf(result, row);
    return "<tr>\n" + Cell(row.label) + Cell(typed.length) + Cell(typed.width) +
           Cell(typed.rotatable) + Cell(std::to_string(row.quantity)) + "</tr>\n";
}

}  // namespace

std::string LayoutPicturePath(const std::string& pagePath) {
    std::filesystem::path picture(pagePath);
    picture.replace_extension(".bmp");
    // A page that is itself named .bmp keeps its name; the picture adds one more.
    return picture == std::filesystem::path(pagePath) ? pagePath + ".bmp" : picture.string();
}

std::vector<std::string> BuildHtmlItems(const ExportSource& source, int layoutIndex,
                                        const std::string& pictureName) {
    if (!source.result.LayoutSheetOf(layoutIndex)) return {};
    const LayoutPage page = MakeLayoutPage(source.result, layoutIndex);
    const LayoutCaptions& c = page.captions;
    const std::string unit = Escaped(UnitName(source.result.settings.unit));

    std::vector<std::string> items;
    items.push_back(
        "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" "
        "/>\n<title>" +
        T("Sheet Cutting Layouts") + "</title>\n");
    items.push_back(
        "</head>\n<body>\n<table width=\"80%\" border=\"1\" align=\"center\">\n<tr>\n<th "
        "scope=\"col\">" +
        T("Part Sets(Unit:") + unit + ")</th>\n</tr>\n");
    items.push_back("<tr>\n<td><table width=\"100%\" border=\"1\">\n<tr>\n<th scope=\"col\">" +
                    T("Label") + "</th>\n<th scope=\"col\">" + T("Length") +
                    "</th>\n<th scope=\"col\">" + T("Width") + "</th>\n<th scope=\"col\">" +
                    T("Rotatable") + "</th>\n<th scope=\"col\">" + T("Qty") + "</th>\n</tr>\n");
    for (const LayoutPartRow& row : page.partRows)
        if (!row.label.empty()) items.push_back(PartItem(source.result, row));
    items.push_back("</table>\n</td>\n</tr>\n<tr>\n<th scope=\"col\">" + T("Sheet Sets(Unit:") +
                    unit + ")</th>\n</tr>\n<tr>\n<td><table width=\"100%\" border=\"1\">\n<tr>\n");
    items.push_back(SheetRow("Label", c.sheetLabel));
    items.push_back("<tr>\n" + SheetRow("Qty", c.sheetCount));
    items.push_back("<tr>\n" + SheetRow("Length", c.sheetLength));
    items.push_back("<tr>\n" + SheetRow("Width", c.sheetWidth));
    items.push_back("<tr>\n" + SheetRow("Sheet Area", c.sheetArea));
    items.push_back("<tr>\n" + SheetRow("Scrap Area", c.scrapArea));
    items.push_back("<tr>\n" + SheetRow("Ratio", c.ratio));
    items.push_back("<tr>\n" + SheetRow("Total of parts", c.partCount) + "</table></td>\n</tr>\n");
    items.push_back("<tr>\n<th scope=\"col\">" + T("Sheet Cutting Layouts") +
                    "</th>\n</tr>\n<tr>\n<td align=\"center\">\n<img src=\"" +
                    PictureUrl(pictureName) +
                    "\" align=\"middle\" />\n</td>\n</tr>\n</table>\n</body>\n</html>\n");
    return items;
}

ExportOutcome ExportHtml(const ExportSource& source, int layoutIndex, const std::string& path) {
    if (!source.result.LayoutSheetOf(layoutIndex)) return NoSuchLayout(layoutIndex);
    const std::string picture = LayoutPicturePath(path);
    std::string error;
    if (!SaveLayoutBitmap(source.result, layoutIndex, picture, DrawOptionsOf(source.choices),
                          error))
        return ExportFailed(error);
    const std::string pictureName = std::filesystem::path(picture).filename().string();
    return WriteExportItems(path, BuildHtmlItems(source, layoutIndex, pictureName));
}

}  // namespace tarvex
