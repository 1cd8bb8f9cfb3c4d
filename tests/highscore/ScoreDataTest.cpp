#include "AtomicWrite.h"
#include "ProgramFolder.h"
#include "ScoreCode.h"
#include "ScoreFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace brixolan;

namespace {

/// Places "P1".."P8" with scores 800 down to 100, lines joined by `end`.
QByteArray sixteenLines(const QByteArray& end) {
    QByteArrayList lines;
    for (int place = 1; place <= ScorePlaces; ++place)
        lines << "P" + QByteArray::number(place) << QByteArray::number(900 - 100 * place);
    return lines.join(end);
}

} // namespace

/// The score text, the "score.sre" format and the plain score code.
class ScoreDataTest : public QObject {
    Q_OBJECT

private slots:
    void scoreTextConvertsLikeTheClassicInteger_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error");
        QTest::newRow("blanks and sign") << QStringLiteral(" \t-42  ") << -42 << 0;
        QTest::newRow("largest") << QStringLiteral("+2147483647") << 2147483647 << 0;
        QTest::newRow("smallest") << QStringLiteral("-2147483648") << int(-2147483648LL) << 0;
        QTest::newRow("one above") << QStringLiteral("2147483648") << 0 << 6;
        QTest::newRow("letters") << QStringLiteral("abc") << 0 << 13;
        QTest::newRow("fraction") << QStringLiteral("1.5") << 0 << 13;
    }
    void scoreTextConvertsLikeTheClassicInteger() {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, error);
        const ScoreValue parsed = parseScore(text);
        QCOMPARE(parsed.error ? parsed.error->number : 0, error);
        QCOMPARE(parsed.value, value);
    }

    void lineEndsFollowTheClassicRules_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("firstName"); // null: the file counts as missing
        const QString p1 = QStringLiteral("P1");
        QTest::newRow("CR LF") << sixteenLines("\r\n") + "\r\n" << p1;
        QTest::newRow("CR alone") << sixteenLines("\r") + "\r" << p1;
        QTest::newRow("last end missing") << sixteenLines("\r\n") << p1;
        QTest::newRow("lines after the 16th") << sixteenLines("\r\n") + "\r\nx\r\n1\r\n" << p1;
        QTest::newRow("lone LF inside a name")
            << "A\nB\r\n" + sixteenLines("\r\n").mid(4) << QStringLiteral("A\nB");
        QTest::newRow("LF only") << sixteenLines("\n") + "\n" << QString();
        QTest::newRow("15 lines") << sixteenLines("\r\n").chopped(5) << QString();
    }
    void lineEndsFollowTheClassicRules() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, firstName);
        const ScoreFileContent content = parseScoreFile(bytes);
        QCOMPARE(content.status,
                 firstName.isNull() ? ScoreFileStatus::NoFile : ScoreFileStatus::Read);
        if (!firstName.isNull()) {
            QCOMPARE(content.table[0].name, firstName);
            QCOMPARE(content.table[7], (ScoreEntry{QStringLiteral("P8"), QStringLiteral("100")}));
        }
    }

    void namesRoundTripThroughCodePage1252() {
        QTemporaryDir dir;
        ScoreTable table = initialScoreTable();
        table[0].name = QStringLiteral("Jürgen Größe €");
        table[1].name = QStringLiteral("Łódź 😀");
        table[2].name = QStringLiteral("Zeile\r\nUmbruch");
        QVERIFY(
            saveFile(dir.path(), dir.filePath(QStringLiteral("score.sre")), encodeScoreFile(table))
                .ok());

        QFile file(dir.filePath(QStringLiteral("score.sre")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("J\xFCrgen Gr\xF6\xDF"
                                 "e \x80\r\n200000\r\n"));
        QCOMPARE(bytes.count("\r\n"), 16);

        const ScoreFileContent back = readScoreFile(ProgramFolder(dir.path()));
        QCOMPARE(back.table[0].name, table[0].name);
        QCOMPARE(back.table[1].name, QStringLiteral("?ód? ?"));
        QCOMPARE(back.table[2].name, QStringLiteral("Zeile  Umbruch"));
        QCOMPARE(back.table[7], initialScoreTable()[7]);
    }

    void plainCodeSumsTheDigits_data() {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("plain");
        QTest::newRow("975") << QStringLiteral("975") << QStringLiteral("bxl16|975|21|");
        QTest::newRow("0") << QStringLiteral("0") << QStringLiteral("bxl16|0|0|");
        QTest::newRow("no game yet") << QString() << QStringLiteral("bxl16||0|");
        QTest::newRow("100 sums to 1") << QStringLiteral("100") << QStringLiteral("bxl16|100|1|");
        QTest::newRow("not a result") << QStringLiteral("Kein Spiel") << QString();
    }
    void plainCodeSumsTheDigits() {
        QFETCH(QString, result);
        QFETCH(QString, plain);
        QCOMPARE(plainScoreCode(result).value_or(QString()), plain);
    }
};

QTEST_GUILESS_MAIN(ScoreDataTest)
#include "ScoreDataTest.moc"
