// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of bench/startup.sh: an empty Qt main window of the game's size, shown at once.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare Qt window"));
    window.resize(510, 536);
    window.show();
    return QApplication::exec();
}
