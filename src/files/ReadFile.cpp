// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReadFile.h"

#include "ErrorTexts.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brixolan {

namespace {

constexpr qint64 Chunk = 64 * 1024;

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

FileBytes refuse(ReadProblem problem, const QString& path, const QString& why) {
    return {problem,
            Outcome::failure(
                QStringLiteral("Die Datei \"%1\" %2").arg(QDir::toNativeSeparators(path), why))};
}

FileBytes failed(const QString& path, int error) {
    return refuse(ReadProblem::Failed, path,
                  QStringLiteral("konnte nicht gelesen werden (%1).").arg(errorText(error)));
}

FileBytes tooLarge(const QString& path, qint64 limit) {
    return refuse(ReadProblem::TooLarge, path,
                  QStringLiteral("ist zu groß; gelesen werden höchstens %1 Bytes.").arg(limit));
}

} // namespace

bool isRegularFile(const QString& path) {
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat info {};
    return fd.get() >= 0 && ::fstat(fd.get(), &info) == 0 && S_ISREG(info.st_mode);
}

FileBytes readFile(const QString& path, ReadLimit limit) {
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return refuse(ReadProblem::Missing, path, QStringLiteral("wurde nicht gefunden."));
        if (error == EACCES || error == EPERM)
            return refuse(ReadProblem::Denied, path,
                          QStringLiteral("darf nicht gelesen werden: Zugriff verweigert."));
        return failed(path, error);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return failed(path, errno);
    if (S_ISDIR(info.st_mode))
        return refuse(ReadProblem::NotAFile, path,
                      QStringLiteral("ist ein Ordner und wird nicht gelesen."));
    if (!S_ISREG(info.st_mode))
        return refuse(ReadProblem::NotAFile, path,
                      QStringLiteral("ist keine gewöhnliche Datei (sondern etwa ein Gerät oder "
                                     "eine Pipe) und wird nicht gelesen."));
    if (limit.stopAfterCrs == 0 && info.st_size > limit.maxBytes)
        return tooLarge(path, limit.maxBytes);

    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(info.st_size, limit.maxBytes) + 1));
    int crs = 0;
    // A buffer of known size lets the checked read guard it.
    char chunk[Chunk];
    for (;;) {
        // One byte past the limit tells a file that grew beyond it while being read.
        const qint64 wanted = std::min(Chunk, limit.maxBytes + 1 - bytes.size());
        const ssize_t got = ::read(fd.get(), chunk, std::size_t(wanted));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return failed(path, errno);
        if (got == 0)
            break;
        const qsizetype start = bytes.size();
        bytes.append(chunk, got);
        for (qsizetype at = start; limit.stopAfterCrs > 0 && at < bytes.size(); ++at) {
            if (bytes[at] == '\r' && ++crs == limit.stopAfterCrs) {
                bytes.truncate(at + 1);
                return {ReadProblem::None, bytes};
            }
        }
        if (bytes.size() > limit.maxBytes)
            return tooLarge(path, limit.maxBytes);
    }
    return {ReadProblem::None, bytes};
}

} // namespace brixolan
