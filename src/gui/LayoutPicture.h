// The picture of the selected layout: white, with the layout drawn over it by the
// painter the page hands in, at whatever size it is given. Every resize repaints
// it completely.
#pragma once

#include <QWidget>
#include <functional>

namespace tarvex {

class LayoutPicture : public QWidget {
    Q_OBJECT

  public:
    using Painter = std::function<void(QPainter&, const QRect&)>;

    explicit LayoutPicture(QWidget* parent = nullptr);

    // An empty painter leaves the picture white.
    void SetPainter(Painter painter);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Painter painter_;
};

}  // namespace tarvex
