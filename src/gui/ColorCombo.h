// A drop-down list of colours, each shown as a swatch and its name; a colour is
// identified by its position in the list.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QString>
#include <vector>

namespace tarvex {

struct NamedColor {
    QString name;
    QColor color;
};

class ColorCombo : public QComboBox {
    Q_OBJECT

  public:
    explicit ColorCombo(QWidget* parent = nullptr);

    // Refills the list and selects the same position again.
    void SetColors(const std::vector<NamedColor>& colors);
};

}  // namespace tarvex
