// The product's logo, painted rather than loaded so that it scales to any size.
#pragma once

#include <QPixmap>

namespace tarvex {

QPixmap TarvexLogo(int size);

}  // namespace tarvex
