// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace brixolan {

/// A folder name from the system (an executable's path, HOME) as the game's paths hold it; no
/// value when it is empty or not valid UTF-8, since such a name would not lead back to the
/// folder and every path built on it would point elsewhere.
std::optional<QString> decodedFolderName(const QByteArray& name);

/// The name for a message: what is not UTF-8 is shown as \xNN.
QString printableName(const QByteArray& name);

/// The folder the game keeps its files in. Every path is built here: the game's own names use
/// "/" (for example "Grafiken/SteinA.bmp"), and an existing file or folder is found whatever
/// the case of its name, so "brixolan.dat" and "Brixolan.dat" are one file.
class ProgramFolder {
public:
    /// The library folder is the program folder itself, as in a build-tree run.
    explicit ProgramFolder(QString root);
    ProgramFolder(QString root, QString libraryFolder);

    /// The folder of the running executable (a build-tree run).
    static ProgramFolder ofExecutable();

    const QString& root() const { return m_root; }
    /// Where the score-code library is loaded from: never a folder a player or another program
    /// writes into when the game is installed.
    const QString& libraryFolder() const { return m_libraryFolder; }

    /// Full path of `relative`. Each existing component is matched without regard to case;
    /// a missing one keeps the spelling given.
    QString path(const QString& relative) const;

    bool folderExists(const QString& relative) const;
    /// Creates the folder (and its parents); true when it exists afterwards.
    bool makeFolder(const QString& relative) const;

private:
    QString m_root;
    QString m_libraryFolder;
};

} // namespace brixolan
