// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameDialog.h"
#include "Outcome.h"
#include "ProgramFolder.h"
#include "ScoreCode.h"
#include "ScoreTable.h"

#include <array>
#include <cstdint>
#include <optional>

class QLabel;
class QPushButton;

namespace brixolan {

class DialogServices;

/// The result a finished game offers for entry; no score before the first game over.
struct ResultOffer {
    std::optional<std::int64_t> score;
};

/// The highscore window "Form2": shows the eight best results from "score.sre", offers the
/// result of the game just over for entry, and saves the table when it closes. Its banner
/// hands the result to the score page.
///
/// Controls keep their classic names; the two label arrays are "NameNN_1".."NameNN_8" and
/// "ScorEE_1".."ScorEE_8" (place 1 first). Names and scores are shown exactly as stored or
/// typed, never as markup.
class HighscoreWindow : public GameDialog {
    Q_OBJECT
public:
    /// Reads the table and offers the result for entry, if one is offered (none: a look from
    /// the menu). Returns the window, not yet shown. Returns null when "score.sre" could not be
    /// read: the player was told and the table was saved anew.
    static HighscoreWindow* open(const std::optional<ResultOffer>& offered,
                                 const ProgramFolder& folder, DialogServices& dialogs,
                                 QWidget* parent);

    /// The player reached a place and gave no name: the table stays open beside a usable main
    /// window.
    bool nameCancelled() const { return m_nameCancelled; }
    /// Shows the places as "score.sre" holds them now: another copy may have saved since the
    /// table was read. An unreadable file, or an entry still waiting for its save, leaves the
    /// places as shown.
    void showFile();

    /// Closing saves the table (with the entry made here, if that is not saved yet) before the
    /// window goes.
    void done(int result) override;

protected:
    /// After a cancelled name the table stays open while the next game is played: it stands
    /// beside the main window rather than over the well.
    void showEvent(QShowEvent* event) override;

private:
    HighscoreWindow(const ProgramFolder& folder, DialogServices& dialogs, QWidget* parent);

    void buildControls();
    /// False when the table could not be read; the player has been told why.
    bool offer(const std::optional<ResultOffer>& offered);
    /// The name for `place`, empty when the player gave none.
    QString askName(int place);
    void reportUnreadable(const ScoreError& error);
    enum class Layout { Initial, WithoutBanner, WithBanner };
    void applyLayout(Layout layout);
    void showTable(const ScoreTable& table);
    /// Puts the entry the player just confirmed into the file; on success `shown` becomes the
    /// table as saved.
    void saveConfirmedEntry(ScoreTable& shown);
    /// Tells the player when the table could not be saved.
    void report(const Outcome& saved);
    /// The banner's act: the result, encoded, to the score page.
    void handOffResult();

    ProgramFolder m_folder;
    DialogServices& m_dialogs;
    ScoreEncoder m_encoder;

    std::array<QLabel*, ScorePlaces> m_names{};
    std::array<QLabel*, ScorePlaces> m_scores{};
    QLabel* m_yourPoints = nullptr; // Label6
    QLabel* m_result = nullptr;     // Label7
    QLabel* m_banner = nullptr;     // Picture1
    QPushButton* m_ok = nullptr;    // Command1

    /// The result as shown in Label7: the digits of the score, empty before the first game.
    QString m_resultText;
    /// What this window added to the table and not yet saved; closing puts it into the file
    /// as it is then.
    std::optional<ScoreEntry> m_added;
    bool m_nameCancelled = false;
    bool m_placedBeside = false;
    bool m_closing = false;
};

} // namespace brixolan
