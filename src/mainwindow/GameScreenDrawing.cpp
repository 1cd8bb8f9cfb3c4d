// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's drawing: everything the player sees is copied cell by cell from the pre-loaded
// bitmaps of the resource store; nothing is loaded while a game runs, and on a screen too small
// for the bitmaps the surfaces scale each tile once and keep it.
#include "GameScreen.h"

#include "Fonts.h"
#include "Stones.h"
#include "Surface.h"

#include <algorithm>
#include <utility>

namespace brixolan {

namespace {

QRect stoneCell(int row, int column) {
    return {QPoint(StoneCell.width() * column, StoneCell.height() * row), StoneCell};
}

} // namespace

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
    const int cells = digitsOf(which);
    const QString digits = QString::number(m_numbers[std::size_t(which)]);
    // Zero-padded to the cells; a longer number shows its leading digits.
    const QString padded =
        QString(std::max(0, cells - int(digits.size())), QLatin1Char('0')) + digits;
    surface->clear();
    for (int cell = 0; cell < cells; ++cell) {
        if (const QImage* source = m_resources.image(digitElement(padded.at(cell).digitValue())))
            surface->copyCell(*source, DigitCell, QPoint(DigitCell.width() * cell, 0));
    }
    surface->update();
}

void GameScreen::drawPreview() {
    m_preview->clear();
    const int kind = m_previewKind.value_or(-1);
    if (kind >= 0 && kind < KindCount) {
        const StoneKind& stone = StoneKinds[std::size_t(kind)];
        if (const QImage* source = m_resources.image(stone.code)) {
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
            if (const QImage* source = m_resources.image(code))
                m_well->copyCell(*source, StoneCell, cell.topLeft());
            m_well->refresh(cell);
        }
    }
    m_shownWell = picture;
}

void GameScreen::redrawAll() {
    // The cells kept as shown were drawn from the bitmaps before: all are drawn again.
    const std::optional<Well> shown = std::exchange(m_shownWell, std::nullopt);
    if (!m_well || m_well->surfaceSize().isEmpty())
        return; // not laid out yet: nothing is shown
    const QImage* zero = m_resources.image(digitElement(0));
    const QSize digit = zero ? zero->size() : QSize(1, 1);
    for (const Display which : {Display::Points, Display::Level, Display::Lines, Display::High}) {
        display(which)->setSurfaceSize(QSize(digitsOf(which) * digit.width(), digit.height()));
        drawNumber(which);
    }
    drawPreview();
    if (shown)
        drawWell(*shown);
    else
        drawWellText();
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
    m_wellText = QString::fromUtf8(text.data(), qsizetype(text.size()));
    m_shownWell.reset();
    drawWellText();
}

void GameScreen::drawWellText() {
    m_well->fill(QRect(QPoint(0, 0), m_well->surfaceSize()), Qt::black);
    m_well->drawCentredText(m_wellText, comicFont(20), Qt::white);
    m_well->update();
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
