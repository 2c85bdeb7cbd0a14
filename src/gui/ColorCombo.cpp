#include "gui/ColorCombo.h"

#include <QPainter>
#include <QPixmap>

namespace tarvex {

ColorCombo::ColorCombo(QWidget* parent) : QComboBox(parent) {
    setIconSize(QSize(28, 12));
    setMaxVisibleItems(16);
}

void ColorCombo::SetColors(const std::vector<NamedColor>& colors) {
    const int selected = currentIndex();
    clear();
    for (const NamedColor& entry : colors) {
        QPixmap swatch(iconSize());
        swatch.fill(entry.color);
        QPainter painter(&swatch);
        painter.setPen(Qt::black);
        painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
        painter.end();
        addItem(QIcon(swatch), entry.name, entry.color);
    }
    setCurrentIndex(selected < count() ? selected : -1);
}

}  // namespace tarvex
