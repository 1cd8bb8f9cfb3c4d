// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"

#include "AtomicWrite.h"
#include "BitmapCodec.h"
#include "DigitSettings.h"
#include "ScoreFile.h"
#include "Simulator.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <limits>
#include <map>
#include <optional>
#include <sstream>
#include <unistd.h>

namespace brixolan::fuzz {

namespace {

constexpr int ScoreLines = 2 * ScorePlaces;

/// Where the reader of the file stops: just after the 16th line end, or -1.
qsizetype afterLastReadLine(const QByteArray& bytes) {
    qsizetype at = -1;
    for (int line = 0; line < ScoreLines; ++line) {
        at = bytes.indexOf('\r', at + 1);
        if (at < 0)
            return -1;
    }
    return at + 1;
}

std::string checkRanking(const ScoreTable& table, std::optional<std::int64_t> result) {
    const Ranking ranking = rankResult(table, result);
    if (ranking.place < 0 || ranking.place > ScorePlaces)
        return "ranking outside the table";
    if (ranking.error)
        return ranking.place == 0 ? std::string() : "a failed ranking named a place";
    const std::int64_t counted = result.value_or(0);
    // The best place whose stored score is strictly smaller: every place above it is not.
    for (int place = 1; place <= ScorePlaces; ++place) {
        const std::int32_t stored = parseScore(table[place - 1].score).value;
        const bool smaller = stored < counted;
        if (place < ranking.place && smaller)
            return "a better place had a smaller score";
        if (place == ranking.place && !smaller)
            return "the place reached has no smaller score";
        if (ranking.place == 0 && smaller)
            return "no place reached although a score is smaller";
    }
    if (ranking.place == 0)
        return {};
    ScoreTable entered = table;
    const ScoreEntry entry{QStringLiteral("X"), QString::number(counted)};
    insertEntry(entered, ranking.place, entry);
    for (int place = 1; place <= ScorePlaces; ++place) {
        const ScoreEntry& expected = place < ranking.place    ? table[place - 1]
                                     : place == ranking.place ? entry
                                                              : table[place - 2];
        if (entered[place - 1] != expected)
            return "inserting moved the wrong places";
    }
    return {};
}

} // namespace

std::string checkScoreFile(const QByteArray& bytes) {
    const ScoreFileContent content = parseScoreFile(bytes);
    if (!std::holds_alternative<ScoreTable>(content) &&
        !std::holds_alternative<IncompleteScoreFile>(content))
        return "the parser reported what only reading a file can find";
    // The file reader stops after the 16th line end; nothing after it may matter.
    const qsizetype end = afterLastReadLine(bytes);
    if (end >= 0 && parseScoreFile(bytes.left(end)) != content)
        return "bytes after the 16th line changed the table";
    const ScoreTable* table = std::get_if<ScoreTable>(&content);
    if (!table)
        return {};

    for (const ScoreEntry& entry : *table) {
        const ScoreValue value = parseScore(entry.score);
        if (value.error) {
            if (value.error->number != error_number::Overflow &&
                value.error->number != error_number::TypeMismatch)
                return "a score failed with an unexpected error number";
            continue;
        }
        const ScoreValue again = parseScore(QString::number(value.value));
        if (again.error || again.value != value.value)
            return "a converted score does not convert back";
    }
    constexpr std::int64_t Low = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t High = std::numeric_limits<std::int32_t>::max();
    for (const std::optional<std::int64_t> result :
         {std::optional<std::int64_t>(), std::optional<std::int64_t>(0),
          std::optional<std::int64_t>(Low), std::optional<std::int64_t>(High),
          std::optional<std::int64_t>(High + 1), std::optional<std::int64_t>(150000)}) {
        const std::string problem = checkRanking(*table, result);
        if (!problem.empty())
            return problem;
    }

    // What the game writes from the table reads back as the same table, and is the file itself
    // when its 16 lines are plain CR LF lines: opening and closing the table changes nothing.
    const QByteArray written = encodeScoreFile(*table);
    const QByteArray lines = end >= 0 ? bytes.left(end + 1) : QByteArray();
    if (lines.count("\r\n") == ScoreLines && lines.count('\r') == ScoreLines &&
        lines.count('\n') == ScoreLines && lines.endsWith('\n') && written != lines)
        return "an unchanged table is not written back byte for byte";
    if (written.count('\r') != ScoreLines || written.count("\r\n") != ScoreLines)
        return "the written file does not have 16 lines";
    const ScoreFileContent reread = parseScoreFile(written);
    const ScoreTable* again = std::get_if<ScoreTable>(&reread);
    if (!again || encodeScoreFile(*again) != written)
        return "the written file does not read back as the same table";
    return {};
}

std::string checkSettings(const QByteArray& bytes) {
    const std::optional<DigitSettings> read = parseSettings(bytes);
    if (!read)
        return {};
    if (read->digitSet != DigitSet::Old && read->digitSet != DigitSet::New)
        return "digit set outside 0 and 1";
    if (read->colour > 0xFFFFFFu)
        return "colour outside 24 bits";
    if (read->version.contains(QLatin1Char('\r')) || read->version.contains(QLatin1Char('\n')) ||
        read->version.contains(QLatin1Char(',')))
        return "the version field ran past its end";
    // The dialog writes its own version text with the values read.
    DigitSettings ours;
    ours.digitSet = read->digitSet;
    ours.colour = read->colour;
    const std::optional<DigitSettings> back = parseSettings(encodeSettings(ours));
    if (!back || back->digitSet != ours.digitSet || back->colour != ours.colour ||
        back->version != ours.version)
        return "the written settings do not read back the same";
    return {};
}

std::string checkBitmap(const QByteArray& bytes) {
    const QImage image = decodeBitmap(bytes);
    if (image.isNull())
        return {}; // the store treats it as missing
    if (image.width() > MaxBitmapSide || image.height() > MaxBitmapSide)
        return "decoded larger than the check allows";
    const QImage stored = image.convertToFormat(QImage::Format_RGB32);

    // The copy every drawing makes: the top-left cell, or less of a smaller picture.
    QImage target(50, 50, QImage::Format_RGB32);
    target.fill(Qt::black);
    {
        QPainter painter(&target);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const QRect from(QPoint(0, 0), QSize(25, 25).boundedTo(stored.size()));
        painter.drawImage(QRect(QPoint(10, 10), from.size()), stored, from);
    }
    if (target.pixel(10, 10) != stored.pixel(0, 0))
        return "the copied cell does not start with the picture's first pixel";

    // What the scheme dialogs write from such a picture passes the same check.
    if (qint64(stored.width()) * stored.height() <= 4096) {
        const QByteArray ours = encodeBitmap(stored);
        if (!isPlausibleBitmap(ours))
            return "our own encoding fails the check";
        QImage back;
        if (!back.loadFromData(ours, "BMP"))
            return "our own encoding does not decode";
        if (back.size() != stored.size())
            return "our own encoding changed the size";
        for (int y = 0; y < stored.height(); ++y) {
            for (int x = 0; x < stored.width(); ++x) {
                if ((back.pixel(x, y) & 0xFFFFFF) != (stored.pixel(x, y) & 0xFFFFFF))
                    return "our own encoding changed a pixel";
            }
        }
    }
    return {};
}

constexpr std::size_t MaxTickDigits = 4;

std::string checkSimulator(const QByteArray& bytes) {
    const std::string script(bytes.constData(), std::size_t(bytes.size()));
    // Options come from a first line "# args: ...", as in the replay scripts.
    std::vector<std::string> args;
    if (script.starts_with("# args:")) {
        std::istringstream words(script.substr(7, script.find('\n') - 7));
        for (std::string word; words >> word;)
            args.push_back(word);
    }
    // A game at level 19 never ends by itself (stones wait for the player), so a script may
    // rightly ask for more ticks than a lifetime; such scripts say nothing new and are passed.
    std::string commands = script;
    std::replace(commands.begin(), commands.end(), ';', '\n');
    std::istringstream lines(commands);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string command;
        std::string count;
        if (words >> command >> count && command == "tick" && count.size() > MaxTickDigits)
            return {};
    }
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runSimulator(args, in, out, err);
    if (status != 0 && status != 2)
        return "an exit status other than 0 and 2";
    if ((status == 2) != err.str().starts_with("brixolan-sim: "))
        return "a refusal without its message, or a message without a refusal";
    return {};
}

