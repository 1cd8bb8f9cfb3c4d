// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace brixolan {

/// Text files keep the classic byte format: code page 1252 with CR LF line ends.
/// Characters the code page cannot hold are written as '?'. The five bytes it leaves undefined
/// (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as U+0081 and so on and are written back as themselves.
QByteArray toCp1252(const QString& text);
QString fromCp1252(const QByteArray& bytes);

/// `text` as one line of such a file keeps it: a '?' for each character outside the code page,
/// no line breaks. The result is written and read back unchanged, so a name box shows what is
/// saved, and a name of foreign letters alone is kept as question marks rather than vanishing.
QString keepFileLineCharacters(const QString& text);

/// Splits file content into lines. A line ends at CR, and an LF right after it belongs to that
/// line end; a lone LF ends no line. The last line may lack its line end.
QStringList splitCrLines(const QString& text);

/// Joins lines, each followed by CR LF.
QString joinCrLfLines(const QStringList& lines);

} // namespace brixolan
