// Crashes in the middle of a save: every file the game keeps is afterwards exactly the old or
// the new content, never torn or missing, and start-up removes what the crash left behind.
#include "AtomicWrite.h"
#include "Environment.h"
#include "FakeDialogServices.h"
#include "MainWindow.h"
#include "SaveScenarios.h"
#include "ScriptedRandom.h"
#include "WorkerProcess.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <thread>
#include <unistd.h>

using namespace brixolan;
using namespace brixolan::reliability;

namespace {

QStringList arguments(SaveKind kind, const QString& root, std::int64_t generation) {
    return {QStringLiteral("save"), QString::fromLatin1(kindName(kind)), root,
            QString::number(generation)};
}

/// Every file of `kind` with the generations it may hold.
std::map<QString, std::vector<std::int64_t>> filesOfKind(SaveKind kind,
                                                         std::vector<std::int64_t> generations) {
    std::map<QString, std::vector<std::int64_t>> files;
    for (const QString& relative : filesOf(kind))
        files[relative] = generations;
    return files;
}

/// The files of `kind` that hold `generation`, or -1 when one of them is torn or missing.
int countHolding(const QString& root, SaveKind kind, std::int64_t generation) {
    int holding = 0;
    for (const auto& [relative, found] : identify(root, filesOfKind(kind, {0, 1}))) {
        if (!found)
            return -1;
        holding += *found == generation ? 1 : 0;
    }
    return holding;
}

std::string describe(SaveKind kind, long step, const WorkerResult& result) {
    return std::string(kindName(kind)) + " at step " + std::to_string(step) + ": " +
           result.output.toStdString();
}

} // namespace

// Each trial starts the worker on the folder the previous trial left, lets it complete a save
// or two and kills it at a random moment of the saves that follow; the model of what each file
// must hold follows the generations the worker reported as saved.
TEST(KilledSaves, everyFileIsTheOldOrTheNewContentAfterRandomKills) {
    const int trials = fromEnvironment("BRIXOLAN_KILL_TRIALS", 200);
    std::mt19937 random(std::uint32_t(fromEnvironment("BRIXOLAN_SEED", 20240611)));

    QTemporaryDir dir;
    const QString root = dir.path();
    writeAll(root, 0);
    std::map<QString, std::int64_t> model;
    for (const QString& relative : allSavedFiles())
        model[relative] = 0;

    std::int64_t next = 1;
    int killedWithTemporaries = 0;
    int killedBetweenBatchRenames = 0;
    std::int64_t completedSaves = 0;
    // The pace of one save as this machine and build run it, so that the kills spread over
    // whole saves however fast they are.
    double microsecondsPerSave = 1000;
    for (int trial = 0; trial < trials; ++trial) {
        LoopingWorker worker(root, next);
        ASSERT_TRUE(worker.started()) << "trial " << trial;
        const int warmUp = 1 + int(random() % 2);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(worker.waitForSaves(warmUp)) << worker.failure().toStdString();
        const std::chrono::duration<double, std::micro> took =
            std::chrono::steady_clock::now() - start;
        microsecondsPerSave = 0.8 * microsecondsPerSave + 0.2 * took.count() / warmUp;
        std::uniform_real_distribution<double> pause(0, 2 * microsecondsPerSave);
        std::this_thread::sleep_for(std::chrono::duration<double, std::micro>(pause(random)));
        const std::vector<std::int64_t> saved = worker.kill();
        ASSERT_TRUE(worker.failure().isEmpty()) << worker.failure().toStdString();

        for (const std::int64_t generation : saved) {
            for (const QString& relative : filesOf(AllKinds[generation % 4]))
                model[relative] = generation;
        }
        completedSaves += std::int64_t(saved.size());
        const std::int64_t interrupted = saved.empty() ? next : saved.back() + 1;
        const QStringList interruptedFiles = filesOf(AllKinds[interrupted % 4]);

        std::map<QString, std::vector<std::int64_t>> candidates;
        for (const auto& [relative, generation] : model) {
            candidates[relative] = {generation};
            if (interruptedFiles.contains(relative))
                candidates[relative].push_back(interrupted);
        }
        int newInBatch = 0;
        for (const auto& [relative, found] : identify(root, candidates)) {
            ASSERT_TRUE(found.has_value())
                << relative.toStdString() << " is torn or missing after trial " << trial
                << " (expected generation " << model[relative] << " or " << interrupted << ")";
            model[relative] = *found;
            newInBatch += *found == interrupted ? 1 : 0;
        }
        if (newInBatch > 0 && newInBatch < interruptedFiles.size())
            ++killedBetweenBatchRenames;

        if (!temporariesBelow(root).isEmpty())
            ++killedWithTemporaries;
        removeStaleTemporaries(root);
        ASSERT_TRUE(temporariesBelow(root).isEmpty());
        next = interrupted + 1;
    }
    std::printf("%d kills: %lld saves completed, %d kills left temporaries, %d struck between "
                "the renames of a batch; no file torn or missing\n",
                trials, static_cast<long long>(completedSaves), killedWithTemporaries,
                killedBetweenBatchRenames);
    // The kills must have struck saves in progress, or the trials proved nothing.
    EXPECT_GT(killedWithTemporaries, trials / 10);
    EXPECT_GT(completedSaves, trials / 10);
}

