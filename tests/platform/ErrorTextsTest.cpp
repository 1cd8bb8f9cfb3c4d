// SPDX-License-Identifier: GPL-3.0-or-later
// The German texts for system errors, also inside the messages of real failures under whatever
// locale the test runs in (error_locales_test.sh runs it under C, POSIX and tr_TR.UTF-8).
#include "ErrorTexts.h"
#include "AtomicWrite.h"
#include "ReadFile.h"

#include <QTemporaryDir>
#include <cerrno>
#include <clocale>
#include <cstring>
#include <gtest/gtest.h>

using namespace brixolan;

TEST(ErrorTexts, theErrorsOfSavingAndReadingHaveGermanTextsAndARareOneItsNumber) {
    const std::pair<int, const char*> rows[] = {
        {ENOSPC, "kein Platz mehr frei"}, {EDQUOT, "Speicherkontingent"},
        {EROFS, "schreibgeschützt"},      {EACCES, "Zugriff verweigert"},
        {EPERM, "nicht erlaubt"},         {ENOENT, "nicht gefunden"},
        {EFBIG, "Dateigrößen-Grenze"},    {EIO, "Ein-/Ausgabefehler"},
        {ENAMETOOLONG, "zu lang"},        {EHWPOISON, "Systemfehler Nummer 133"}};
    for (const auto& [error, text] : rows)
        EXPECT_TRUE(errorText(error).contains(QString::fromUtf8(text)))
            << error << ": " << errorText(error).toStdString();
}

// Under C the system's text was English, under tr_TR Turkish.
TEST(ErrorTexts, messagesOfRealFailuresAreGermanUnderTheLocaleInForce) {
    const char* locale = std::setlocale(LC_ALL, "");
    if (locale == nullptr)
        GTEST_SKIP() << "the locale of the environment is not installed";
    QTemporaryDir dir;
    const QString tooLong = dir.filePath(QString(300, QLatin1Char('n')));
    const QString system = QString::fromLocal8Bit(std::strerror(ENAMETOOLONG));
    const QString messages[] = {saveFile(dir.path(), tooLong, "x").message(),
                                readFile(tooLong, {100}).bytes.message()};
    for (const QString& message : messages) {
        EXPECT_TRUE(message.contains(QStringLiteral("Der Dateiname ist zu lang")) &&
                    !message.contains(system))
            << locale << ": " << message.toStdString();
    }
    std::setlocale(LC_ALL, "C");
}
