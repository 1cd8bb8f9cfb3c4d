#pragma once

#include "SecondaryWindow.h"

class QLabel;
class QScrollBar;

namespace brixolan {

class Game;
class MainWindowLink;

/// "Neues Spiel" (Form1): start level and start height for the next game. "Starten" hands
/// the values to the game and raises its `Spiel` flag; the game itself starts when the main
/// window becomes active again after this window has closed.
///
/// Object names: HScroll1 (level 0..9), HScroll2 (height 0..6), Label1..Label6, Line1,
/// Command2 "Starten", Command1 "Abbrechen".
class NewGameDialog : public SecondaryWindow {
    Q_OBJECT
public:
    NewGameDialog(Game& game, MainWindowLink& link, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void unloaded() override;

private:
    void levelChanged(int value);
    void heightChanged(int value);
    void start();
    void cancel();

    Game& m_game;
    MainWindowLink& m_link;
    QScrollBar* m_levelBar = nullptr;
    QScrollBar* m_heightBar = nullptr;
    QLabel* m_levelLabel = nullptr;  // Label2
    QLabel* m_heightLabel = nullptr; // Label3
    QLabel* m_pointsLabel = nullptr; // Label6
};

} // namespace brixolan
