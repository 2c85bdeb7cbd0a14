// The zoom of the layout picture through the real window: the wheel, the keys and
// the buttons, the point under the mouse kept in place, and lines as thin at every
// zoom because the picture is painted again rather than enlarged.
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

#include "UiWait.h"
#include "WindowFixture.h"
#include "gui/EntryTableView.h"
#include "gui/LayoutPicture.h"
#include "gui/ZoomedPicture.h"

using namespace tarvex;

namespace {

class LayoutZoom : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Open();
        Find<EntryTableView>("sgSheet")->Model().Edit([](CellTable& t) {
            const std::vector<std::string> row = {"Birch", "2440", "1220", "2", "10", "Yes"};
            for (int c = 0; c < 6; ++c) t.SetCell(2, c, row[c]);
        });
        Find<EntryTableView>("sgPart")->Model().Edit([](CellTable& t) {
            const std::vector<std::vector<std::string>> rows = {{"Door", "720", "400", "4", "Yes"},
                                                                {"Side", "560", "300", "3", "No"}};
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 5; ++c) t.SetCell(2 + r, c, rows[r][c]);
        });
        Find<QSlider>("tbFast")->setValue(1);
        Find<QPushButton>("btnCalc")->click();
        ASSERT_TRUE(WaitUntil([&] { return !dialogs.messages.empty(); }));
        Find<QTabWidget>("pgcpg1")->setCurrentIndex(MainWindow::kLayoutsPage);
        QCoreApplication::processEvents();
        zoom = Find<ZoomedPicture>("scrLayout");
        picture = Find<LayoutPicture>("imgLayout");
    }

    // The first line inside the sheet met along a row through the parts (the sheet
    // is drawn from the picture's top left corner): where it starts and how many
    // pixels thick it is.
    std::pair<int, int> FirstInnerLine() const {
        const QImage image = picture->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const int y = image.height() * 3 / 10;
        const QRgb white = qRgb(255, 255, 255);
        int x = 0;
        while (x < image.width() && image.pixel(x, y) != white) ++x;  // the sheet's edge
        while (x < image.width() && image.pixel(x, y) == white) ++x;
        const QRgb line = x < image.width() ? image.pixel(x, y) : white;
        int thick = 0;
        while (x + thick < image.width() && image.pixel(x + thick, y) == line) ++thick;
        return {x, thick};
    }

    void Wheel(QPoint at, int notches) {
        const QPoint global = zoom->viewport()->mapToGlobal(at);
        QWheelEvent wheel(QPointF(at), QPointF(global), QPoint(), QPoint(0, 120 * notches),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(zoom->viewport(), &wheel);
    }

    ZoomedPicture* zoom = nullptr;
    LayoutPicture* picture = nullptr;
};

}  // namespace

TEST_F(LayoutZoom, TheWheelZoomsAroundThePointUnderTheMouse) {
    EXPECT_EQ(picture->size(), zoom->viewport()->size());
    const QPoint at(zoom->viewport()->width() / 3, zoom->viewport()->height() / 4);
    const QPointF before(double(at.x()) / picture->width(), double(at.y()) / picture->height());
    Wheel(at, 3);
    EXPECT_NEAR(zoom->Zoom(), std::pow(ZoomedPicture::kStep, 3), 1e-9);
    EXPECT_NEAR(picture->width(), zoom->viewport()->width() * zoom->Zoom(), 1.0);
    // The same point of the picture is still under the mouse.
    const QPoint now = picture->mapFrom(zoom->viewport(), at);
    EXPECT_NEAR(double(now.x()) / picture->width(), before.x(), 2.0 / picture->width());
    EXPECT_NEAR(double(now.y()) / picture->height(), before.y(), 2.0 / picture->height());
    Wheel(at, -1);
    EXPECT_NEAR(zoom->Zoom(), std::pow(ZoomedPicture::kStep, 2), 1e-9);
    Wheel(at, 40);
    EXPECT_EQ(zoom->Zoom(), ZoomedPicture::kMost);
    Wheel(at, -80);
    EXPECT_EQ(zoom->Zoom(), 1.0);
    EXPECT_EQ(picture->size(), zoom->viewport()->size());
}

TEST_F(LayoutZoom, ButtonsAndKeysZoomAndFitShowsTheWholeSheet) {
    Find<QToolButton>("btnZoomIn")->click();
    Find<QToolButton>("btnZoomIn")->click();
    EXPECT_NEAR(zoom->Zoom(), ZoomedPicture::kStep * ZoomedPicture::kStep, 1e-9);
    Find<QToolButton>("btnZoomOut")->click();
    EXPECT_NEAR(zoom->Zoom(), ZoomedPicture::kStep, 1e-9);
    zoom->setFocus();
    QTest::keyClick(zoom, Qt::Key_Plus);
    QTest::keyClick(zoom, Qt::Key_Plus);
    EXPECT_NEAR(zoom->Zoom(), std::pow(ZoomedPicture::kStep, 3), 1e-9);
    EXPECT_GT(zoom->horizontalScrollBar()->maximum(), 0);  // the picture can be moved
    QTest::keyClick(zoom, Qt::Key_Minus);
    EXPECT_NEAR(zoom->Zoom(), ZoomedPicture::kStep * ZoomedPicture::kStep, 1e-9);
    Find<QToolButton>("btnZoomFit")->click();
    EXPECT_EQ(zoom->Zoom(), 1.0);
    EXPECT_EQ(picture->size(), zoom->viewport()->size());
}

TEST_F(LayoutZoom, ThePictureIsPaintedAgainSharpAtEveryZoom) {
    const auto [x1, thick1] = FirstInnerLine();
    ASSERT_GT(thick1, 0);
    ASSERT_GT(x1, 10);
    for (int i = 0; i < 6; ++i) zoom->ZoomIn();  // about four times
    const auto [x4, thick4] = FirstInnerLine();
    ASSERT_GT(thick4, 0);
    // The parts are drawn larger; their edges stay thin lines.
    EXPECT_NEAR(x4, x1 * zoom->Zoom(), 0.05 * x1 * zoom->Zoom());  // a border of fixed width
    EXPECT_LE(thick4, thick1 + 1);

    const QString shots = qEnvironmentVariable("TARVEX_SCREENSHOTS");
    if (!shots.isEmpty()) {
        Find<QCheckBox>("chkEdge")->setChecked(true);
        zoom->Fit();
        const QPoint door(zoom->viewport()->width() / 5, zoom->viewport()->height() / 4);
        Wheel(door, 4);
        QCoreApplication::processEvents();
        window->grab().save(QDir(shots).filePath(QStringLiteral("zoomed.png")));
    }
}
