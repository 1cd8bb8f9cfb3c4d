// Full disks and read-only folders: a save that cannot be made keeps every old file, tells
// the player in German and lets the game go on.
#include "FontSchemeDialog.h"
#include "GTestPrinting.h"
#include "Game.h"
#include "HighscoreWindow.h"
#include "ProcessLimits.h"
#include "SaveScenarios.h"
#include "SchemeFolder.h"
#include "StoneSchemeDialog.h"
#include "WorkerProcess.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace brixolan;
using namespace brixolan::fakes;
using namespace brixolan::reliability;

namespace {

/// Makes `root` and its folders read-only (files stay as they are) until destroyed.
class ReadOnlyFolders {
public:
    explicit ReadOnlyFolders(const QString& root) {
        m_folders << root;
        QDirIterator it(root, QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            m_folders << it.next();
        for (const QString& folder : m_folders)
            ::chmod(QFile::encodeName(folder).constData(), 0555);
    }
    ~ReadOnlyFolders() {
        for (const QString& folder : m_folders)
            ::chmod(QFile::encodeName(folder).constData(), 0755);
    }
    ReadOnlyFolders(const ReadOnlyFolders&) = delete;
    ReadOnlyFolders& operator=(const ReadOnlyFolders&) = delete;

private:
    QStringList m_folders;
};

std::map<QString, std::vector<std::int64_t>> candidates(SaveKind kind, std::int64_t generation) {
    std::map<QString, std::vector<std::int64_t>> files;
    for (const QString& relative : filesOf(kind))
        files[relative] = {generation};
    return files;
}

/// True when every file of `kind` holds `generation`.
bool allHold(const QString& root, SaveKind kind, std::int64_t generation) {
    for (const auto& [relative, found] : identify(root, candidates(kind, generation))) {
        if (found != generation)
            return false;
    }
    return true;
}

qint64 largestFile(SaveKind kind, std::int64_t generation) {
    qint64 largest = 0;
    for (const QString& relative : filesOf(kind))
        largest = std::max(largest, qint64(contentOf(relative, generation).size()));
    return largest;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class EverySave : public ::testing::TestWithParam<SaveKind> {};

TEST_P(EverySave, onAFullDiskEveryOldFileStaysAndTheMessageIsGerman) {
    const SaveKind kind = GetParam();
    int failed = 0;
    // Nothing fits, half of the largest file fits, all but its last byte fits, everything fits.
    const qint64 largest = largestFile(kind, 1);
    for (const qint64 limit : {qint64(0), largest / 2, largest - 1, largest}) {
        QTemporaryDir dir;
        writeAll(dir.path(), 0);
        const WorkerResult result =
            runSaveWorker({"save", kindName(kind), dir.path(), "1", QString::number(limit)});
        ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
        if (limit == largest) {
            EXPECT_EQ(result.resultLine(), "ok") << limit;
            EXPECT_TRUE(allHold(dir.path(), kind, 1)) << limit;
        } else {
            ++failed;
            EXPECT_TRUE(result.resultLine().contains("konnte nicht geschrieben werden"))
                << limit << ": " << result.output.toStdString();
            EXPECT_TRUE(allHold(dir.path(), kind, 0)) << "limit " << limit;
        }
        EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty()) << limit;
    }
    EXPECT_EQ(failed, 3);
}

TEST_P(EverySave, inAReadOnlyFolderEveryOldFileStaysAndTheMessageIsGerman) {
    const SaveKind kind = GetParam();
    QTemporaryDir dir;
    writeAll(dir.path(), 0);
    const ReadOnlyFolders readOnly(dir.path());
    // Root ignores folder rights; the worker then runs as nobody.
    const WorkerResult result = runSaveWorker({"save", kindName(kind), dir.path(), "1"}, {},
                                              ::geteuid() == 0 ? RunAs::Nobody : RunAs::Self);
    if (result.exitCode == CannotDropRights)
        GTEST_SKIP() << "cannot run as user nobody, so read-only folders cannot be tested";
    ASSERT_EQ(result.exitCode, 0) << result.output.toStdString();
    EXPECT_TRUE(result.resultLine().startsWith("failed")) << result.output.toStdString();
    EXPECT_TRUE(result.resultLine().contains("konnte nicht geschrieben werden"))
        << result.output.toStdString();
    EXPECT_TRUE(allHold(dir.path(), kind, 0));
    EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Saves, EverySave, ::testing::ValuesIn(AllKinds),
                         [](const auto& test) { return std::string(kindName(test.param)); });

// The same faults as the player meets them in the windows.
class FailingSavesInWindows : public ::testing::TestWithParam<bool> {
protected:
    /// Runs `save` on a full disk (false) or in a read-only folder (true).
    template <typename F> void underFault(const QString& root, F save) {
        if (GetParam()) {
            const ReadOnlyFolders readOnly(root);
            const UnprivilegedScope nobody;
            if (!nobody.active())
                GTEST_SKIP() << "cannot act as user nobody, so read-only folders cannot be tested";
            save();
        } else {
            const FileSizeLimit full(0);
            save();
        }
    }
};

TEST_P(FailingSavesInWindows, highscoreKeepsTheOldFileWarnsAndHandsTheGameBack) {
    QTemporaryDir dir;
    writeAll(dir.path(), 0);
    const QByteArray before = bytesOf(dir.filePath("score.sre"));
    GameState state;
    state.Spiel = true;
    state.PunkteInList = 250000;
    state.HasPunkteInList = true;
    FakeDialogServices dialogs;
    dialogs.inputAnswers = {QStringLiteral("Jörg")};
    FakeMainWindowLink link;
    HighscoreWindow* window =
        HighscoreWindow::open(state, ProgramFolder(dir.path()), dialogs, link);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QLabel*>("NameNN_1")->text(), "Jörg");

