// SPDX-License-Identifier: GPL-3.0-or-later
#include "Installation.h"

#include "ReadFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <pwd.h>
#include <unistd.h>

namespace brixolan {

namespace {

bool copyMissing(const QString& from, const QString& to, QString* error) {
    // System entries too: whether a name is a regular file is judged when it is opened.
    QDirIterator it(from, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        if (QFileInfo::exists(target))
            continue;
        const FileBytes file = readFile(source, {read_limit::Picture});
        if (file.problem == ReadProblem::NotAFile)
            continue; // a device or pipe is no data of the game's
        QSaveFile copy(target);
        if (!file.bytes || !QDir().mkpath(QFileInfo(target).absolutePath()) ||
            !copy.open(QIODevice::WriteOnly) ||
            copy.write(file.bytes.value()) != file.bytes.value().size() || !copy.commit()) {
            if (error)
                *error = QStringLiteral("Die Datei \"%1\" konnte nicht nach \"%2\" kopiert werden.")
                             .arg(source, target) +
                         (file.bytes ? QString() : QLatin1Char('\n') + file.bytes.message());
            return false;
        }
        // Installed files are read-only; the player's copies must be replaceable.
        QFile::setPermissions(target, QFile::permissions(source) | QFileDevice::WriteOwner);
    }
    return true;
}

} // namespace

QString xdgDataHome() {
    const QString configured = qEnvironmentVariable("XDG_DATA_HOME");
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured))
        return configured;
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty()) {
        // Started without HOME (from a service, say): the password database knows it.
        const passwd* entry = ::getpwuid(::getuid());
        if (entry == nullptr || entry->pw_dir == nullptr || *entry->pw_dir == '\0')
            return {};
        home = QFile::decodeName(entry->pw_dir);
    }
    return QDir::cleanPath(home + QStringLiteral("/.local/share"));
}

std::optional<ProgramFolder> prepareProgramFolder(const QString& executableFolder,
                                                  const QString& dataHome, QString* error) {
    const QDir executable(executableFolder);
    const QString installed =
        QDir::cleanPath(executable.absoluteFilePath(QLatin1String(InstalledDataPath)));
    if (executable.exists(QStringLiteral("scr")) || !QFileInfo(installed).isDir())
        return ProgramFolder(executableFolder);

    if (dataHome.isEmpty()) {
        if (error)
            *error = QStringLiteral("Für diesen Benutzer ist kein Home-Ordner bekannt (HOME ist "
                                    "nicht gesetzt). Ohne ihn hat das Spiel keinen Ordner für "
                                    "Highscores und Einstellungen.");
        return std::nullopt;
    }
    const QString own = dataHome + QStringLiteral("/brixolan");
    if (!QDir().mkpath(own)) {
        if (error)
            *error = QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden.").arg(own);
        return std::nullopt;
    }
    if (!copyMissing(installed, own, error))
        return std::nullopt;
    return ProgramFolder(own);
}

} // namespace brixolan
