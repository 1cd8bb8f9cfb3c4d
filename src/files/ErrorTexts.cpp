// SPDX-License-Identifier: GPL-3.0-or-later
#include "ErrorTexts.h"

#include <cerrno>
#include <utility>

namespace brixolan {

namespace {

// Every error a save, a read, a folder's creation or the copy of the installed data can end
// with on a Linux file system.
constexpr std::pair<int, const char*> Texts[] = {
    {0, "Unbekannter Fehler"},
    {ENOSPC, "Auf dem Datenträger ist kein Platz mehr frei"},
    {EDQUOT, "Das Speicherkontingent (Quota) des Benutzers ist ausgeschöpft"},
    {EROFS, "Der Datenträger ist schreibgeschützt eingebunden"},
    {EACCES, "Zugriff verweigert (fehlende Berechtigung)"},
    {EPERM, "Der Vorgang ist nicht erlaubt (fehlende Berechtigung)"},
    {ENOENT, "Datei oder Ordner nicht gefunden"},
    {ENOTDIR, "Ein Teil des Pfads ist kein Ordner"},
    {EISDIR, "Das Ziel ist ein Ordner"},
    {EEXIST, "Unter dem Namen steht bereits eine Datei"},
    {EFBIG, "Die Datei wäre größer, als erlaubt ist (Dateigrößen-Grenze)"},
    {EIO, "Ein-/Ausgabefehler des Datenträgers"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {ELOOP, "Zu viele Verknüpfungen im Pfad"},
    {EMFILE, "Das Spiel hat zu viele Dateien geöffnet"},
    {ENFILE, "Das System hat zu viele Dateien geöffnet"},
    {ENOMEM, "Nicht genug Arbeitsspeicher"},
    {EBUSY, "Die Datei oder der Ordner wird gerade benutzt"},
    {ETXTBSY, "Die Datei wird gerade ausgeführt"},
    {EXDEV, "Datei und Ziel liegen auf verschiedenen Datenträgern"},
    {EMLINK, "Der Ordner enthält zu viele Einträge"},
    {ENOTEMPTY, "Der Ordner ist nicht leer"},
    {EINVAL, "Der Vorgang ist hier nicht möglich (ungültiges Argument)"},
    {ENOTSUP, "Das Dateisystem unterstützt den Vorgang nicht"},
    {ENOSYS, "Das System unterstützt den Vorgang nicht"},
    {EAGAIN, "Die Datei ist vorübergehend nicht verfügbar"},
    {EINTR, "Der Vorgang wurde unterbrochen"},
    {ESTALE, "Die Datei auf dem Netzlaufwerk ist nicht mehr gültig"},
    {ENXIO, "Das Gerät ist nicht vorhanden"},
    {ENODEV, "Das Gerät ist nicht vorhanden"},
    {ETIMEDOUT, "Zeitüberschreitung beim Zugriff"},
    {EBADF, "Die Datei ist nicht zum Schreiben geöffnet"},
};

} // namespace

QString errorText(int error) {
    for (const auto& [number, text] : Texts) {
        if (number == error)
            return QString::fromUtf8(text);
    }
    return QStringLiteral("Systemfehler Nummer %1").arg(error);
}

} // namespace brixolan
