// SPDX-License-Identifier: GPL-3.0-or-later
#include "DigitSettings.h"

#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "ReadFile.h"
#include "TextCodec.h"

#include <cmath>

namespace brixolan {

namespace {

constexpr double LargestColour = 16777215.0;

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

struct Field {
    QString text;
    bool numeric = false;
};

/// The free-format fields of a text file: blanks and line ends before a field are skipped;
/// a field that starts with a digit or a sign is a number and ends at a blank, a comma or the
/// end of the line; any other field is text and ends at a comma or the end of the line.
class FieldReader {
public:
    explicit FieldReader(QString text) : m_text(std::move(text)) {}

    std::optional<Field> next() {
        while (m_at < m_text.size() &&
               (m_text[m_at] == QLatin1Char(' ') || isLineEnd(m_text[m_at])))
            ++m_at;
        if (m_at >= m_text.size())
            return std::nullopt;
        const QChar first = m_text[m_at];
        Field field;
        field.numeric = first.isDigit() || first == QLatin1Char('-') || first == QLatin1Char('+');
        const qsizetype start = m_at;
        while (m_at < m_text.size() && !endsField(m_text[m_at], field.numeric))
            ++m_at;
        field.text = m_text.mid(start, m_at - start);
        // A comma separates fields; after a number it may follow the blanks that end it.
        if (field.numeric) {
            while (m_at < m_text.size() && m_text[m_at] == QLatin1Char(' '))
                ++m_at;
        }
        if (m_at < m_text.size() && m_text[m_at] == QLatin1Char(','))
            ++m_at;
        return field;
    }

private:
    static bool endsField(QChar c, bool numeric) {
        return c == QLatin1Char(',') || isLineEnd(c) || (numeric && c == QLatin1Char(' '));
    }

    QString m_text;
    qsizetype m_at = 0;
};

/// A whole number from a numeric field, within [low, high].
std::optional<qint64> wholeNumber(const std::optional<Field>& field, double low, double high) {
    if (!field || !field->numeric)
        return std::nullopt;
    bool ok = false;
    const double value = field->text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value != std::floor(value) || value < low || value > high)
        return std::nullopt;
    return static_cast<qint64>(value);
}

QByteArray numberField(qint64 value) {
    // The place before the digits holds the sign: a blank, or the minus of a negative number.
    const QByteArray digits = QByteArray::number(value < 0 ? -value : value);
    return (value < 0 ? QByteArray("-") : QByteArray(" ")) + digits + ' ';
}

} // namespace

QByteArray encodeSettings(const DigitSettings& settings) {
    QByteArray bytes = toCp1252(settings.version);
    bytes += "\r\n";
    bytes += numberField(static_cast<qint64>(settings.digitSet));
    bytes += "\r\n";
    bytes += numberField(static_cast<qint64>(settings.colour));
    bytes += "\r\n";
    return bytes;
}

std::optional<DigitSettings> parseSettings(const QByteArray& bytes) {
    FieldReader reader(fromCp1252(bytes));
    const std::optional<Field> version = reader.next();
    const std::optional<Field> set = reader.next();
    const std::optional<Field> colour = reader.next();
    if (!version)
        return std::nullopt;
    const std::optional<qint64> setValue = wholeNumber(set, 0, 1);
    const std::optional<qint64> colourValue = wholeNumber(colour, 0, LargestColour);
    if (!setValue || !colourValue)
        return std::nullopt;
    DigitSettings settings;
    settings.version = version->text;
    settings.digitSet = *setValue == 0 ? DigitSet::Old : DigitSet::New;
    settings.colour = static_cast<BgrColor>(*colourValue);
    return settings;
}

DigitSettings readSettingsOrDefaults(const ProgramFolder& folder) {
    const QString path = folder.path(QLatin1String(SettingsFileName));
    const FileBytes file = readFile(path, {read_limit::Settings});
    if (file.bytes) {
        if (const std::optional<DigitSettings> read = parseSettings(file.bytes.value()))
            return *read;
    }
    const DigitSettings defaults;
    // The dialog goes on with the defaults even where they cannot be stored.
    static_cast<void>(saveFile(folder.root(), path, encodeSettings(defaults)));
    return defaults;
}

} // namespace brixolan
