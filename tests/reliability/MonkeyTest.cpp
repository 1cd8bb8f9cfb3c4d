// The monkey: random keys, ticks, menu commands, clicks in every open window, dialog answers,
// full disks and damaged files, in every state the game reaches, headless. Nothing may crash
// or assert, no save may leave a temporary file, and the main window is never left disabled
// while none of our windows is open. Under the sanitizer build a leak fails the run at exit.
//
// BRIXOLAN_SEED, BRIXOLAN_MONKEY_STEPS and BRIXOLAN_MONKEY_SECONDS change the run.
#include "Environment.h"
#include "FakeDialogServices.h"
#include "MainWindow.h"
#include "MixingRandom.h"
#include "ProcessLimits.h"
#include "SaveScenarios.h"
#include "SchemeFolder.h"
#include "ScriptedRandom.h"
#include "Surface.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <deque>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <random>

using namespace brixolan;
using namespace brixolan::fakes;
using namespace brixolan::reliability;

namespace {

const char* const OurWindows[] = {"Form1", "Form2", "Form3", "Form5", "Form6"};
const char* const MenuItems[] = {"ss",        "fgsfg",   "Highscore", "hgfghf", "vv",
                                 "deinstall", "infodat", "dgfds",     "ertet"};
const Qt::Key Keys[] = {Qt::Key_Left,    Qt::Key_Right, Qt::Key_Up, Qt::Key_Down,  Qt::Key_Space,
                        Qt::Key_Control, Qt::Key_A,     Qt::Key_5,  Qt::Key_Escape};

std::vector<QWidget*> openWindows() {
    std::vector<QWidget*> open;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        for (const char* name : OurWindows) {
            if (widget->objectName() == QLatin1String(name) && widget->isVisible())
                open.push_back(widget);
        }
    }
    return open;
}

class Monkey {
public:
    explicit Monkey(std::uint32_t seed) : m_random(seed), m_gameRandom(seed) {
        QFile uninstall(m_folder.path("uninstall"));
        uninstall.open(QIODevice::WriteOnly);
        uninstall.write("#!/bin/sh\n");
        uninstall.setPermissions(uninstall.permissions() | QFileDevice::ExeOwner);
        startUp();
    }
    ~Monkey() {
        for (QWidget* window : openWindows())
            window->close();
        settle();
    }

    /// One random action and the checks after it; false once a check failed.
    bool step() {
        refillAnswers();
        const int pick = int(m_random() % 100);
        if (pick < 3) {
            damageAFile();
        } else if (pick < 8) {
            const FileSizeLimit full(0);
            ++m_counts["actions on a full disk"];
            act(int(m_random() % 92) + 8);
        } else {
            act(pick);
        }
        settle();
        return check();
    }

    void report() const {
        for (const auto& [what, count] : m_counts)
            std::printf("  %-28s %d\n", what.c_str(), count);
    }
    int count(const std::string& what) const {
        const auto found = m_counts.find(what);
        return found == m_counts.end() ? 0 : found->second;
    }
    std::string lastActions() const {
        std::string text;
        for (const std::string& action : m_log)
            text += "\n  " + action;
        return text;
    }

private:
    void startUp() {
        m_window =
            std::make_unique<MainWindow>(m_folder.folder(), m_dialogs, m_gameRandom, m_clock);
        // The monkey runs the ticks itself, so that a seed replays the same run.
        m_window->timer().blockSignals(true);
        ASSERT_TRUE(m_window->formLoad(QSize(1024, 768)));
        m_window->show();
        m_window->formActivate();
        ++m_counts["start-ups"];
    }

    void log(std::string action) {
        m_log.push_back(std::move(action));
        if (m_log.size() > 25)
            m_log.pop_front();
    }

    void refillAnswers() {
        static const QString Names[] = {QString(),
                                        QStringLiteral("Affe"),
                                        QStringLiteral("Jörg Übel"),
                                        QStringLiteral("   "),
                                        QString(300, QLatin1Char('M')),
                                        QStringLiteral("名前😀")};
        m_dialogs.inputAnswers = {Names[m_random() % std::size(Names)]};
        m_dialogs.colorAnswers = {
            m_random() % 3 == 0 ? std::nullopt
                                : std::optional<QColor>(QColor::fromRgb(m_random() & 0xFFFFFF))};
        m_dialogs.openUrlSucceeds = m_random() % 2 == 0;
    }

    void act(int pick) {
        if (pick < 40)
            pressOrReleaseKey();
        else if (pick < 65)
            tick();
        else if (pick < 78)
            chooseMenuItem();
        else
            useAnOpenWindow();
    }