namespace {

// What stands in the temporary folder before a start, relative to it: the game's folder with
// its files, a player's copies under names like the game's, a new bitmap waiting for its swap,
// temporaries of saves cut short, and outside the game's folder someone else's files (one under
// a name like a temporary of the game's, with the content a journal line may name).
const std::map<QString, QByteArray> BeforeStart = {
    {"game/score.sre", "score"},
    {"game/score.sre.backup", "player's copy"},
    {"game/score.sre.sicher", "player's copy"},
    {"game/Brixolan.dat", "settings"},
    {"game/Brixolan.dat.Backup", "player's copy"},
    {"game/Grafiken/SteinA.bmp", "old A"},
    {"game/Grafiken/SteinB.bmp", "old B"},
    {"game/Grafiken/SteinB.bmp.k1.brx-tmp", "new B"},
    {"game/Grafiken/0.bmp.x7.brx-tmp", "cut short"},
    {"game/score.sre.k1.brx-tmp", "new B"},
    {"outside/victim.txt", "victim"},
    {"outside/victim.txt.k1.brx-tmp", "new B"},
};

/// Every file and folder under `base`, links not followed, with the content of each file.
std::map<QString, QByteArray> contentsOf(const QString& base) {
    std::map<QString, QByteArray> found;
    QDirIterator it(base, QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        const bool plain = it.fileInfo().isFile() && !it.fileInfo().isSymLink();
        found[QDir(base).relativeFilePath(path)] =
            plain && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(no file)");
    }
    return found;
}

} // namespace

