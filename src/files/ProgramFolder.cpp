// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace brixolan {

std::optional<QString> decodedFolderName(const QByteArray& name) {
    const QString decoded = QFile::decodeName(name);
    if (name.isEmpty() || QFile::encodeName(decoded) != name)
        return std::nullopt;
    return decoded;
}

QString printableName(const QByteArray& name) {
    QString shown;
    for (qsizetype at = 0; at < name.size();) {
        // The shortest valid UTF-8 sequence here is one character; a byte that starts none is
        // shown as its value.
        qsizetype length = 1;
        while (length <= 4 && at + length <= name.size() &&
               !decodedFolderName(name.mid(at, length)))
            ++length;
        if (length > 4 || at + length > name.size()) {
            shown += QStringLiteral("\\x%1").arg(uchar(name[at]), 2, 16, QLatin1Char('0'));
            ++at;
            continue;
        }
        shown += QFile::decodeName(name.mid(at, length));
        at += length;
    }
    return shown;
}

ProgramFolder::ProgramFolder(QString root) : ProgramFolder(root, root) {}

ProgramFolder::ProgramFolder(QString root, QString libraryFolder)
    : m_root(std::move(root)), m_libraryFolder(std::move(libraryFolder)) {
    while (m_root.size() > 1 && m_root.endsWith(QLatin1Char('/')))
        m_root.chop(1);
}

ProgramFolder ProgramFolder::ofExecutable() {
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::path(const QString& relative) const {
    QString current = m_root;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString next = current + QLatin1Char('/') + part;
        if (!QFileInfo::exists(next)) {
            // Look for the same name in another case; keep the given spelling when none exists.
            const QStringList entries =
                QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            for (const QString& entry : entries) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    next = current + QLatin1Char('/') + entry;
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

bool ProgramFolder::folderExists(const QString& relative) const {
    return QFileInfo(path(relative)).isDir();
}

bool ProgramFolder::makeFolder(const QString& relative) const {
    return QDir().mkpath(path(relative));
}

} // namespace brixolan
