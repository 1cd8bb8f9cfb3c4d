#include "NewGameDialog.h"

#include "Colors.h"
#include "Fonts.h"
#include "Game.h"
#include "MainWindowLink.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <cmath>

namespace brixolan {

namespace {

constexpr double PointsPerHeight = 1500.0;

QScrollBar* addBar(QWidget* parent, const char* name, QRect geometry, int maximum, int page) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setGeometry(geometry);
    bar->setRange(0, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(page);
    // The labels follow the bar when the thumb is let go, not while it is dragged.
    bar->setTracking(false);
    return bar;
}

} // namespace

NewGameDialog::NewGameDialog(Game& game, MainWindowLink& link, QWidget* parent)
    : SecondaryWindow(QStringLiteral("Form1"), QStringLiteral("Neues Spiel"), QSize(4680, 3900),
                      parent),
      m_game(game), m_link(link) {
    const QColor red = toQColor(named::Red);
    const QColor green = toQColor(named::Green);
    const QString zero = QStringLiteral("0");

    // The level bar pages by 5 and the height bar by 3; both start at 0, as their labels do.
    m_levelBar = addBar(this, "HScroll1", twipsRect(240, 240, 3615, 495), 9, 5);
    m_levelLabel = addLabel("Label2", zero, twipsRect(4080, 240, 495, 495), captionFont(24), red);
    addLabel("Label1", QStringLiteral("Spielstart in Level"), twipsRect(1200, 840, 3255, 255),
             captionFont(14.25), green);
    m_heightBar = addBar(this, "HScroll2", twipsRect(240, 1320, 3615, 495), 6, 3);
    m_heightLabel = addLabel("Label3", zero, twipsRect(4080, 1320, 375, 495), captionFont(24), red);
    addLabel("Label4", QStringLiteral("High beim Start"), twipsRect(1200, 1920, 2055, 375),
             captionFont(14.25), green);
    addLabel("Label5", QStringLiteral("Punkte bei Spielstart :"), twipsRect(120, 2520, 3255, 375),
             captionFont(20.25), green);
    m_pointsLabel =
        addLabel("Label6", zero, twipsRect(3360, 2520, 1095, 375), captionFont(24), red);
    fitFontToWidth(m_pointsLabel, QStringLiteral("9000"));

    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(twips(120), twips(3120), twips(4560 - 120), 1);
    QPalette lineColours = line->palette();
    lineColours.setColor(QPalette::Window, green);
    line->setPalette(lineColours);
    line->setAutoFillBackground(true);

    QPushButton* startButton =
        addButton("Command2", QStringLiteral("Starten"), twipsRect(720, 3360, 1455, 375));
    QPushButton* cancelButton =
        addButton("Command1", QStringLiteral("Abbrechen"), twipsRect(2400, 3360, 1455, 375));

    setTabOrder(m_levelBar, cancelButton);
    setTabOrder(cancelButton, startButton);
    setTabOrder(startButton, m_heightBar);

    connect(m_levelBar, &QScrollBar::valueChanged, this, &NewGameDialog::levelChanged);
    connect(m_heightBar, &QScrollBar::valueChanged, this, &NewGameDialog::heightChanged);
    connect(startButton, &QPushButton::clicked, this, &NewGameDialog::start);
    connect(cancelButton, &QPushButton::clicked, this, &NewGameDialog::cancel);
}

void NewGameDialog::showEvent(QShowEvent* event) {
    m_link.setMainWindowEnabled(false);
    SecondaryWindow::showEvent(event);
}

void NewGameDialog::levelChanged(int value) {
    m_levelLabel->setText(QString::number(value));
}

void NewGameDialog::heightChanged(int value) {
    m_heightLabel->setText(QString::number(value));
    // The points follow the height alone; the level never touches them.
    const double points = m_heightLabel->text().toDouble() * PointsPerHeight;
    m_pointsLabel->setText(QString::number(std::llround(points)));
}

void NewGameDialog::start() {
    // The labels, not the bars, are what the player saw and what is handed over.
    m_game.acceptNewGame(m_levelLabel->text().toInt(), m_heightLabel->text().toInt(),
                         m_pointsLabel->text().toLongLong());
    close();
}

void NewGameDialog::cancel() {
    m_game.cancelNewGame();
    close();
}

void NewGameDialog::unloaded() {
    m_link.returnToMainWindow();
}

} // namespace brixolan
