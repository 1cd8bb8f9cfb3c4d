// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameDialog.h"

class QLabel;
class QScrollBar;

namespace brixolan {

class Game;

/// "Neues Spiel" (Form1): start level and start height for the next game. "Starten" hands the
/// values to the game and asks for a game, which starts when the main window becomes active
/// again; "Abbrechen" withdraws the request. The close box and Escape leave it as it was.
///
/// Object names: HScroll1 (level 0..9), HScroll2 (height 0..6), Label1..Label6, Line1,
/// Command2 "Starten", Command1 "Abbrechen".
class NewGameDialog : public GameDialog {
    Q_OBJECT
public:
    explicit NewGameDialog(Game& game, QWidget* parent = nullptr);

private:
    void showChoice();

    Game& m_game;
    int m_level = 0;
    int m_height = 0;
    QLabel* m_levelLabel = nullptr;  // Label2
    QLabel* m_heightLabel = nullptr; // Label3
    QLabel* m_pointsLabel = nullptr; // Label6
};

} // namespace brixolan
