// SPDX-License-Identifier: GPL-3.0-or-later
#include "AtomicWrite.h"
#include "BitmapCodec.h"
#include "BrixolanVersion.h"
#include "DialogServices.h"
#include "Game.h"
#include "Geometry.h"
#include "Installation.h"
#include "MainWindow.h"
#include "MixingRandom.h"
#include "ProgramFolder.h"
#include "SessionEnd.h"
#include "StartupTimes.h"
#include "SystemClock.h"
#include "Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QScreen>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

// The options are read before the QApplication exists, so that --help and --version work
// without a display. Returns the exit status when the program ends here.
std::optional<int> handleCommandLine(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    brixolan::installGermanTranslations(app);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Klassisches Spiel mit fallenden Steinen."));
    // Not addHelpOption(): its --help-all offers Qt's display options, which are not taken here
    // since the options are read before the display. The text is Qt's own, translated.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("QCommandLineParser", "Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const bool parsed = parser.parse(QCoreApplication::arguments());
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        const QString error =
            parsed
                ? QStringLiteral("Unerwartetes Argument: %1").arg(parser.positionalArguments()[0])
                : parser.errorText();
        std::fputs(qUtf8Printable(error + QStringLiteral("\n\n") + parser.helpText()), stderr);
        return 2;
    }
    if (parser.isSet(help)) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::puts("Brixolan " BRIXOLAN_VERSION);
        return 0;
    }
    return std::nullopt;
}

// Without a display no message box can be shown: the player reads why on standard error.
[[noreturn]] void endWithoutDisplay() {
    std::fputs("Brixolan: Es wurde keine grafische Anzeige gefunden. Das Spiel braucht eine "
               "laufende X11- oder Wayland-Sitzung (DISPLAY oder WAYLAND_DISPLAY).\n",
               stderr);
    brixolan::QtDialogServices().endProgramNow();
}

// Qt ends a program whose display cannot be opened with an abort and an English hint about
// reinstalling; the player is told in German instead, with the status the manual names.
QtMessageHandler qtHandler = nullptr;
void displayFailureHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg)
        endWithoutDisplay();
    // The platform plugin's own complaints would only repeat the German message in English.
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0)
        return;
    if (qtHandler)
        qtHandler(type, context, text);
}

// Started with a standard stream closed, the program would give its number to the next file it
// opens, the display's connection say, and write its warnings into that.
void openClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY); // the lowest free: fd
    }
}

} // namespace

int main(int argc, char* argv[]) {
    openClosedStandardStreams();
    brixolan::startupPhase("main");
    brixolan::ignoreFileSizeSignal();
    QCoreApplication::setApplicationName(QStringLiteral("Brixolan"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BRIXOLAN_VERSION));
    // Without arguments there is nothing to parse, and the parser's own application is not made.
    if (argc > 1) {
        if (const std::optional<int> status = handleCommandLine(argc, argv))
            return *status;
    }
    brixolan::startupPhase("command line");

    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        endWithoutDisplay();
    qtHandler = qInstallMessageHandler(displayFailureHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    brixolan::startupPhase("QApplication");
    brixolan::installGermanTranslations(app);
    brixolan::startupPhase("translations");
    QApplication::setDesktopFileName(QStringLiteral("brixolan"));

    brixolan::QtDialogServices dialogs;
    const brixolan::Result<brixolan::ProgramFolder> folder = brixolan::prepareProgramFolder();
    if (!folder) {
        // Also for a start from a terminal or a script, which may see no window.
        std::fputs(qUtf8Printable(folder.message() + QLatin1Char('\n')), stderr);
        dialogs.endProgramNow(nullptr, folder.message(), QStringLiteral("Fehler !"),
                              brixolan::MessageIcon::Critical);
    }
    brixolan::startupPhase("program folder");
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(
        brixolan::readPictureFile(folder->path(QStringLiteral("pics/icon.png"))))));
    brixolan::startupPhase("icon");

    brixolan::MixingRandom random;
    brixolan::SystemClock clock;
    brixolan::MainWindow window(folder.value(), dialogs, random, clock);
    brixolan::startupPhase("main window built");

    const QScreen* screen = QGuiApplication::primaryScreen();
    window.startUp(screen ? screen->size() : QSize());
    brixolan::placeOnScreen(&window);
    window.show();
    // Before this a signal ends the program at once; there is nothing unsaved yet.
    brixolan::endInOrderWhenTheSessionEnds(&window);
    brixolan::startupPhase("shown");
    brixolan::startupPhaseAtFirstPaint(&window, "main window");
    window.activate();
    return QApplication::exec();
}
