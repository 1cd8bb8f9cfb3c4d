// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's drawing: everything the player sees is copied cell by cell from the pre-loaded
// bitmaps of the resource store; nothing is loaded while a game runs, and on a screen too small
// for the bitmaps the surfaces scale each tile once and keep it.
#include "GameScreen.h"

#include "Fonts.h"
#include "Geometry.h"
#include "Stones.h"
#include "Surface.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

namespace brixolan {

namespace {

// The screen as designed, in pixels.
constexpr QSize DesignClientSize(510, 515);
constexpr QPoint WellPosition(8, 8);
constexpr int WellBorder = 2; // the sunken frame around the well
constexpr int DesignWellRight = 262;
constexpr int StoneCellSide = 25;

constexpr QSize StoneCell(25, 25);
constexpr QSize DigitCell(25, 42);

struct Caption {
    const char* name;
    const char* text;
    QRect box; // as designed
};

// The captions of the right column; the boxes are what the design gives each text.
constexpr std::array<Caption, 5> Captions = {{
    {"Label3", "Punkte :", {280, 24, 169, 41}},
    {"Label4", "Level :", {280, 128, 105, 49}},
    {"Label6", "High :", {400, 128, 97, 41}},
    {"Label5", "Lines :", {280, 240, 193, 41}},
    {"Label2", "Nächster Stein :", {280, 360, 225, 41}},
}};

struct DisplayCells {
    Display display;
    int cells;
};
constexpr std::array<DisplayCells, 4> DisplayWidths = {
    {{Display::Points, 9}, {Display::Level, 2}, {Display::Lines, 3}, {Display::High, 1}}};

int cellsOf(Display display) {
    for (const DisplayCells& width : DisplayWidths)
        if (width.display == display)
            return width.cells;
    return 1;
}

QRect stoneCell(int row, int column) {
    return {QPoint(StoneCell.width() * column, StoneCell.height() * row), StoneCell};
}

/// Without a size the surface gets one when laid out, from the bitmaps; an image of the
/// designed size made before would only be thrown away.
Surface* makeSurface(QWidget* parent, const char* name, QPoint at, QSize size = QSize()) {
    auto* surface = new Surface(parent);
    surface->setObjectName(QString::fromLatin1(name));
    surface->setBackground(Qt::black);
    surface->move(at);
    if (size.isValid())
        surface->setSurfaceSize(size);
    return surface;
}

} // namespace

GameScreen::GameScreen(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Client"));
}

void GameScreen::build() {
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    m_rightColumn = new QWidget(this);
    m_rightColumn->setObjectName(QStringLiteral("RightColumn"));
    m_rightColumn->setFixedSize(DesignClientSize);
    QWidget* column = m_rightColumn;

    auto* backdrop = new QLabel(column);
    backdrop->setObjectName(QStringLiteral("Label1"));
    backdrop->setGeometry(264, 8, 238, 500); // the design ran 3 px past the window
    backdrop->setStyleSheet(
        QStringLiteral("background: #000000; border: 1px solid #0a3d0a; border-radius: 4px;"));

    m_wellFrame = new QWidget(this);
    m_wellFrame->setObjectName(QStringLiteral("WellFrame"));
    m_wellFrame->setStyleSheet(QStringLiteral(
        "#WellFrame { background: #000000; border: 2px solid; border-color: #3a3a3a #9a9a9a "
        "#9a9a9a #3a3a3a; }"));
    m_well = makeSurface(m_wellFrame, "Picture1", QPoint(WellBorder, WellBorder)); // 10 x 20 stones
    m_well->setFocusPolicy(Qt::StrongFocus);

    for (const Caption& caption : Captions) {
        const QString text = QString::fromUtf8(caption.text);
        auto* label = new QLabel(text, column);
        label->setObjectName(QString::fromLatin1(caption.name));
        label->setFont(condensedToFit(captionFont(24), text, caption.box.width()));
        label->setStyleSheet(QStringLiteral("color: #00ff00; background: transparent;"));
        label->setGeometry(caption.box);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // The number displays are as wide as their digits.
    m_points = makeSurface(column, "Picture2", QPoint(272, 72));
    m_level = makeSurface(column, "Picture3", QPoint(272, 176));
    m_high = makeSurface(column, "Picture6", QPoint(392, 176));
    m_lines = makeSurface(column, "Picture5", QPoint(272, 296));
    m_preview = makeSurface(column, "Picture4", QPoint(296, 408), QSize(185, 81));
}

std::optional<GraphicsFile> GameScreen::loadBitmaps(const ProgramFolder& folder) {
    std::optional<GraphicsFile> missing = m_resources.loadAll(folder);
    redrawAll();
    return missing;
}

void GameScreen::redrawAll() {
    // The cells kept as shown were drawn from the bitmaps before: all are drawn again.
    const std::optional<Well> shown = std::exchange(m_shownWell, std::nullopt);
    if (!m_well || m_well->surfaceSize().isEmpty())
        return; // not laid out yet: nothing is shown
    const QImage* zero = m_resources.resHdc(digitElement(0));
    const QSize digit = zero ? zero->size() : QSize(1, 1);
    for (const auto& [which, cells] : DisplayWidths) {
        display(which)->setSurfaceSize(QSize(cells * digit.width(), digit.height()));
        drawNumber(which);
    }
    drawPreview();
    if (shown)
        drawWell(*shown);
}

QSize GameScreen::layOut(QSize available) {
    const QSize tile = m_resources.resHdc(1) ? m_resources.resHdc(1)->size() : StoneCell;
    m_well->setSurfaceSize(QSize(WellColumns * tile.width(), WellRows * tile.height()));
    // The layout as the bitmaps make it: a well from larger stone bitmaps moves the right column
    // over rather than covering it.
    const QSize frame = m_well->surfaceSize() + QSize(2 * WellBorder, 2 * WellBorder);
    const int shift = std::max(0, WellPosition.x() + frame.width() - DesignWellRight);
    const QSize natural(DesignClientSize.width() + shift,
                        std::max(DesignClientSize.height(), WellPosition.y() + frame.height() + 4));

    // Where that does not fit, all of it is shown smaller, in proportion. Runs once, at
    // start-up: the positions scaled below are still the designed ones.
    const qreal scale = fittingScale(natural, available, StoneCellSide);
    const auto scaled = [scale](int value) { return int(std::lround(value * scale)); };
    const auto scaledRect = [&scaled](QRect box) {
        return QRect(scaled(box.x()), scaled(box.y()), scaled(box.width()), scaled(box.height()));
    };

    m_well->setDisplayScale(scale);
    m_wellFrame->setGeometry(QRect(QPoint(scaled(WellPosition.x()), scaled(WellPosition.y())),
                                   m_well->size() + QSize(2 * WellBorder, 2 * WellBorder)));
    if (scale != 1.0) {
        m_rightColumn->setFixedSize(scaledRect(QRect(QPoint(), DesignClientSize)).size());
        for (const Caption& caption : Captions) {
            auto* label = m_rightColumn->findChild<QLabel*>(QString::fromLatin1(caption.name));
            label->setGeometry(scaledRect(caption.box));
            label->setFont(condensedToFit(captionFont(24 * scale), label->text(), label->width()));
        }
        auto* backdrop = m_rightColumn->findChild<QLabel*>(QStringLiteral("Label1"));
        backdrop->setGeometry(scaledRect(backdrop->geometry()));
        for (Surface* surface : {m_points, m_level, m_high, m_lines, m_preview}) {
            surface->move(scaled(surface->x()), scaled(surface->y()));
            surface->setDisplayScale(scale);
        }
    }
    m_rightColumn->move(scaled(shift), 0);
    setFixedSize(scaledRect(QRect(QPoint(), natural)).size());
    // The displays take the size of their digits.
    redrawAll();
    return size();
}

Surface* GameScreen::display(Display which) const {
    switch (which) {
    case Display::Points:
        return m_points;
    case Display::Level:
        return m_level;
    case Display::Lines:
        return m_lines;
    case Display::High:
        return m_high;
    }
    return m_points;
}

void GameScreen::drawNumber(Display which) {
    Surface* surface = display(which);
    const int cells = cellsOf(which);
    const QString digits = QString::number(m_numbers[std::size_t(which)]);
    // Zero-padded to the cells; a longer number shows its leading digits.
    const QString padded =
        QString(std::max(0, cells - int(digits.size())), QLatin1Char('0')) + digits;
    surface->clear();
    for (int cell = 0; cell < cells; ++cell) {
        if (const QImage* source = m_resources.resHdc(digitElement(padded.at(cell).digitValue())))
            surface->copyCell(*source, DigitCell, QPoint(DigitCell.width() * cell, 0));
    }
    surface->update();
}

void GameScreen::drawPreview() {
    m_preview->clear();
    const int kind = m_previewKind.value_or(-1);
    if (kind >= 0 && kind < KindCount) {
        const StoneKind& stone = StoneKinds[std::size_t(kind)];
        if (const QImage* source = m_resources.resHdc(stone.code)) {
            for (const Cell& cell : stone.preview)
                m_preview->copyCell(*source, StoneCell, stoneCell(cell.row, cell.column).topLeft());
        }
    }
    m_preview->update();
}

void GameScreen::drawWell(const Well& picture) {
    if (!m_shownWell) {
        m_well->fill(QRect(QPoint(0, 0), m_well->surfaceSize()), Qt::black);
        m_well->update();
    }
    // Only the cells that differ from the screen are drawn and put on it: most ticks move
    // nothing.
    for (int row = 0; row < WellRows; ++row) {
        for (int column = 0; column < WellColumns; ++column) {
            const std::int32_t code = picture[std::size_t(row)][std::size_t(column)];
            if (m_shownWell && (*m_shownWell)[std::size_t(row)][std::size_t(column)] == code)
                continue;
            const QRect cell = stoneCell(row, column);
            m_well->fill(cell, Qt::black);
            // A missing bitmap is no failure: that cell stays black.
            if (const QImage* source = m_resources.resHdc(code))
                m_well->copyCell(*source, StoneCell, cell.topLeft());
            m_well->refresh(cell);
        }
    }
    m_shownWell = picture;
}

// --- GameView ------------------------------------------------------------------------------

void GameScreen::showWell(const Well& picture) {
    if (m_well->image().isNull()) {
        emit drawingFailed();
        return;
    }
    drawWell(picture);
}

void GameScreen::showText(std::string_view text) {
    if (m_well->image().isNull()) {
        emit drawingFailed();
        return;
    }
    m_well->fill(QRect(QPoint(0, 0), m_well->surfaceSize()), Qt::black);
    m_well->drawCentredText(QString::fromUtf8(text.data(), qsizetype(text.size())), comicFont(20),
                            Qt::white);
    m_well->update();
    m_shownWell.reset();
}

void GameScreen::showNumber(Display which, std::int64_t value) {
    m_numbers[std::size_t(which)] = value;
    drawNumber(which);
}

void GameScreen::showPreview(std::optional<int> kind) {
    m_previewKind = kind;
    drawPreview();
}

void GameScreen::gameOver() {
    emit gameEnded();
}

} // namespace brixolan
