// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameDialog.h"

#include <cstdint>

class QLabel;
class QScrollBar;

namespace brixolan {

/// "Neues Spiel" (Form1): start level and start height for the next game. "Starten" accepts
/// the choice, "Abbrechen" ends the dialog with Withdrawn (no game is wanted any more); the
/// close box and Escape reject it, which leaves everything as it was.
///
/// Object names: HScroll1 (level 0..9), HScroll2 (height 0..6), Label1..Label6, Line1,
/// Command2 "Starten", Command1 "Abbrechen".
class NewGameDialog : public GameDialog {
    Q_OBJECT
public:
    /// Each pair of pre-filled rows brings `pointsPerHeight` start points.
    explicit NewGameDialog(std::int64_t pointsPerHeight, QWidget* parent = nullptr);

    /// The dialog's result after "Abbrechen".
    static constexpr int Withdrawn = QDialog::Accepted + 1;

    struct Choice {
        int level = 0;
        int height = 0;
        std::int64_t points = 0;
    };
    /// The values shown; what "Starten" accepted once the dialog is accepted.
    Choice choice() const { return m_choice; }

private:
    void showChoice();

    const std::int64_t m_pointsPerHeight;
    Choice m_choice;
    QLabel* m_levelLabel = nullptr;  // Label2
    QLabel* m_heightLabel = nullptr; // Label3
    QLabel* m_pointsLabel = nullptr; // Label6
};

} // namespace brixolan