    void pressOrReleaseKey() {
        if (!m_window->isEnabled())
            return;
        const Qt::Key key = Keys[m_random() % std::size(Keys)];
        const bool press = m_random() % 2 == 0;
        const bool repeat = m_random() % 4 == 0;
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier,
                        QString(), repeat);
        QCoreApplication::sendEvent(m_window->well(), &event);
        log(std::string(press ? "press " : "release ") + std::to_string(int(key)) +
            (repeat ? " (repeat)" : ""));
        ++m_counts["keys"];
    }

    void tick() {
        if (!m_window->timer().isActive())
            return;
        const int ticks = 1 + int(m_random() % 40);
        const bool wasOver = m_window->game().state().GameOver;
        for (int n = 0; n < ticks && m_window->timer().isActive(); ++n)
            m_window->runTick();
        log("ticks " + std::to_string(ticks));
        m_counts["ticks"] += ticks;
        if (!wasOver && m_window->game().state().GameOver)
            ++m_counts["games over"];
    }

    void chooseMenuItem() {
        const char* name = MenuItems[m_random() % std::size(MenuItems)];
        auto* action = m_window->findChild<QAction*>(QLatin1String(name));
        // Only what the player can reach: an enabled item in an enabled menu of the enabled
        // main window.
        if (!action || !action->isEnabled() || !m_window->isEnabled())
            return;
        const QObjectList menus = action->associatedObjects();
        if (!std::all_of(menus.begin(), menus.end(), [](QObject* menu) {
                auto* widget = qobject_cast<QWidget*>(menu);
                return !widget || widget->isEnabled();
            }))
            return;
        log(std::string("menu ") + name);
        ++m_counts[std::string("menu ") + name];
        const bool wasRunning = m_window->timer().isActive();
        action->trigger();
        if (!wasRunning && m_window->timer().isActive())
            ++m_counts["games started"];
        if (!m_window->isVisible())
            restart();
    }

    /// "Beenden" or the uninstaller ended the program: start it again on the same folder.
    void restart() {
        settle();
        m_window.reset();
        settle();
        log("restart");
        startUp();
    }

    void useAnOpenWindow() {
        const std::vector<QWidget*> open = openWindows();
        if (open.empty())
            return;
        QWidget* window = open[m_random() % open.size()];
        const std::string name = window->objectName().toStdString();
        const int what = int(m_random() % 10);
        if (what < 5) {
            std::vector<QPushButton*> buttons;
            for (QPushButton* button : window->findChildren<QPushButton*>()) {
                if (button->isEnabled() && button->isVisible())
                    buttons.push_back(button);
            }
            if (buttons.empty())
                return;
            QPushButton* button = buttons[m_random() % buttons.size()];
            log(name + " click " + button->objectName().toStdString());
            ++m_counts["button clicks"];
            const bool wasRunning = m_window->timer().isActive();
            button->click();
            if (!wasRunning && m_window->timer().isActive())
                ++m_counts["games started"];
        } else if (what < 7) {
            for (QListWidget* list : window->findChildren<QListWidget*>()) {
                if (list->count() > 0 && list->isEnabled()) {
                    list->setCurrentRow(int(m_random() % unsigned(list->count())));
                    log(name + " list row " + std::to_string(list->currentRow()));
                }
            }
            for (QScrollBar* bar : window->findChildren<QScrollBar*>()) {
                if (bar->isEnabled()) {
                    bar->setValue(bar->minimum() +
                                  int(m_random() % unsigned(bar->maximum() - bar->minimum() + 1)));
                    log(name + " scroll " + std::to_string(bar->value()));
                }
            }
        } else if (what < 8 && name == "Form2") {
            if (QWidget* banner = window->findChild<QWidget*>("Picture1");
                banner && banner->isVisible()) {
                const QPointF at(5, 5);
                QMouseEvent release(QEvent::MouseButtonRelease, at, banner->mapToGlobal(at),
                                    Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
                QCoreApplication::sendEvent(banner, &release);
                log("Form2 banner");
            }
        } else {
            log(name + " close box");
            ++m_counts["windows closed by the close box"];
            window->close();
        }
    }

    /// Leaves a damaged score or settings file, as another program might.
    void damageAFile() {
        const char* name = m_random() % 2 == 0 ? "score.sre" : "Brixolan.dat";
        QByteArray bytes = m_folder.bytes(name);
        if (bytes == "<none>")
            bytes.clear();
        for (int n = 0; n < 4; ++n) {
            if (!bytes.isEmpty())
                bytes[qsizetype(m_random() % quint64(bytes.size()))] = char(m_random());
        }
        bytes.truncate(qsizetype(m_random() % quint64(bytes.size() + 1)));
        m_folder.writeBytes(name, bytes);
        log(std::string("damaged ") + name);
        ++m_counts["files damaged"];
    }

    void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }

    bool check() {
        const std::vector<QWidget*> open = openWindows();
        m_counts["most windows open at once"] =
            std::max(m_counts["most windows open at once"], int(open.size()));
        EXPECT_TRUE(m_window->isEnabled() || !open.empty())
            << "main window left disabled with none of our windows open" << lastActions();
        EXPECT_EQ(m_dialogs.endRequests, 0) << "the program asked to end" << lastActions();
        EXPECT_TRUE(temporariesBelow(m_folder.path("")).isEmpty())
            << "a save left a temporary file" << lastActions();
        return !::testing::Test::HasFailure();
    }

    std::mt19937 m_random;
    MixingRandom m_gameRandom;
    FixedClock m_clock;
    SchemeFolder m_folder;
    FakeDialogServices m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    std::deque<std::string> m_log;
    std::map<std::string, int> m_counts;
};

} // namespace

TEST(Monkey, playsEveryWindowWithoutCrashOrAStrandedMainWindow) {
    const auto seed = std::uint32_t(fromEnvironment("BRIXOLAN_SEED", 4711));
    const int steps = fromEnvironment("BRIXOLAN_MONKEY_STEPS", 1000000);
    const int seconds = fromEnvironment("BRIXOLAN_MONKEY_SECONDS", 20);
    Monkey monkey(seed);
    ASSERT_FALSE(::testing::Test::HasFailure());
    QElapsedTimer clock;
    clock.start();
    int done = 0;
    // The time is a budget, not a measurement: the run stops when it is spent.
    while (done < steps && clock.elapsed() < qint64(seconds) * 1000) {
        ++done;
        if (!monkey.step())
            break;
    }
    std::printf("monkey seed %u: %d steps in %lld s\n", seed, done,
                static_cast<long long>(clock.elapsed() / 1000));
    monkey.report();
    EXPECT_GT(monkey.count("games started"), 0);
    EXPECT_GT(monkey.count("button clicks"), 0);
}
