// The main window's drawing: everything the player sees is copied cell by cell from the
// pre-loaded bitmaps of the resource store; nothing is loaded or scaled while a game runs.
#include "MainWindow.h"

#include "Fonts.h"
#include "Stones.h"
#include "Surface.h"

namespace brixolan {

namespace {

constexpr QSize StoneCell(25, 25);
constexpr QSize DigitCell(25, 42);

QSize sizeOf(const QImage* image) { return image ? image->size() : QSize(0, 0); }

} // namespace

Surface* MainWindow::surface(Display display) const {
    switch (display) {
    case Display::Points:
        return m_points;
    case Display::Level:
        return m_level;
    case Display::Lines:
        return m_lines;
    case Display::High:
        return m_high;
    }
    return nullptr;
}

void MainWindow::draw(const QString& text, Display display, int cells) {
    Surface* target = surface(display);
    QString padded = QString(std::max(0, cells - int(text.size())), QLatin1Char('0')) + text;
    target->clear();
    for (int cell = 0; cell < cells && cell < padded.size(); ++cell) {
        const QChar digit = padded.at(cell);
        // Only digits have a bitmap; anything else leaves its cell empty.
        if (digit < QLatin1Char('0') || digit > QLatin1Char('9'))
            continue;
        if (const QImage* source = m_resources.resHdc(DigitElement(digit.digitValue())))
            target->copyCell(*source, DigitCell, QPoint(DigitCell.width() * cell, 0));
    }
    target->refresh();
}

void MainWindow::drawTextInMiddle(const QString& text) {
    m_well->drawCentredText(text, comicFont(20), Qt::white);
    m_well->refresh();
    m_shownTilesValid = false;
}

void MainWindow::drawStein(int number) {
    const QSize tile = sizeOf(m_resources.resHdc(1));
    const QSize size(4 * tile.width(), 2 * tile.height());
    if (m_preview->surfaceSize() != size && !size.isEmpty())
        m_preview->setSurfaceSize(size);
    if (number >= 0 && number < KindCount) {
        const StoneKind& kind = StoneKinds[std::size_t(number)];
        if (const QImage* source = m_resources.resHdc(kind.code)) {
            for (const Cell& cell : kind.preview)
                m_preview->copyCell(*source, StoneCell,
                                    QPoint(StoneCell.width() * cell.column,
                                           StoneCell.height() * cell.row));
        }
    }
    m_preview->refresh();
}

void MainWindow::aktualizeSchrift() {
    const QSize digit = sizeOf(m_resources.resHdc(DigitElement(0)));
    const int height = std::max(1, digit.height());
    const std::array<std::pair<Display, int>, 4> displays = {
        {{Display::Points, 9}, {Display::Level, 2}, {Display::Lines, 3}, {Display::High, 1}}};
    for (const auto& [display, cells] : displays) {
        surface(display)->setSurfaceSize(QSize(std::max(1, cells * digit.width()), height));
        draw(QString(), display, cells);
    }
}

// --- GameView: drawing --------------------------------------------------------------------

void MainWindow::clearWell() {
    m_well->clear();
    m_tiles.clear();
    refreshWellOutsideTick();
}

void MainWindow::fillWellBlack() {
    m_well->fill(QRect(QPoint(0, 0), m_well->surfaceSize()), Qt::black);
    m_tiles.clear();
    refreshWellOutsideTick();
}

void MainWindow::drawWellTile(int code, int row, int column) {
    // A missing bitmap is no failure: that cell stays black.
    if (const QImage* source = m_resources.resHdc(code))
        m_well->copyCell(*source, StoneCell,
                         QPoint(StoneCell.width() * column, StoneCell.height() * row));
    m_tiles.push_back({code, row, column});
    refreshWellOutsideTick();
}

void MainWindow::drawTextInMiddle(const std::string& text) {
    drawTextInMiddle(QString::fromStdString(text));
}

void MainWindow::drawNumber(Display display, const std::string& digits, int cells) {
    draw(QString::fromStdString(digits), display, cells);
}

void MainWindow::clearPreview() {
    m_preview->clear();
    m_preview->refresh();
}

void MainWindow::drawPreview(int kind) { drawStein(kind); }

} // namespace brixolan
