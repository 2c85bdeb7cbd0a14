// The layout picture at any magnification: the mouse wheel, the + and - keys and
// buttons zoom in and out around the point looked at, Fit shows the whole sheet
// again. The picture is painted anew at every zoom, so lines and texts stay sharp.
#pragma once

#include <QScrollArea>

namespace tarvex {

class LayoutPicture;

class ZoomedPicture : public QScrollArea {
    Q_OBJECT

  public:
    static constexpr double kStep = 1.25;
    static constexpr double kMost = 16.0;

    explicit ZoomedPicture(LayoutPicture* picture, QWidget* parent = nullptr);

    // 1 shows the whole picture in the view.
    double Zoom() const { return zoom_; }
    LayoutPicture& Picture() const { return *picture_; }

    void ZoomIn();
    void ZoomOut();
    void Fit();

  Q_SIGNALS:
    void zoomChanged(double zoom);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Zooms to `zoom`, keeping the picture's point under `anchor` (a point of the
    // view) where it is.
    void ZoomTo(double zoom, QPoint anchor);
    void FitPictureSize();

    LayoutPicture* picture_;
    double zoom_ = 1.0;
};

}  // namespace tarvex
