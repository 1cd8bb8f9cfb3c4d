// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScoreCode.h"

#include "ReadFile.h"
#include "TextCodec.h"
#include "eks.h"

#include <QByteArray>
#include <cstdint>
#include <limits>

namespace brixolan {

std::optional<QString> plainScoreCode(const QString& resultText) {
    std::int64_t checkSum = 0;
    for (const QChar c : resultText) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        checkSum += c.unicode() - u'0';
        if (checkSum > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
    }
    return QStringLiteral("bxl16|") + resultText + QLatin1Char('|') + QString::number(checkSum) +
           QLatin1Char('|');
}

QUrl scorePageAddress(const QString& code) {
    return QUrl(QLatin1String(ScoreServerBaseAddress) + QStringLiteral("/score.php?punkte=") +
                code);
}

ScoreEncoder::ScoreEncoder(QString libraryFolder) : m_libraryFolder(std::move(libraryFolder)) {}

QFunctionPointer ScoreEncoder::resolve() {
    if (m_encode)
        return m_encode;
    if (!m_library.isLoaded()) {
        const QString file = m_libraryFolder + QStringLiteral("/" BRIXOLAN_EKS_FILE);
        // A FIFO under the name would hold dlopen for ever.
        if (!isRegularFile(file))
            return nullptr;
        m_library.setFileName(file);
        if (!m_library.load())
            return nullptr;
    }
    m_encode = m_library.resolve("EKSEncode");
    return m_encode;
}

std::optional<QString> ScoreEncoder::encode(const QString& plain) {
    const auto function = reinterpret_cast<decltype(&::EKSEncode)>(resolve());
    if (!function)
        return std::nullopt;
    const QByteArray plainBytes = toCp1252(plain);
    const QByteArray keyBytes(ScoreCodeKey);
    const std::int32_t mode = -1;
    QByteArray out(256, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        const long length = function(plainBytes.constData(), keyBytes.constData(), &mode,
                                     out.data(), std::size_t(out.size()));
        if (length < 0 || length > MaxScoreCodeLength)
            return std::nullopt;
        if (length < out.size())
            return fromCp1252(out.left(length));
        out.resize(qsizetype(length) + 1); // the code did not fit: once more with room for it
    }
    return std::nullopt;
}

} // namespace brixolan
