// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameView.h"
#include "ResourceStore.h"

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>

namespace brixolan {

class ProgramFolder;
class Surface;

/// Every copy takes a cell of this size from a bitmap's top-left corner, whatever the bitmap's
/// size: a stone tile, and a digit.
inline constexpr QSize StoneCell(25, 25);
inline constexpr QSize DigitCell(25, 42);

/// The game's screen: the well (Picture1), the number displays (Picture2, 3, 5, 6), the
/// preview (Picture4) and their captions, drawn cell by cell from the bitmaps it holds. It
/// shows what the game reports and holds no rule; game over and a failed drawing leave it as
/// signals for whoever runs the game.
class GameScreen : public QWidget, public GameView {
    Q_OBJECT
public:
    explicit GameScreen(QWidget* parent = nullptr);

    /// Makes the surfaces and captions; until then nothing is shown. Kept out of the
    /// constructor so that the splash shows before the fonts load.
    void build();
    /// Loads the seventeen bitmaps afresh. Everything already shown is drawn again from the new
    /// ones, also after a file gave no picture.
    BitmapLoad loadBitmaps(const ProgramFolder& folder);
    /// Sizes the well and the displays from the bitmaps and lays all out, shown smaller in
    /// proportion where it would not fit `available`. Returns the screen's size.
    QSize layOut(QSize available);

    /// The surface that takes the keys of the game.
    Surface* well() const { return m_well; }

    // GameView
    void showWell(const Well& picture) override;
    void showText(std::string_view text) override;
    void showNumber(Display display, std::int64_t value) override;
    void showPreview(std::optional<int> kind) override;
    void gameOver() override;

signals:
    /// The game has just ended by game over.
    void gameEnded();
    /// The well's picture could not be made (no memory); nothing was drawn.
    void drawingFailed();

private:
    /// Everything shown, drawn again from the bitmaps now in the store.
    void redrawAll();
    void drawNumber(Display which);
    void drawPreview();
    void drawWell(const Well& picture);
    void drawWellText();
    Surface* display(Display which) const;

    ResourceStore m_resources;
    QWidget* m_wellFrame = nullptr;
    QWidget* m_rightColumn = nullptr; // everything right of the well
    Surface* m_well = nullptr;        // Picture1
    Surface* m_points = nullptr;      // Picture2
    Surface* m_level = nullptr;       // Picture3
    Surface* m_preview = nullptr;     // Picture4
    Surface* m_lines = nullptr;       // Picture5
    Surface* m_high = nullptr;        // Picture6

    /// The well as the screen shows it; none while a text stands in it. Only cells that differ
    /// from it are drawn, so whatever changes the bitmaps must drop it.
    std::optional<Well> m_shownWell;
    /// The text in the well while no well is shown, to draw it again on a new image.
    QString m_wellText;
    /// What the displays and the preview show, to draw them again from new bitmaps.
    std::array<std::int64_t, 4> m_numbers{};
    std::optional<int> m_previewKind;
};

} // namespace brixolan
