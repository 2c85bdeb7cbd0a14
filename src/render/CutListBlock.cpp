#include "render/CutListBlock.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "text/Translate.h"

namespace tarvex {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

constexpr int kCells = 5;

QStringList Cells(const CutListRow& row) {
    return {Q(row.number), Q(row.direction), Q(row.position), Q(row.length), Q(row.count)};
}

}  // namespace

CutListBlock::CutListBlock(const AppliedResult& result, const PlannedSheet& sheet) {
    const bool sawn = result.settings.cut.guillotine;
    head_ << Q("------------" + (sawn ? _("Saw cuts") : _("CNC tool path")) + "-----------");
    head_ << Q(
        _("Per sheet:") + " " +
        CutFiguresText(SheetCutFigures(result, sheet), LengthFormatOf(result.settings.unit)));
    const std::vector<CutListGroup> groups = CutListGroups(result, sheet);
    if (groups.empty()) return;
    head_ << Q(CutPositionsNote());
    rows_.push_back(Cells(CutListHeadings()));
    for (const CutListGroup& group : groups) {
        // A group's heading is a row of one cell across the column.
        rows_.push_back({Q(group.heading)});
        for (const CutListRow& row : group.rows) rows_.push_back(Cells(row));
    }
}

int CutListBlock::HeightAt(const QFont& font, const QPaintDevice* device, int width) {
    const QFontMetricsF metrics(font, device);
    lineHeight_ = static_cast<int>(std::ceil(metrics.height()));
    const qreal gap = metrics.horizontalAdvance(QStringLiteral("MM"));
    cellWidths_.assign(kCells, 0);
    qreal headingWidth = 0;
    for (const QStringList& row : rows_) {
        if (row.size() == 1)
            headingWidth = std::max(headingWidth, metrics.horizontalAdvance(row[0]));
        else
            for (int c = 0; c < kCells; ++c)
                cellWidths_[c] = std::max(cellWidths_[c], metrics.horizontalAdvance(row[c]) + gap);
    }
    qreal rowWidth = 0;
    for (qreal w : cellWidths_) rowWidth += w;
    rowWidth = std::max(rowWidth, headingWidth);
    columnWidth_ = static_cast<int>(std::ceil(rowWidth + gap));
    const int headHeight = lineHeight_ * static_cast<int>(head_.size());
    if (rows_.size() < 2) {
        rowsPerColumn_ = 0;
        return headHeight;
    }
    // Every column repeats the headings above its cuts; a group's heading never
    // ends a column, it goes on with its cuts.
    const int columns = std::max(1, width / std::max(1, columnWidth_));
    const int cuts = static_cast<int>(rows_.size()) - 1;
    for (rowsPerColumn_ = (cuts + columns - 1) / columns;; ++rowsPerColumn_) {
        columnStarts_.clear();
        for (int first = 0; first < cuts;) {
            columnStarts_.push_back(first);
            int end = std::min(cuts, first + rowsPerColumn_);
            if (end < cuts && end - first > 1 && rows_[end].size() == 1) --end;
            first = end;
        }
        if (static_cast<int>(columnStarts_.size()) <= columns || rowsPerColumn_ >= cuts) break;
    }
    return headHeight + lineHeight_ * (rowsPerColumn_ + 1);
}

int CutListBlock::Arrange(const QPainter& painter, int width, int maxHeight, bool mayShrink) {
    const QFont base = painter.font();
    font_ = base;
    int height = HeightAt(font_, painter.device(), width);
    for (qreal share = 0.9; mayShrink && height > maxHeight && share >= 0.6 - 1e-9; share -= 0.1) {
        font_ = base;
        if (base.pointSizeF() > 0)
            font_.setPointSizeF(base.pointSizeF() * share);
        else
            font_.setPixelSize(std::max(1, static_cast<int>(base.pixelSize() * share)));
        height = HeightAt(font_, painter.device(), width);
    }
    return height;
}

void CutListBlock::Draw(QPainter& painter, const QPoint& topLeft) const {
    painter.save();
    painter.setFont(font_);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font_, painter.device());
    const auto line = [&](qreal x, int row, const QString& text) {
        painter.drawText(QPointF(x, topLeft.y() + row * lineHeight_ + metrics.ascent()), text);
    };
    int row = 0;
    for (const QString& text : head_) line(topLeft.x(), row++, text);
    const int cuts = static_cast<int>(rows_.size()) - 1;
    for (size_t column = 0; rowsPerColumn_ > 0 && column < columnStarts_.size(); ++column) {
        const int first = columnStarts_[column];
        const int end = column + 1 < columnStarts_.size() ? columnStarts_[column + 1] : cuts;
        const qreal left = topLeft.x() + static_cast<int>(column) * columnWidth_;
        const auto cells = [&](const QStringList& texts, int at) {
            qreal x = left;
            for (int c = 0; c < texts.size(); ++c) {
                line(x, at, texts[c]);
                x += cellWidths_[c];
            }
        };
        cells(rows_[0], row);
        for (int k = first; k < end; ++k) cells(rows_[k + 1], row + 1 + k - first);
    }
    painter.restore();
}

}  // namespace tarvex
