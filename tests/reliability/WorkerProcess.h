#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <sys/types.h>
#include <vector>

namespace brixolan::reliability {

/// How a child process ended and what it printed.
struct WorkerResult {
    int exitCode = -1; ///< -1 when it was killed
    int signal = 0;    ///< the signal that killed it, 0 when it exited
    QByteArray output;
    /// The result line of a single save: "ok" or "failed <message>".
    QByteArray resultLine() const;
    /// The count of the "steps <n>" line, -1 when missing.
    long steps() const;
};

/// Who the child runs as.
enum class RunAs { Self, Nobody };

/// Exit code of a child that could not become user nobody.
inline constexpr int CannotDropRights = 77;

/// Runs the save worker with `arguments` to its end, with `environment` ("NAME=value")
/// added to its own.
WorkerResult runSaveWorker(const QStringList& arguments, const QByteArrayList& environment = {},
                           RunAs runAs = RunAs::Self);

/// A save worker in its "loop" mode, to be killed at a moment the test chooses.
class LoopingWorker {
public:
    LoopingWorker(const QString& folder, std::int64_t firstGeneration);
    ~LoopingWorker();
    LoopingWorker(const LoopingWorker&) = delete;
    LoopingWorker& operator=(const LoopingWorker&) = delete;

    /// False when the worker did not start.
    bool started() const { return m_pid > 0 && m_ready; }
    /// Waits until the worker has reported `count` saves in all; false when it ended first.
    bool waitForSaves(int count);
    /// SIGKILLs the worker and returns the generations it reported as saved, in order.
    std::vector<std::int64_t> kill();
    /// The worker's report of a save that failed, empty when none did.
    const QByteArray& failure() const { return m_failure; }

private:
    pid_t m_pid = -1;
    int m_output = -1;
    bool m_ready = false;
    QByteArray m_buffer;
    QByteArray m_failure;
};

} // namespace brixolan::reliability
