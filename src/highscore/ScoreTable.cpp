// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreTable.h"

#include <limits>

namespace brixolan {

ScoreTable initialScoreTable() {
    // 100000 is followed by 60000: the classic table has no 80000.
    constexpr std::array<const char*, ScorePlaces> Scores = {"200000", "180000", "160000", "140000",
                                                             "120000", "100000", "60000",  "40000"};
    ScoreTable table;
    for (int place = 0; place < ScorePlaces; ++place)
        table[place] = {QStringLiteral("NoBody"), QString::fromLatin1(Scores[place])};
    return table;
}

ScoreError scoreError(int number) {
    switch (number) {
    case error_number::Overflow:
        return {number, QStringLiteral("Überlauf")};
    case error_number::TypeMismatch:
        return {number, QStringLiteral("Typen unverträglich")};
    case error_number::DeviceIo:
        return {number, QStringLiteral("Fehler beim Geräte-E/A")};
    case error_number::PermissionDenied:
        return {number, QStringLiteral("Zugriff verweigert")};
    case error_number::PathFileAccess:
        return {number, QStringLiteral("Fehler beim Zugriff auf Pfad/Datei")};
    default:
        return {number, QStringLiteral("Anwendungs- oder objektdefinierter Fehler")};
    }
}

ScoreValue parseScore(const QString& text) {
    // The classic conversion also took fractions, exponents and hex; the game only ever writes
    // plain integers, so anything beyond sign and digits is taken as damage.
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype at = 0;
    qsizetype end = text.size();
    while (at < end && isBlank(text.at(at)))
        ++at;
    while (end > at && isBlank(text.at(end - 1)))
        --end;

    bool negative = false;
    if (at < end && (text.at(at) == QLatin1Char('+') || text.at(at) == QLatin1Char('-'))) {
        negative = text.at(at) == QLatin1Char('-');
        ++at;
    }
    if (at == end)
        return {0, scoreError(error_number::TypeMismatch)};

    constexpr std::int64_t Limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    bool overflow = false;
    for (; at < end; ++at) {
        const QChar c = text.at(at);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {0, scoreError(error_number::TypeMismatch)};
        if (!overflow) {
            magnitude = magnitude * 10 + (c.unicode() - u'0');
            overflow = magnitude > Limit;
        }
    }
    if (overflow || (!negative && magnitude == Limit))
        return {0, scoreError(error_number::Overflow)};
    return {std::int32_t(negative ? -magnitude : magnitude), std::nullopt};
}

Ranking rankResult(const ScoreTable& table, std::optional<std::int64_t> result) {
    const std::int64_t counted = result.value_or(0);
    const bool resultFits = counted >= std::numeric_limits<std::int32_t>::min() &&
                            counted <= std::numeric_limits<std::int32_t>::max();
    Ranking ranking;
    for (int place = ScorePlaces; place >= 1; --place) {
        const ScoreValue stored = parseScore(table[place - 1].score);
        if (stored.error)
            return {0, stored.error};
        if (!resultFits)
            return {0, scoreError(error_number::Overflow)};
        if (stored.value < counted)
            ranking.place = place;
    }
    return ranking;
}

void insertEntry(ScoreTable& table, int place, const ScoreEntry& entry) {
    if (place < 1 || place > ScorePlaces)
        return;
    for (int below = ScorePlaces; below > place; --below)
        table[below - 1] = table[below - 2];
    table[place - 1] = entry;
}

Entering enterResult(ScoreTable& table, std::int64_t result,
                     const std::function<QString(int place)>& askName) {
    const Ranking ranking = rankResult(table, result);
    Entering entering{ranking.place, std::nullopt, ranking.error};
    if (ranking.error || ranking.place == 0)
        return entering;
    const QString name = askName(ranking.place);
    if (!name.isEmpty()) {
        entering.entry = ScoreEntry{name, QString::number(result)};
        insertEntry(table, ranking.place, *entering.entry);
    }
    return entering;
}

} // namespace brixolan
