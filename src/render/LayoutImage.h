// A layout drawn into an image of a chosen size, the way the tests look at the
// drawing: no program shows a layout this way.
#pragma once

#include <QImage>
#include <QSize>

#include "job/AppliedResult.h"
#include "render/LayoutDrawing.h"

namespace tarvex {

// A white image of the given size with the layout drawn into it (left white when
// the result has no such layout).
QImage RenderLayoutPicture(const AppliedResult& result, int layoutIndex, const QSize& size,
                           const LayoutDrawOptions& options);

}  // namespace tarvex