std::string checkJournal(const QByteArray& bytes) {
    QTemporaryDir base;
    if (!base.isValid())
        return "no temporary folder";
    for (const auto& [name, content] : BeforeStart) {
        QDir().mkpath(QFileInfo(base.filePath(name)).absolutePath());
        QFile file(base.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            return "the folder could not be prepared";
    }
    // A folder link inside the game's folder that leads out of it.
    if (::symlink("../outside", QFile::encodeName(base.filePath("game/Ausflug")).constData()) != 0)
        return "the link could not be made";
    // "@/" stands for the temporary folder, so that a journal can name absolute paths.
    QByteArray journal = bytes;
    journal.replace("@/", QFile::encodeName(base.path() + QLatin1Char('/')));
    QFile file(base.filePath("game/Brixolan.brx-journal"));
    if (!file.open(QIODevice::WriteOnly) || file.write(journal) != journal.size())
        return "the journal could not be written";
    file.close();

    const QString root = base.filePath("game");
    const Outcome first = recoverUnfinishedSaves(root);
    std::map<QString, QByteArray> after = contentsOf(base.path());
    if (!recoverUnfinishedSaves(root).ok())
        return "the journal is reported again at the next start";
    if (contentsOf(base.path()) != after)
        return "the next start changed the folder again";

    // The journal is gone: completed silently, or set aside with a message.
    const QString setAside = "game/Brixolan.brx-journal.beiseite";
    if (after.count("game/Brixolan.brx-journal") != 0)
        return "the journal is still there";
    if (first.ok() == (after.count(setAside) != 0))
        return first.ok() ? "a journal set aside without a message"
                          : "a message, but the journal was not set aside";
    if (!first.ok() && (first.message().isEmpty() || after[setAside] != journal))
        return "the journal set aside is not the one found, or the message is empty";
    after.erase(setAside);
    // Only the waiting bitmap may have taken its place; the temporaries are gone, and nothing
    // else changed, inside the folder or outside it.
    const QByteArray stone = after["game/Grafiken/SteinB.bmp"];
    if (stone != "old B" && stone != "new B")
        return "the stone bitmap holds neither its old nor its new content";
    std::map<QString, QByteArray> expected = {{"game", "(no file)"},
                                              {"game/Grafiken", "(no file)"},
                                              {"game/Ausflug", "(no file)"},
                                              {"outside", "(no file)"}};
    for (const auto& [name, content] : BeforeStart) {
        if (!name.startsWith(QLatin1String("game/")) || !name.endsWith(QLatin1String(".brx-tmp")))
            expected[name] = content;
    }
    expected["game/Grafiken/SteinB.bmp"] = stone;
    for (const auto& [name, content] : expected) {
        if (after.count(name) == 0)
            return "gone: " + name.toStdString();
    }
    for (const auto& [name, content] : after) {
        if (expected.count(name) == 0 || expected[name] != content)
            return "changed or left behind: " + name.toStdString();
    }
    return {};
}

} // namespace brixolan::fuzz
