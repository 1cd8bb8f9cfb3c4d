// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartupTimes.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <utility>

namespace brixolan {

namespace {

struct PhaseClock {
    bool on = qEnvironmentVariableIsSet("BRIXOLAN_STARTUP_TIMES");
    QElapsedTimer timer;
    qint64 last = 0;
    double lastCpu = 0;
    long lastFaults = 0;
    PhaseClock() { timer.start(); }
};

// The CPU time of this thread in ms and the page faults of the process so far: on a loaded
// machine the wall clock says little, and touching new memory costs more than most computing.
std::pair<double, long> usage() {
    timespec thread{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &thread);
    rusage process{};
    getrusage(RUSAGE_SELF, &process);
    return {double(thread.tv_sec) * 1e3 + double(thread.tv_nsec) / 1e6,
            process.ru_minflt + process.ru_majflt};
}

PhaseClock& phaseClock() {
    static PhaseClock clock;
    return clock;
}

class FirstExpose : public QObject {
public:
    FirstExpose(QObject* parent, const char* name)
        : QObject(parent), m_exposed(QByteArray(name) + " exposed"),
          m_painted(QByteArray(name) + " painted") {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            startupPhase(m_exposed.constData());
            // The first expose paints the window at once; the timer runs after that.
            QTimer::singleShot(0, [painted = m_painted] { startupPhase(painted.constData()); });
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QByteArray m_exposed;
    QByteArray m_painted;
};

} // namespace

void startupPhase(const char* phase) {
    PhaseClock& clock = phaseClock();
    if (!clock.on)
        return;
    const qint64 now = clock.timer.nsecsElapsed();
    const auto [cpu, faults] = usage();
    const QString line =
        QString::asprintf("start-up %-24s %8.2f ms %+8.2f ms, CPU %+7.2f ms, page faults %+5ld\n",
                          phase, double(now) / 1e6, double(now - clock.last) / 1e6,
                          cpu - clock.lastCpu, faults - clock.lastFaults);
    std::fputs(qUtf8Printable(line), stderr);
    clock.last = now;
    clock.lastCpu = cpu;
    clock.lastFaults = faults;
}

void startupPhaseAtFirstPaint(QWidget* window, const char* name) {
    if (!phaseClock().on || !window->windowHandle())
        return;
    window->windowHandle()->installEventFilter(new FirstExpose(window, name));
}

} // namespace brixolan
