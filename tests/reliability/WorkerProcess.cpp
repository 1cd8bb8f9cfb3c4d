#include "WorkerProcess.h"

#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brixolan::reliability {

namespace {

constexpr uid_t Nobody = 65534;
constexpr gid_t NoGroup = 65534;

/// Forks and execs the worker with stdout on a pipe; the read end, or -1.
pid_t spawn(const QStringList& arguments, QByteArrayList environment, RunAs runAs, int* output) {
    // Everything the child needs is prepared before the fork: a forked copy of a threaded
    // program may only make plain system calls.
    std::vector<QByteArray> storage{QByteArray(BRIXOLAN_SAVE_WORKER)};
    for (const QString& argument : arguments)
        storage.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& item : storage)
        argv.push_back(item.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        for (QByteArray& setting : environment)
            ::putenv(setting.data());
        if (runAs == RunAs::Nobody &&
            (::setgroups(0, nullptr) != 0 || ::setgid(NoGroup) != 0 || ::setuid(Nobody) != 0))
            ::_exit(CannotDropRights);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    if (pid < 0) {
        ::close(pipeEnds[0]);
        return -1;
    }
    *output = pipeEnds[0];
    return pid;
}

/// Reads what is there; false at the end of the output.
bool readSome(int fd, QByteArray* into) {
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n > 0) {
            into->append(chunk, n);
            return true;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return false;
    }
}

void reap(pid_t pid, WorkerResult* result) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status))
        result->exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        result->signal = WTERMSIG(status);
}

} // namespace

QByteArray WorkerResult::resultLine() const {
    for (const QByteArray& line : output.split('\n')) {
        if (line == "ok" || line.startsWith("failed"))
            return line;
    }
    return {};
}

long WorkerResult::steps() const {
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith("steps "))
            return line.mid(6).toLong();
    }
    return -1;
}

WorkerResult runSaveWorker(const QStringList& arguments, const QByteArrayList& environment,
                           RunAs runAs) {
    WorkerResult result;
    int output = -1;
    const pid_t pid = spawn(arguments, environment, runAs, &output);
    if (pid < 0)
        return result;
    while (readSome(output, &result.output)) {
    }
    ::close(output);
    reap(pid, &result);
    return result;
}

LoopingWorker::LoopingWorker(const QString& folder, std::int64_t firstGeneration) {
    m_pid = spawn({QStringLiteral("loop"), folder, QString::number(firstGeneration)}, {},
                  RunAs::Self, &m_output);
    if (m_pid < 0)
        return;
    while (!m_buffer.contains('\n') && readSome(m_output, &m_buffer)) {
    }
    m_ready = m_buffer.startsWith("ready\n");
    m_buffer.remove(0, m_buffer.indexOf('\n') + 1);
}

bool LoopingWorker::waitForSaves(int count) {
    while (m_buffer.count('\n') < count) {
        if (!readSome(m_output, &m_buffer))
            return false;
    }
    return !m_buffer.contains("failed");
}

LoopingWorker::~LoopingWorker() {
    if (m_pid > 0)
        kill();
}

std::vector<std::int64_t> LoopingWorker::kill() {
    std::vector<std::int64_t> saved;
    if (m_pid <= 0)
        return saved;
    ::kill(m_pid, SIGKILL);
    WorkerResult ignored;
    reap(m_pid, &ignored);
    m_pid = -1;
    // The pipe keeps every line written before the kill.
    while (readSome(m_output, &m_buffer)) {
    }
    ::close(m_output);
    for (const QByteArray& line : m_buffer.split('\n')) {
        bool ok = false;
        const std::int64_t generation = line.toLongLong(&ok);
        if (ok)
            saved.push_back(generation);
        else if (line.startsWith("failed"))
            m_failure = line;
    }
    return saved;
}

} // namespace brixolan::reliability