class InjectedFaults : public ::testing::TestWithParam<SaveKind> {
protected:
    /// The calls one save of this kind makes that change files.
    long stepsOfOneSave() {
        QTemporaryDir dir;
        writeAll(dir.path(), 0);
        const WorkerResult counted = runSaveWorker(arguments(GetParam(), dir.path(), 1));
        EXPECT_EQ(counted.resultLine(), "ok") << counted.output.toStdString();
        return counted.steps();
    }
};

TEST_P(InjectedFaults, aFailureAtAnyStepKeepsEveryOldFileOrSavesAllAndIsReported) {
    const long steps = stepsOfOneSave();
    const auto files = filesOf(GetParam()).size();
    // At least: create the temporary file, write it, sync it, rename it, for each file.
    ASSERT_GE(steps, 4 * files);
    int failures = 0;
    for (long step = 1; step <= steps; ++step) {
        QTemporaryDir dir;
        writeAll(dir.path(), 0);
        const WorkerResult result =
            runSaveWorker(arguments(GetParam(), dir.path(), 1),
                          {"BRIXOLAN_FAULT=fail:" + QByteArray::number(qlonglong(step))});
        ASSERT_EQ(result.exitCode, 0) << describe(GetParam(), step, result);
        const QByteArray line = result.resultLine();
        if (line == "ok") {
            // Only the syncs of the folder may fail without failing the save.
            EXPECT_EQ(countHolding(dir.path(), GetParam(), 1), files)
                << describe(GetParam(), step, result);
        } else {
            ++failures;
            EXPECT_TRUE(line.contains("konnte nicht")) << describe(GetParam(), step, result);
            EXPECT_EQ(countHolding(dir.path(), GetParam(), 0), files)
                << "a failed save changed files: " << describe(GetParam(), step, result);
        }
        // Where the fault struck the removal of a swapped-out old file, start-up removes it.
        const QStringList left = temporariesBelow(dir.path());
        EXPECT_TRUE(left.isEmpty() || (line == "ok" && left.size() == 1))
            << describe(GetParam(), step, result);
        removeStaleTemporaries(dir.path());
        EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
    }
    std::printf("%s: %ld faults injected, %d reported as failed saves\n", kindName(GetParam()),
                steps, failures);
    EXPECT_GE(failures, 4 * files);
}

TEST_P(InjectedFaults, aCrashAtAnyStepLeavesEveryFileOldOrNewAndStartUpCleansUp) {
    const long steps = stepsOfOneSave();
    ASSERT_GT(steps, 0);
    const auto files = filesOf(GetParam()).size();
    for (long step = 1; step <= steps; ++step) {
        QTemporaryDir dir;
        writeAll(dir.path(), 0);
        const WorkerResult result =
            runSaveWorker(arguments(GetParam(), dir.path(), 1),
                          {"BRIXOLAN_FAULT=kill:" + QByteArray::number(qlonglong(step))});
        ASSERT_EQ(result.signal, SIGKILL) << describe(GetParam(), step, result);
        const int holdingNew = countHolding(dir.path(), GetParam(), 1);
        EXPECT_GE(holdingNew, 0) << "torn or missing: " << describe(GetParam(), step, result);
        // Before the first rename nothing may have changed.
        if (step <= 3 * files) {
            EXPECT_EQ(holdingNew, 0) << describe(GetParam(), step, result);
        }
        removeStaleTemporaries(dir.path());
        EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
        EXPECT_EQ(countHolding(dir.path(), GetParam(), 1), holdingNew);
    }
    std::printf("%s: %ld crashes injected\n", kindName(GetParam()), steps);
}

INSTANTIATE_TEST_SUITE_P(EverySave, InjectedFaults, ::testing::ValuesIn(AllKinds),
                         [](const auto& test) { return std::string(kindName(test.param)); });

