#pragma once

#include "ProgramFolder.h"
#include "ScoreCode.h"
#include "ScoreTable.h"

#include <QWidget>
#include <array>
#include <optional>

class QLabel;
class QPushButton;

namespace brixolan {

class DialogServices;
class MainWindowLink;
struct GameState;

/// The highscore window "Form2": the eight best results from "score.sre", the entry of a new
/// result right after a game, and the banner that hands the result to the score page.
///
/// Controls keep their classic names; the two label arrays are "NameNN_1".."NameNN_8" and
/// "ScorEE_1".."ScorEE_8" (place 1 first).
class HighscoreWindow : public QWidget {
    Q_OBJECT
public:
    /// Builds the window, reads the table and, while `state.Spiel` is set, offers
    /// `state.PunkteInList` for entry and clears `Spiel`. Returns the shown window, which
    /// saves and hands back to the main window when it closes, then deletes itself. Returns
    /// nullptr when "score.sre" could not be read: the player was told, the old file was kept
    /// as "score.sre.bak", the initial table saved, `Spiel` cleared and the main window handed
    /// back. The caller disables the main window before calling; a parent, if given, must not
    /// be that disabled window.
    static HighscoreWindow* open(GameState& state, const ProgramFolder& folder,
                                 DialogServices& dialogs, MainWindowLink& link,
                                 QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HighscoreWindow(GameState& state, const ProgramFolder& folder, DialogServices& dialogs,
                    MainWindowLink& link, QWidget* parent);

    void buildControls();
    /// The load step: false when it failed and the window must close unshown.
    bool runOpening();
    void failOpening(const ScoreError& error);
    enum class Layout { Initial, WithoutBanner, WithBanner };
    void applyLayout(Layout layout);
    ScoreTable shownTable() const;
    void showTable(const ScoreTable& table);
    /// Saves and hands the activation back to the main window; runs once.
    void finish();
    void saveHighScore();
    void bannerClicked();
    QWidget* messageParent();

    GameState& m_state;
    ProgramFolder m_folder;
    DialogServices& m_dialogs;
    MainWindowLink& m_link;
    ScoreEncoder m_encoder;

    std::array<QLabel*, ScorePlaces> m_names{};
    std::array<QLabel*, ScorePlaces> m_scores{};
    QLabel* m_yourPoints = nullptr; // Label6
    QLabel* m_result = nullptr;     // Label7
    QLabel* m_banner = nullptr;     // Picture1
    QPushButton* m_ok = nullptr;    // Command1

    /// The entry the player made in this window, which the closing save adds to the file.
    std::optional<ScoreEntry> m_added;
    bool m_finished = false;
};

} // namespace brixolan
