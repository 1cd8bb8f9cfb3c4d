// The main window on a screen with two device pixels per logical pixel (run with
// QT_SCALE_FACTOR=2): bitmaps become blocks of 2 x 2 identical device pixels, never blended,
// while text is drawn at the full device resolution.
#include "FakeDialogServices.h"
#include "MainWindow.h"
#include "ScriptedRandom.h"
#include "Surface.h"
#include "TestGraphics.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>

using namespace brixolan;
using namespace brixolan::fakes;

namespace {

constexpr int Ratio = 2;
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);
const QColor Corner(0, 255, 0);

/// One-pixel checks with a marked top-left corner: any smoothing blends neighbours, any
/// half-pixel shift moves the corner.
QImage checkerboard(QSize size) {
    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y, (x + y) % 2 ? Blue : Red);
    image.setPixelColor(0, 0, Corner);
    return image;
}

/// The device pixels of the grabbed surface under `cell` (logical, at `origin`) are the
/// source's pixels, each as a block of Ratio x Ratio.
bool cellIsSourceScaledByWholePixels(const QImage& grabbed, const QImage& source, QPoint origin,
                                     QString* where) {
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            for (int dy = 0; dy < Ratio; ++dy)
                for (int dx = 0; dx < Ratio; ++dx) {
                    const QPoint device((origin.x() + x) * Ratio + dx,
                                        (origin.y() + y) * Ratio + dy);
                    if (grabbed.pixelColor(device) != source.pixelColor(x, y)) {
                        *where = QStringLiteral("source pixel %1,%2: device pixel %3,%4 is %5")
                                     .arg(x)
                                     .arg(y)
                                     .arg(device.x())
                                     .arg(device.y())
                                     .arg(grabbed.pixelColor(device).name());
                        return false;
                    }
                }
    return true;
}

QImage grabbed(QWidget* widget) {
    return widget->grab().toImage();
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeDialogServices m_dialogs;
    ScriptedRandom m_random{{0.0}};
    FixedClock m_clock;
    std::unique_ptr<MainWindow> m_window;
    QImage m_stone = checkerboard(QSize(25, 25));
    QImage m_zero = checkerboard(QSize(25, 42));

    MainWindow& startUp() {
        m_window = std::make_unique<MainWindow>(ProgramFolder(m_dir->path()), m_dialogs, m_random,
                                                m_clock);
        if (m_window->formLoad(QSize(1024, 768)))
            m_window->show();
        return *m_window;
    }

private slots:
    void initTestCase() {
        // Without the scale the checks below would pass trivially at ratio 1.
        QCOMPARE(qApp->devicePixelRatio(), qreal(Ratio));
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        writeTestGraphics(m_dir->path());
        QVERIFY(m_stone.save(m_dir->path() + QStringLiteral("/Grafiken/SteinA.bmp"), "BMP"));
        QVERIFY(m_zero.save(m_dir->path() + QStringLiteral("/Grafiken/0.bmp"), "BMP"));
    }

    void cleanup() { m_window.reset(); }

    void wellTilesAreWholeDevicePixelBlocksOfTheBitmap() {
        startUp();
        QVERIFY(m_window->isVisible());
        // The layout stays in logical pixels; only the pixels behind it double.
        QCOMPARE(m_window->well()->size(), QSize(250, 500));
        m_window->drawWellTile(1, 0, 0);
        m_window->drawWellTile(1, 7, 4);
        m_window->drawWellTile(1, 19, 9);
        m_window->well()->refresh();

        const QImage well = grabbed(m_window->well());
        QCOMPARE(well.devicePixelRatio(), qreal(Ratio));
        QCOMPARE(well.size(), QSize(250, 500) * Ratio);
        QString where;
        for (const QPoint cell : {QPoint(0, 0), QPoint(4, 7), QPoint(9, 19)})
            QVERIFY2(cellIsSourceScaledByWholePixels(well, m_stone, cell * 25, &where),
                     qPrintable(where));
        // The neighbour of a tile is untouched: nothing bled across the cell border.
        QCOMPARE(well.pixelColor(25 * Ratio, 0), QColor(Qt::black));
        QCOMPARE(well.pixelColor(25 * Ratio - 1, 25 * Ratio), QColor(Qt::black));
    }

    void digitsAreWholeDevicePixelBlocksOfTheBitmap() {
        startUp();
        QWidget* points = m_window->surface(brixolan::Display::Points);
        QCOMPARE(points->size(), QSize(9 * 25, 42));
        const QImage shot = grabbed(points);
        QCOMPARE(shot.size(), QSize(9 * 25, 42) * Ratio);
        QString where;
        for (const int cell : {0, 4, 8})
            QVERIFY2(cellIsSourceScaledByWholePixels(shot, m_zero, QPoint(25 * cell, 0), &where),
                     qPrintable(where));
    }

    void wellTextIsDrawnAtDeviceResolution() {
        startUp(); // "Kein Spiel" in the middle of the well
        const QImage well = grabbed(m_window->well());
        // Text drawn at one pixel per logical pixel and enlarged comes out either as uniform
        // 2 x 2 blocks or, smoothed, with neighbours never more than half the contrast apart.
        int inked = 0;
        int finer = 0;
        for (int y = 0; y + 1 < well.height(); y += Ratio)
            for (int x = 0; x + 1 < well.width(); x += Ratio) {
                const std::array<QRgb, 4> block = {well.pixel(x, y), well.pixel(x + 1, y),
                                                   well.pixel(x, y + 1), well.pixel(x + 1, y + 1)};
                if (std::all_of(block.begin(), block.end(), [](QRgb p) { return qGray(p) == 0; }))
                    continue;
                ++inked;
                if (std::any_of(block.begin(), block.end(), [&](QRgb p) { return p != block[0]; }))
                    ++finer;
            }
        int sharpEdges = 0;
        for (int y = 0; y < well.height(); ++y)
            for (int x = 0; x + 1 < well.width(); ++x)
                if (std::abs(qGray(well.pixel(x, y)) - qGray(well.pixel(x + 1, y))) >= 192)
                    ++sharpEdges;
        const QByteArray counts = QStringLiteral("%1 inked blocks, %2 finer than a logical "
                                                 "pixel, %3 sharp edges")
                                      .arg(inked)
                                      .arg(finer)
                                      .arg(sharpEdges)
                                      .toUtf8();
        QVERIFY2(inked > 100, counts.constData());
        QVERIFY2(finer * 4 > inked, counts.constData());
        QVERIFY2(sharpEdges > 40, counts.constData());
    }
};

QTEST_MAIN(HiDpiTest)
#include "HiDpiTest.moc"
