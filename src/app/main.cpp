#include "AtomicWrite.h"
#include "DialogServices.h"
#include "Game.h"
#include "Installation.h"
#include "MainWindow.h"
#include "MixingRandom.h"
#include "ProgramFolder.h"
#include "SystemClock.h"

#include <QApplication>
#include <QIcon>
#include <QScreen>

int main(int argc, char* argv[]) {
    brixolan::ignoreFileSizeSignal();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brixolan"));
    QApplication::setApplicationVersion(QStringLiteral("1.65"));
    QApplication::setDesktopFileName(QStringLiteral("brixolan"));

    brixolan::QtDialogServices dialogs;
    QString error;
    const std::optional<brixolan::ProgramFolder> folder = brixolan::prepareProgramFolder(
        QCoreApplication::applicationDirPath(), brixolan::xdgDataHome(), &error);
    if (!folder) {
        dialogs.message(nullptr, error, QStringLiteral("Fehler !"),
                        brixolan::MessageIcon::Critical);
        return 1;
    }
    QApplication::setWindowIcon(QIcon(folder->path(QStringLiteral("pics/icon.png"))));

    brixolan::MixingRandom random;
    brixolan::SystemClock clock;
    brixolan::MainWindow window(*folder, dialogs, random, clock);

    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!window.formLoad(screen ? screen->size() : QSize()))
        return 1;
    QRect frame = window.frameGeometry();
    if (screen)
        frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
    window.show();
    window.formActivate();
    return QApplication::exec();
}
