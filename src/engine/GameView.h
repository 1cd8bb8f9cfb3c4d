// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Well.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brixolan {

/// The four number displays of the main window.
enum class Display { Points, Level, Lines, High };

/// How many digits each display shows, in the order of `Display`: a shorter number is padded
/// with zeros, a longer one shows its leading digits.
inline constexpr std::array<int, 4> DisplayDigits = {9, 2, 3, 1};

constexpr int digitsOf(Display display) {
    return DisplayDigits[static_cast<std::size_t>(display)];
}

/// What the game shows, reported as it changes; the main window draws it, tests record it.
class GameView {
public:
    virtual ~GameView() = default;

    /// The well as the tick leaves it: resting stones and the falling stone, 0 for empty.
    virtual void showWell(const Well& picture) = 0;
    /// The well black with `text` centred on it ("Kein Spiel", "Game Over").
    virtual void showText(std::string_view text) = 0;
    /// A number display; 0 shows as a row of zeros.
    virtual void showNumber(Display display, std::int64_t value) = 0;
    /// The next stone's kind 0..6, or an empty preview.
    virtual void showPreview(std::optional<int> kind) = 0;
    /// The game has just ended by game over: the displays are reset and the timer is off; the
    /// result waits to be offered to the highscore table.
    virtual void gameOver() = 0;
};

/// A view that shows nothing, for headless runs; override what matters.
class NullGameView : public GameView {
public:
    void showWell(const Well&) override {}
    void showText(std::string_view) override {}
    void showNumber(Display, std::int64_t) override {}
    void showPreview(std::optional<int>) override {}
    void gameOver() override {}
};

} // namespace brixolan
