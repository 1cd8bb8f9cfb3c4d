// SPDX-License-Identifier: GPL-3.0-or-later
#include "Installation.h"

#include "AtomicWrite.h"
#include "ErrorTexts.h"
#include "ReadFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <climits>
#include <pwd.h>
#include <unistd.h>

namespace brixolan {

namespace {

const QString NoHome =
    QStringLiteral(" Ohne ihn hat das Spiel keinen Ordner für Highscores und Einstellungen.");

QString folderNotMade(const QString& folder, int error) {
    return QStringLiteral("Der Ordner \"%1\" konnte nicht angelegt werden: %2.")
        .arg(folder, errorText(error));
}

// A scheme bitmap is the player's to change; it is torn (an empty or cut-off copy from a disk
// that ran full) only when it is shorter than its own header declares. A longer one is whole:
// the game reads its pixels whatever that field says, and some programs write it loosely.
bool isTornBitmap(const QFileInfo& copy) {
    QFile file(copy.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return false; // the save would fail as well; the bitmap check at start-up reports it
    const QByteArray head = file.read(6);
    return head.size() < 6 || !head.startsWith("BM") ||
           qFromLittleEndian<quint32>(head.constData() + 2) > copy.size();
}

// A link on the way to a copy, to a file or a folder, is the player's own arrangement: nothing
// is written through it. A copy that lost its owner's execute bit (a start killed before it was
// set) is made again; the uninstall script needs it.
bool needsCopy(const QString& root, const QString& relative, const QFileInfo& source,
               const QString& target) {
    for (qsizetype slash = target.indexOf(QLatin1Char('/'), root.size() + 1); slash > 0;
         slash = target.indexOf(QLatin1Char('/'), slash + 1)) {
        if (QFileInfo(target.left(slash)).isSymLink())
            return false;
    }
    const QFileInfo copy(target);
    if (copy.isSymLink())
        return false;
    if (!copy.exists())
        return true;
    const bool runnable = copy.permissions().testFlag(QFileDevice::ExeOwner) ||
                          !source.permissions().testFlag(QFileDevice::ExeOwner);
    if (!copy.isFile() || (copy.size() == source.size() && runnable))
        return false;
    if (relative.startsWith(QLatin1String("Grafiken/"), Qt::CaseInsensitive))
        return isTornBitmap(copy);
    return true;
}

// Copies what the player's folder lacks. Each copy is saved like every other file of the game
// (written, checked, synced, renamed), under the folder's lock, taken once something is due.
Outcome copyMissing(const QString& from, const ProgramFolder& to) {
    std::optional<FolderLock> lock;
    // System entries too: whether a name is a regular file is judged when it is opened.
    QDirIterator it(from, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(from).relativeFilePath(source);
        const QString target = to.path(relative);
        if (!needsCopy(to.root(), relative, it.fileInfo(), target))
            continue;
        const FileBytes file = readFile(source, {read_limit::Picture});
        if (file.problem == ReadProblem::NotAFile)
            continue; // a device or pipe is no data of the game's
        if (!file.bytes && QFileInfo(target).isFile())
            continue; // a damaged installation: the player's copy serves
        Outcome copied = file.bytes ? Outcome() : file.bytes.outcome();
        if (copied && !lock) {
            Result<FolderLock> taken = FolderLock::take(to.root(), target);
            copied = taken ? Outcome() : taken.outcome();
            if (taken)
                lock.emplace(std::move(taken.value()));
        }
        if (copied && !QDir().mkpath(QFileInfo(target).absolutePath()))
            copied = Outcome::failure(folderNotMade(QFileInfo(target).absolutePath(), errno));
        if (copied) {
            removeLeftoversOf(*lock, target); // of a start killed while it copied
            copied = replaceFile(*lock, target, file.bytes.value());
        }
        if (!copied)
            return Outcome::failure(
                QStringLiteral("Die Datei \"%1\" konnte nicht nach \"%2\" kopiert werden.")
                    .arg(source, target) +
                QLatin1Char('\n') + copied.message());
        // The copy has the player's rights (the umask's, or the replaced copy's), not the
        // installed file's; a program stays runnable by whoever may read it.
        if (it.fileInfo().permissions().testFlag(QFileDevice::ExeOwner)) {
            QFileDevice::Permissions rights = QFile::permissions(target);
            rights.setFlag(QFileDevice::ExeOwner)
                .setFlag(QFileDevice::ExeGroup, rights.testFlag(QFileDevice::ReadGroup))
                .setFlag(QFileDevice::ExeOther, rights.testFlag(QFileDevice::ReadOther));
            QFile::setPermissions(target, rights);
        }
    }
    return {};
}

// The name of a folder the game would build every path on, refused when it would not lead
// back to that folder.
Result<QString> usableFolder(const QByteArray& name, const QString& which) {
    std::optional<QString> decoded = decodedFolderName(name);
    if (name.isEmpty())
        return Outcome::failure(QStringLiteral("%1 ist leer.").arg(which));
    if (!decoded)
        return Outcome::failure(
            QStringLiteral("%1 \"%2\" hat einen Namen, der kein gültiges UTF-8 ist; das Spiel "
                           "kann Pfade darin nicht bilden. Bitte den Ordner umbenennen.")
                .arg(which, printableName(name)));
    if (!QDir::isAbsolutePath(*decoded))
        return Outcome::failure(
            QStringLiteral("%1 \"%2\" ist kein absoluter Pfad.").arg(which, *decoded));
    return *decoded;
}

// The running executable's folder as the system names it: Qt's own answer is empty for a name
// that is not UTF-8.
QByteArray executableFolderName() {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || length == ssize_t(sizeof buffer))
        return QFile::encodeName(QCoreApplication::applicationDirPath());
    QByteArray path(buffer, length);
    path.truncate(path.lastIndexOf('/'));
    return path.isEmpty() ? QByteArray("/") : path;
}

// Where the installed data lies beside `executable`; empty for a run from the build tree, which
// keeps its files beside the program.
QString installedData(const QDir& executable) {
    const QString installed =
        QDir::cleanPath(executable.absoluteFilePath(QLatin1String(InstalledDataPath)));
    if (executable.exists(QStringLiteral("scr")) || !QFileInfo(installed).isDir())
        return {};
    return installed;
}

} // namespace

Result<QString> xdgDataHome() {
    const QByteArray configured = qgetenv("XDG_DATA_HOME");
    if (!configured.isEmpty() && configured.startsWith('/')) {
        const Result<QString> folder =
            usableFolder(configured, QStringLiteral("Der Datenordner aus XDG_DATA_HOME"));
        if (!folder)
            return Outcome::failure(folder.message() + NoHome);
        return folder;
    }
    QByteArray home = qgetenv("HOME");
    QString which = QStringLiteral("Der Home-Ordner aus HOME");
    if (home.isEmpty()) {
        // Started without HOME (from a service, say): the password database knows it.
        const passwd* entry = ::getpwuid(::getuid());
        if (entry == nullptr || entry->pw_dir == nullptr || *entry->pw_dir == '\0')
            return QString();
        home = entry->pw_dir;
        which = QStringLiteral("Der Home-Ordner aus der Benutzerdatenbank");
    }
    const Result<QString> folder = usableFolder(home, which);
    if (!folder)
        return Outcome::failure(folder.message() + NoHome);
    return QDir::cleanPath(folder.value() + QStringLiteral("/.local/share"));
}

Result<ProgramFolder> prepareProgramFolder(const QString& executableFolder,
                                           const QString& dataHome) {
    const QDir executable(executableFolder);
    const QString installed = installedData(executable);
    if (installed.isEmpty())
        return ProgramFolder(executableFolder);
    const QString library =
        QDir::cleanPath(executable.absoluteFilePath(QLatin1String(InstalledLibraryPath)));

    if (dataHome.isEmpty())
        return Outcome::failure(QStringLiteral("Für diesen Benutzer ist kein Home-Ordner bekannt "
                                               "(HOME ist nicht gesetzt).") +
                                NoHome);
    const QString own = dataHome + QStringLiteral("/brixolan");
    if (!QDir().mkpath(own))
        return Outcome::failure(folderNotMade(own, errno));
    const ProgramFolder folder(own, library);
    if (const Outcome copied = copyMissing(installed, folder); !copied)
        return copied;
    return folder;
}

Result<ProgramFolder> prepareProgramFolder() {
    const Result<QString> executable =
        usableFolder(executableFolderName(), QStringLiteral("Der Ordner des Programms"));
    if (!executable)
        return executable.outcome();
    if (installedData(QDir(executable.value())).isEmpty())
        return ProgramFolder(executable.value()); // a HOME it would not use is not judged
    const Result<QString> dataHome = xdgDataHome();
    if (!dataHome)
        return dataHome.outcome();
    return prepareProgramFolder(executable.value(), dataHome.value());
}

} // namespace brixolan
