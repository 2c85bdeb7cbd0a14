// The product's logo, painted rather than loaded so that it scales to any size.
#pragma once

#include <QPixmap>

QPixmap TarvexLogo(int size);
