// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLibrary>
#include <QString>
#include <QUrl>
#include <optional>

namespace brixolan {

/// The score server; the page and its query key are fixed by the server's side.
inline constexpr const char* ScoreServerBaseAddress = "https://score.brixolan.example";
/// The longest code the library may return: the plain code of a 32-bit score in base64 with its
/// check is some forty characters; anything near this bound is a faulty library.
inline constexpr long MaxScoreCodeLength = 4096;
/// The key the score server decodes with.
inline constexpr const char* ScoreCodeKey = "qupwdzk47";

/// The plain code of a result text: "bxl16|", the text, "|", the sum of its digits, "|".
/// The check sum adds digits, not values, so "100" and "1" both sum to 1. No value for a
/// text with anything but the digits 0 to 9.
std::optional<QString> plainScoreCode(const QString& resultText);

/// The score page address with the encoded code appended as it is.
QUrl scorePageAddress(const QString& code);

/// The score-code library, loaded at the first call from one folder only: an installed game's
/// library folder, or beside the program in a build-tree run; never from a folder a player or
/// another program writes into, nor from the system's search path. Stays unloaded while it
/// cannot be found, and is looked for again at the next call.
class ScoreEncoder {
public:
    explicit ScoreEncoder(QString libraryFolder);

    /// The code of `plain`; no value when the library, its function or the encoding fails.
    std::optional<QString> encode(const QString& plain);

private:
    QFunctionPointer resolve();

    QString m_libraryFolder;
    QLibrary m_library;
    QFunctionPointer m_encode = nullptr;
};

} // namespace brixolan