    underFault(dir.path(), [&] { window->findChild<QPushButton*>("Command1")->click(); });
    if (IsSkipped())
        return;
    EXPECT_EQ(bytesOf(dir.filePath("score.sre")), before);
    ASSERT_FALSE(dialogs.messages.empty());
    EXPECT_TRUE(
        dialogs.messages.back().text.startsWith("Die Highscore konnte nicht gespeichert werden"));
    EXPECT_TRUE(dialogs.messages.back().icon == MessageIcon::Warning);
    EXPECT_EQ(link.returns, 1);
    EXPECT_TRUE(link.enabled);
    EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
}

TEST_P(FailingSavesInWindows, fontSchemeChangesNothingWarnsAndStaysOpenForAnotherTry) {
    SchemeDialogFixture<FontSchemeDialog> fixture;
    fixture.reset();
    fixture.open();
    const QByteArray settings = fixture.folder->bytes("Brixolan.dat");
    const auto grafiken = fixture.folder->grafiken();

    underFault(fixture.folder->path(""), [&] { fixture.click("Command2"); });
    if (IsSkipped())
        return;
    EXPECT_EQ(fixture.folder->bytes("Brixolan.dat"), settings);
    EXPECT_EQ(fixture.folder->grafiken(), grafiken);
    ASSERT_EQ(fixture.dialogs.messages.size(), 1u);
    EXPECT_EQ(fixture.dialogs.messages[0].title, "Schema nicht übernommen");
    EXPECT_TRUE(fixture.dialogs.messages[0].text.contains("bleiben unverändert"));
    EXPECT_TRUE(fixture.dialog->isVisible() && fixture.dialog->isEnabled());
    EXPECT_TRUE(temporariesBelow(fixture.folder->path("")).isEmpty());
    fixture.click("Command3");
    EXPECT_EQ(fixture.link.returns, 1);
}

TEST_P(FailingSavesInWindows, stoneSchemeChangesNothingWarnsAndStaysOpenForAnotherTry) {
    SchemeDialogFixture<StoneSchemeDialog> fixture;
    fixture.reset();
    fixture.open();
    const auto grafiken = fixture.folder->grafiken();

    underFault(fixture.folder->path(""), [&] { fixture.click("Command1"); });
    if (IsSkipped())
        return;
    EXPECT_EQ(fixture.folder->grafiken(), grafiken);
    ASSERT_EQ(fixture.dialogs.messages.size(), 1u);
    EXPECT_EQ(fixture.dialogs.messages[0].title, "Schema nicht übernommen");
    EXPECT_TRUE(fixture.dialog->isVisible() && fixture.dialog->isEnabled());
    EXPECT_TRUE(temporariesBelow(fixture.folder->path("")).isEmpty());
    fixture.click("Command2");
    EXPECT_EQ(fixture.link.returns, 1);
}

INSTANTIATE_TEST_SUITE_P(FullDiskOrReadOnly, FailingSavesInWindows, ::testing::Bool(),
                         [](const auto& test) {
                             return std::string(test.param ? "readOnlyFolder" : "fullDisk");
                         });
