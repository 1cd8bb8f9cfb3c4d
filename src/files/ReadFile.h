// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Outcome.h"

#include <QByteArray>
#include <QString>

namespace brixolan {

/// The most a reader takes of each kind of file. Anyone can leave anything under these names;
/// nothing the game or its tools write comes near them.
/// The largest side of a picture we accept; larger files are taken as damaged rather than
/// handed to the decoder.
inline constexpr int MaxBitmapSide = 8192;

namespace read_limit {
/// A bitmap of the largest accepted size (32 bits) with headers and palette.
inline constexpr qint64 Picture = qint64(MaxBitmapSide) * MaxBitmapSide * 4 + 4096;
/// Eight names of 10,000 characters are 80 KB.
inline constexpr qint64 ScoreFile = 4 * 1024 * 1024;
/// Three short fields.
inline constexpr qint64 Settings = 64 * 1024;
} // namespace read_limit

/// How much of a file is read: a file larger than `maxBytes` is refused. With `stopAfterCrs`,
/// reading ends just after that many CR bytes, and only the bytes before them must fit.
struct ReadLimit {
    qint64 maxBytes;
    int stopAfterCrs = 0;
};

/// Why a file was not read.
enum class ReadProblem { None, Missing, NotAFile, Denied, TooLarge, Failed };

struct FileBytes {
    ReadProblem problem;
    /// The bytes, or the German message saying why there are none.
    Result<QByteArray> bytes;
};

/// Every file the game reads is read here. The file is opened without blocking (a FIFO under
/// the name would wait for a writer for ever), refused unless what was opened is a regular
/// file (a link to /dev/zero never ends), and read no further than `limit`. Links are
/// followed; the type is judged on the opened file itself, never on the name beforehand.
FileBytes readFile(const QString& path, ReadLimit limit);

/// Whether a regular file stands at `path`, judged as readFile judges it (opened without
/// blocking), for files that others open by name, such as a library before it is loaded.
bool isRegularFile(const QString& path);

} // namespace brixolan
