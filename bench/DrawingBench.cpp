// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's share of a tick: the rules plus what reaches its surfaces, offscreen,
// with the program's own bitmaps. Run from the build tree's program folder.
#include "DialogServices.h"
#include "MainWindow.h"
#include "MixingRandom.h"
#include "ProgramFolder.h"
#include "SystemClock.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace brixolan;

// Nothing may block a benchmark: every question is answered at once.
class SilentDialogs final : public DialogServices {
public:
    void message(QWidget*, const QString&, const QString&, MessageIcon) override {}
    bool ask(QWidget*, const QString&, const QString&) override { return false; }
    QString input(QWidget*, const QString&, const QString&, const QString&, InputText) override {
        return {};
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool openUrl(const QUrl&) override { return true; }
    bool startDetached(const QString&) override { return true; }
    /// A start-up that ends the program (the folder lacks its bitmaps) throws this.
    struct Ended {};

protected:
    void endProgram() override { throw Ended{}; }
};

struct Fixture {
    SilentDialogs dialogs;
    MixingRandom random;
    SystemClock clock;
    MainWindow window{ProgramFolder::ofExecutable(), dialogs, random, clock};
    bool ready = [this] {
        try {
            window.startUp(QSize(1920, 1080));
            return true;
        } catch (const SilentDialogs::Ended&) {
            return false;
        }
    }();
    QWidget* well = window.findChild<QWidget*>(QStringLiteral("Picture1"));

    void quickStart() {
        // A finished game leaves its table open; it goes before the next quick start.
        if (auto* table = window.findChild<QDialog*>(QStringLiteral("Form2")))
            table->close();
        window.findChild<QAction*>(QStringLiteral("ss"))->trigger();
    }
    void press(int key, bool down) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(well, &event);
    }
};

// Made on first use and destroyed in main() while the application still exists: windows
// outliving it crash the program at exit.
std::unique_ptr<Fixture> instance;
Fixture& fixture() {
    if (!instance)
        instance = std::make_unique<Fixture>();
    return *instance;
}

void tickWithDrawing(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("the program folder lacks its bitmaps");
        return;
    }
    f.quickStart();
    constexpr std::array Keys{Qt::Key_Space, Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
    std::size_t pressed = 0;
    for (auto _ : state) {
        f.window.tick();
        state.PauseTiming();
        if (!f.window.game().running())
            f.quickStart();
        // Alternate the keys so that stones move, turn and drop.
        f.press(Keys[pressed % Keys.size()], false);
        f.press(Keys[++pressed % Keys.size()], true);
        state.ResumeTiming();
    }
}
BENCHMARK(tickWithDrawing)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    instance.reset();
    return 0;
}
