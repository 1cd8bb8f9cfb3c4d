#include "WaitWindow.h"

#include "Fonts.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace brixolan {

namespace {

void centreOnScreen(QWidget* window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void paintNow(QWidget* window) {
    window->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

WaitWindow::WaitWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QString());
    setFixedSize(251, 62); // 3765 x 930 twips
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#Form7 { border: 2px solid #808080; }"));
    auto* label = new QLabel(QStringLiteral("Bitte warten ..."), this);
    label->setObjectName(QStringLiteral("Label1"));
    QFont font = sansSerifFont(12);
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
}

void WaitWindow::showNow() {
    centreOnScreen(this);
    show();
    raise();
    paintNow(this);
}

void WaitWindow::refreshNow() { paintNow(this); }

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form4"));
    setFixedSize(207, 69); // 3105 x 1035 twips
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setFixedSize(32, 32);
    icon->setPixmap(QApplication::windowIcon().pixmap(32, 32));

    auto* name = new QLabel(QStringLiteral("VTQ Brixolan "), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = sansSerifFont(13.5);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setStyleSheet(QStringLiteral("color: #ff0000;"));

    auto* version = new QLabel(QStringLiteral("v1.65 Release"), this);
    version->setObjectName(QStringLiteral("Label2"));
    QFont versionFont = sansSerifFont(8.25);
    versionFont.setBold(true);
    version->setFont(versionFont);
    version->setAlignment(Qt::AlignRight);
    version->setStyleSheet(QStringLiteral("color: #ff0000;"));

    auto* loading = new QLabel(QStringLiteral("wird geladen ..."), this);
    loading->setObjectName(QStringLiteral("Label3"));
    loading->setStyleSheet(QStringLiteral("color: #ffffff;"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(0);
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addWidget(loading);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(icon);
    row->addLayout(texts, 1);
}

void SplashWindow::showNow() {
    centreOnScreen(this);
    show();
    raise();
    paintNow(this);
}

} // namespace brixolan