// Where the file system cannot swap two names, a rename that fails after others cannot be
// undone; each file is still whole, and the message does not claim that nothing changed.
TEST(InjectedFaultsWithoutSwap, aLateRenameFailureSaysThatOtherFilesWereReplaced) {
    const auto files = filesOf(SaveKind::Bitmaps).size();
    QTemporaryDir dir;
    writeAll(dir.path(), 0);
    const WorkerResult plain =
        runSaveWorker(arguments(SaveKind::Bitmaps, dir.path(), 1), {"BRIXOLAN_NO_SWAP=1"});
    EXPECT_EQ(plain.resultLine(), "ok") << plain.output.toStdString();
    EXPECT_EQ(countHolding(dir.path(), SaveKind::Bitmaps, 1), files);

    writeAll(dir.path(), 0);
    const WorkerResult result =
        runSaveWorker(arguments(SaveKind::Bitmaps, dir.path(), 1),
                      {"BRIXOLAN_NO_SWAP=1", "BRIXOLAN_FAULT=fail:2:rename"});
    EXPECT_TRUE(result.resultLine().contains("andere Dateien wurden bereits ersetzt"))
        << result.output.toStdString();
    EXPECT_EQ(countHolding(dir.path(), SaveKind::Bitmaps, 1), 1);
    EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
}

// A link left under a temporary name (by a crash of another tool, or planted) must not make
// the save write into the file it points to: that file would be torn or lost.
TEST(TemporaryNames, aLinkUnderTheTemporaryNameIsReplacedNeverWrittenThrough) {
    QTemporaryDir dir;
    writeAll(dir.path(), 0);
    const QString victim = dir.filePath("victim.txt");
    const QString hardVictim = dir.filePath("other.txt");
    for (const QString& path : {victim, hardVictim}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("keep me");
    }
    ASSERT_TRUE(QFile::link(victim, dir.filePath(QStringLiteral("score.sre") + TemporarySuffix)));
    ASSERT_EQ(
        ::link(QFile::encodeName(hardVictim).constData(),
               QFile::encodeName(dir.filePath(QStringLiteral("Brixolan.dat") + TemporarySuffix))
                   .constData()),
        0);

    QString error;
    ASSERT_TRUE(save(SaveKind::Score, ProgramFolder(dir.path()), 1, &error)) << error.toStdString();
    ASSERT_TRUE(save(SaveKind::Settings, ProgramFolder(dir.path()), 1, &error))
        << error.toStdString();
    for (const QString& path : {victim, hardVictim}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("keep me")) << path.toStdString();
    }
    EXPECT_FALSE(QFileInfo(dir.filePath("score.sre")).isSymLink());
    EXPECT_EQ(countHolding(dir.path(), SaveKind::Score, 1), 1);
    EXPECT_EQ(countHolding(dir.path(), SaveKind::Settings, 1), 1);
    EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
}

// The game itself cleans up after a killed save: its start-up removes the temporary files and
// finds every file whole, old or new.
TEST(KilledSaves, theGameStartsOnTheFolderAKilledSaveLeftAndRemovesItsTemporaries) {
    QTemporaryDir dir;
    writeAll(dir.path(), 0);
    std::mt19937 random(7);
    std::int64_t next = 1;
    // Kill until a kill leaves temporary files behind.
    for (int attempt = 0; attempt < 200 && temporariesBelow(dir.path()).isEmpty(); ++attempt) {
        LoopingWorker worker(dir.path(), next);
        ASSERT_TRUE(worker.started());
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 5000));
        const std::vector<std::int64_t> saved = worker.kill();
        next = (saved.empty() ? next : saved.back() + 1) + 1;
    }
    ASSERT_FALSE(temporariesBelow(dir.path()).isEmpty());

    fakes::FakeDialogServices dialogs;
    fakes::ScriptedRandom gameRandom;
    fakes::FixedClock clock;
    MainWindow window(ProgramFolder(dir.path()), dialogs, gameRandom, clock);
    ASSERT_TRUE(window.formLoad(QSize(1024, 768)));
    EXPECT_TRUE(temporariesBelow(dir.path()).isEmpty());
    std::map<QString, std::vector<std::int64_t>> anyGeneration;
    for (const QString& relative : allSavedFiles()) {
        for (std::int64_t generation = 0; generation <= next; ++generation)
            anyGeneration[relative].push_back(generation);
    }
    for (const auto& [relative, found] : identify(dir.path(), anyGeneration))
        EXPECT_TRUE(found.has_value()) << relative.toStdString() << " is torn or missing";
    EXPECT_TRUE(dialogs.messages.empty());
}
