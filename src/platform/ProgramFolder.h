// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace brixolan {

/// The folder the game keeps its files in. Every path is built here: the game's own names use
/// "/" (for example "Grafiken/SteinA.bmp"), and an existing file or folder is found whatever
/// the case of its name, so "brixolan.dat" and "Brixolan.dat" are one file.
class ProgramFolder {
public:
    explicit ProgramFolder(QString root);

    /// The folder of the running executable (a build-tree run).
    static ProgramFolder ofExecutable();

    const QString& root() const { return m_root; }

    /// Full path of `relative`. Each existing component is matched without regard to case;
    /// a missing one keeps the spelling given.
    QString path(const QString& relative) const;

    bool fileExists(const QString& relative) const;
    bool folderExists(const QString& relative) const;
    /// Creates the folder (and its parents); true when it exists afterwards.
    bool makeFolder(const QString& relative) const;
    /// Deletes the file if it exists; true when no such file remains.
    bool removeFile(const QString& relative) const;

private:
    QString m_root;
};

} // namespace brixolan
