#include "SaveScenarios.h"

#include "AtomicWrite.h"
#include "FontSettings.h"
#include "ResourceStore.h"
#include "SchemeFiles.h"
#include "ScoreFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace brixolan::reliability {

namespace {

const QString ScorePath = QString::fromLatin1(ScoreFileName);
const QString SettingsPath = QString::fromLatin1(SettingsFileName);

QStringList bitmapFiles(bool digitsOnly) {
    QStringList files;
    for (const GraphicsFile& file : GraphicsFiles) {
        const bool digit = file.element >= DigitElement(0) && file.element <= DigitElement(9);
        if (digit || !digitsOnly)
            files << QString::fromLatin1(file.relativePath);
    }
    return files;
}

// Qt's own string hash is seeded anew in every process; the worker and the tests must agree.
std::uint32_t nameHash(const QString& text) {
    std::uint32_t hash = 2166136261u;
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * 16777619u;
    return hash;
}

std::uint32_t mix(std::int64_t generation, std::uint32_t salt) {
    auto x = std::uint64_t(generation) * 0x9E3779B97F4A7C15ull + salt * 0xBF58476D1CE4E5B9ull;
    x ^= x >> 31;
    return std::uint32_t(x * 0x94D049BB133111EBull >> 32);
}

ScoreTable scoreTable(std::int64_t generation) {
    ScoreTable table;
    for (int place = 0; place < ScorePlaces; ++place) {
        // Umlauts and a length that changes with the generation, so sizes differ too.
        const QString padding(int(mix(generation, std::uint32_t(place)) % 40), QLatin1Char('x'));
        table[place] = {QStringLiteral("Spieler Ä%1ö%2").arg(generation).arg(padding),
                        QString::number(std::int64_t(200000 - place * 1000) + generation)};
    }
    return table;
}

QByteArray settingsBytes(std::int64_t generation) {
    FontSettings settings;
    settings.digitSet = generation % 2 == 0 ? DigitSet::Old : DigitSet::New;
    settings.colour = mix(generation, 99) & 0xFFFFFF;
    return encodeSettings(settings);
}

QByteArray bitmapBytes(const QString& relative, std::int64_t generation) {
    const bool digit = QFileInfo(relative).baseName().size() == 1;
    QImage image(digit ? QSize(25, 42) : QSize(25, 25), QImage::Format_RGB888);
    image.fill(QColor::fromRgb(mix(generation, nameHash(relative)) & 0xFFFFFF));
    // A second colour in the last row tells a file cut short from a whole one.
    image.setPixelColor(0, image.height() - 1, QColor::fromRgb(mix(generation, 7) & 0xFFFFFF));
    // The header records the resolution, which otherwise follows the screen of a GUI process.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return encodeBitmap(image);
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

const char* kindName(SaveKind kind) {
    switch (kind) {
    case SaveKind::Score:
        return "score";
    case SaveKind::Settings:
        return "settings";
    case SaveKind::Bitmaps:
        return "bitmaps";
    case SaveKind::FontScheme:
        return "fontscheme";
    }
    return "?";
}

std::optional<SaveKind> kindFromName(const QString& name) {
    for (const SaveKind kind : AllKinds) {
        if (name == QLatin1String(kindName(kind)))
            return kind;
    }
    return std::nullopt;
}

QStringList allSavedFiles() {
    return QStringList{ScorePath, SettingsPath} + bitmapFiles(false);
}

QStringList filesOf(SaveKind kind) {
    switch (kind) {
    case SaveKind::Score:
        return {ScorePath};
    case SaveKind::Settings:
        return {SettingsPath};
    case SaveKind::Bitmaps:
        return bitmapFiles(false);
    case SaveKind::FontScheme:
        return bitmapFiles(true) << SettingsPath;
    }
    return {};
}

QByteArray contentOf(const QString& relative, std::int64_t generation) {
    // The checks ask for the same few generations over and over.
    static std::map<std::pair<QString, std::int64_t>, QByteArray> recent;
    const auto key = std::make_pair(relative, generation);
    if (const auto found = recent.find(key); found != recent.end())
        return found->second;
    if (recent.size() > 512)
        recent.clear();
    QByteArray& bytes = recent[key];
    if (relative == ScorePath)
        bytes = encodeScoreFile(scoreTable(generation));
    else if (relative == SettingsPath)
        bytes = settingsBytes(generation);
    else
        bytes = bitmapBytes(relative, generation);
    return bytes;
}

bool save(SaveKind kind, const ProgramFolder& folder, std::int64_t generation, QString* error) {
    switch (kind) {
    case SaveKind::Score:
        return writeScoreFile(folder, scoreTable(generation), error);
    case SaveKind::Settings:
        return writeFileAtomically(folder.path(SettingsPath), settingsBytes(generation), error);
    case SaveKind::Bitmaps:
    case SaveKind::FontScheme: {
        std::vector<SchemeFile> files;
        for (const QString& relative : filesOf(kind))
            files.push_back({relative, contentOf(relative, generation)});
        const QString message = writeSchemeFiles(folder, files);
        if (error)
            *error = message;
        return message.isEmpty();
    }
    }
    return false;
}

void writeAll(const QString& root, std::int64_t generation) {
    QDir(root).mkpath(QStringLiteral("Grafiken"));
    for (const QString& relative : allSavedFiles()) {
        QFile file(root + QLatin1Char('/') + relative);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(contentOf(relative, generation));
    }
}

std::map<QString, std::optional<std::int64_t>>
identify(const QString& root, const std::map<QString, std::vector<std::int64_t>>& candidates) {
    std::map<QString, std::optional<std::int64_t>> found;
    for (const auto& [relative, generations] : candidates) {
        const QByteArray bytes = readBytes(root + QLatin1Char('/') + relative);
        std::optional<std::int64_t>& match = found[relative];
        for (const std::int64_t generation : generations) {
            if (!bytes.isEmpty() && bytes == contentOf(relative, generation)) {
                match = generation;
                break;
            }
        }
    }
    return found;
}

QStringList temporariesBelow(const QString& root) {
    QStringList found;
    QDirIterator it(root, {QStringLiteral("*") + QLatin1String(TemporarySuffix)},
                    QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}

} // namespace brixolan::reliability
