// The main window's share of a tick: the rules plus every copy onto the surfaces, offscreen,
// with the program's own bitmaps. Run from the build tree's program folder.
#include "DialogServices.h"
#include "MainWindow.h"
#include "MixingRandom.h"
#include "ProgramFolder.h"
#include "SystemClock.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using namespace brixolan;

// Nothing may block a benchmark: every question is answered at once.
class SilentDialogs final : public DialogServices {
public:
    void message(QWidget*, const QString&, const QString&, MessageIcon) override {}
    QString input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool openUrl(const QUrl&) override { return true; }
    bool startDetached(const QString&) override { return true; }
    void endProgramNow() override {}
};

struct Fixture {
    SilentDialogs dialogs;
    MixingRandom random;
    SystemClock clock;
    MainWindow window{ProgramFolder::ofExecutable(), dialogs, random, clock};
    bool ready = window.formLoad(QSize(1920, 1080));
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void tickWithDrawing(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("the program folder lacks its bitmaps");
        return;
    }
    f.window.game().quickStart();
    int pressed = 0;
    for (auto _ : state) {
        f.window.runTick();
        // Keep the game going: a well that fills up is emptied between measured ticks.
        GameState& game = f.window.game().state();
        if (game.Spielfeld[6] != decltype(game.Spielfeld)::value_type{} || !game.TimerRunning) {
            state.PauseTiming();
            game.Spielfeld = {};
            if (!game.TimerRunning)
                f.window.game().quickStart();
            state.ResumeTiming();
        }
        // Alternate the keys so that stones move, turn and drop.
        game.Tasten = {};
        game.Tasten[std::size_t(std::array{32, 37, 39, 38, 40}[std::size_t(pressed++ % 5)])] = 1;
    }
}
BENCHMARK(tickWithDrawing)->Unit(benchmark::kMicrosecond);

void drawNineDigits(benchmark::State& state) {
    Fixture& f = fixture();
    if (!f.ready) {
        state.SkipWithError("the program folder lacks its bitmaps");
        return;
    }
    const QString text = QStringLiteral("123456789");
    for (auto _ : state)
        f.window.draw(text, brixolan::Display::Points, 9);
}
BENCHMARK(drawNineDigits)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
