// The cut list of a layout as a block of a printed or PDF page: a heading, what
// cutting one sheet costs, and the table of the saw cuts, group by group, in as
// many columns side by side as the page's width takes, set smaller where it would
// not fit.
#pragma once

#include <QFont>
#include <QPainter>
#include <QStringList>
#include <vector>

#include "job/AppliedResult.h"
#include "render/CutList.h"

namespace tarvex {

class CutListBlock {
  public:
    CutListBlock(const AppliedResult& result, const PlannedSheet& sheet);

    // Arranges the block in the painter's font for the width, and where it may
    // shrink, in a smaller font (to no less than 60 %) while it is higher than
    // `maxHeight`; its height.
    int Arrange(const QPainter& painter, int width, int maxHeight, bool mayShrink);
    void Draw(QPainter& painter, const QPoint& topLeft) const;

  private:
    int HeightAt(const QFont& font, const QPaintDevice* device, int width);

    QStringList head_;               // lines above the table
    std::vector<QStringList> rows_;  // headings first, then per group its heading and cuts
    QFont font_;
    std::vector<qreal> cellWidths_;  // of the five cells of a row
    std::vector<int> columnStarts_;  // the first row (after the headings) of each column
    int lineHeight_ = 0, rowsPerColumn_ = 0, columnWidth_ = 0;
};

}  // namespace tarvex
