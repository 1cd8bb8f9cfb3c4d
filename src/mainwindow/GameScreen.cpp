// SPDX-License-Identifier: GPL-3.0-or-later
// The screen's controls and their layout, which the bitmaps' sizes and the room on the
// desktop decide.
#include "GameScreen.h"

#include "Fonts.h"
#include "Geometry.h"
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
    for (Surface* surface : {m_well, m_points, m_level, m_high, m_lines, m_preview})
        connect(surface, &Surface::imageRenewed, this, &GameScreen::redrawAll);
}

BitmapLoad GameScreen::loadBitmaps(const ProgramFolder& folder) {
    const BitmapLoad loaded = m_resources.loadAll(folder);
    redrawAll();
    return loaded;
}

QSize GameScreen::layOut(QSize available) {
    const QImage* stone = m_resources.image(1);
    const QSize tile = stone ? stone->size() : StoneCell;
    m_well->setSurfaceSize(QSize(WellColumns * tile.width(), WellRows * tile.height()));
    // The layout as the bitmaps make it: a well from larger stone bitmaps moves the right column
    // over rather than covering it.
    const QSize frame = m_well->surfaceSize() + QSize(2 * WellBorder, 2 * WellBorder);
    const int shift = std::max(0, WellPosition.x() + frame.width() - DesignWellRight);
    const QSize natural(DesignClientSize.width() + shift,
                        std::max(DesignClientSize.height(), WellPosition.y() + frame.height() + 4));

    // Where that does not fit, all of it is shown smaller, in proportion. Runs once, at
    // start-up: the positions scaled below are still the designed ones.
    // The frame's border keeps its width at every scale; the rest fits beside it.
    const QSize border(2 * WellBorder, 2 * WellBorder);
    const qreal scale = fittingScale(natural, available - border, StoneCell.width());
    const auto scaled = [scale](int value) { return int(std::lround(value * scale)); };
    const auto scaledRect = [&scaled](QRect box) {
        return QRect(scaled(box.x()), scaled(box.y()), scaled(box.width()), scaled(box.height()));
    };

    m_well->setDisplayScale(scale);
    m_wellFrame->setGeometry(
        QRect(QPoint(scaled(WellPosition.x()), scaled(WellPosition.y())), m_well->size() + border));
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
    // The right column starts where the designed well ended, and its bottom margin stays: both
    // measured from the frame as shown.
    const QRect frameShown = m_wellFrame->geometry();
    m_rightColumn->move(std::max(0, frameShown.right() + 1 - scaled(DesignWellRight)), 0);
    setFixedSize(m_rightColumn->x() + m_rightColumn->width(),
                 std::max(m_rightColumn->height(), frameShown.bottom() + 1 + scaled(4)));
    // The displays take the size of their digits.
    redrawAll();
    return size();
}

} // namespace brixolan
