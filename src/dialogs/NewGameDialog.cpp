// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewGameDialog.h"

#include "Colors.h"
#include "Fonts.h"
#include "Geometry.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace brixolan {

namespace {

/// A horizontal scroll bar that shows when it has the keyboard, which the style's bar does not.
class ValueBar : public QScrollBar {
public:
    explicit ValueBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QScrollBar::paintEvent(event);
        if (!hasFocus())
            return;
        QStylePainter painter(this);
        QStyleOptionFocusRect mark;
        mark.initFrom(this);
        mark.rect = rect().adjusted(1, 1, -1, -1);
        // Also before the first Tab: the dialog opens with the focus on a bar.
        mark.state |= QStyle::State_KeyboardFocusChange;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, mark);
    }
};

QScrollBar* addBar(QWidget* parent, const char* name, QRect geometry, int maximum, int page) {
    auto* bar = new ValueBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setGeometry(geometry);
    bar->setRange(0, maximum);
    bar->setPageStep(page);
    // The values follow the thumb when it is let go, not while it is dragged.
    bar->setTracking(false);
    // Arrows, Page Up/Down, Home and End move a bar that has the focus: Right and Up make the
    // value larger, as the bar is drawn (a scroll bar's default runs them the other way).
    bar->setFocusPolicy(Qt::StrongFocus);
    bar->setInvertedControls(false);
    return bar;
}

} // namespace

NewGameDialog::NewGameDialog(std::int64_t pointsPerHeight, QWidget* parent)
    : GameDialog(QStringLiteral("Form1"), QStringLiteral("Neues Spiel"), QSize(4680, 3900), parent),
      m_pointsPerHeight(pointsPerHeight) {
    const QColor red = toQColor(named::Red);
    const QColor green = toQColor(named::Green);
    const QString widestPoints = QString::number(6 * pointsPerHeight);

    QScrollBar* levelBar = addBar(this, "HScroll1", twipsRect(240, 240, 3615, 495), 9, 5);
    m_levelLabel = addLabel("Label2", QStringLiteral("0"), twipsRect(4080, 240, 495, 495),
                            captionFont(24), red);
    addLabel("Label1", QStringLiteral("Spielstart in Level"), twipsRect(1200, 840, 3255, 255),
             captionFont(14.25), green);
    QScrollBar* heightBar = addBar(this, "HScroll2", twipsRect(240, 1320, 3615, 495), 6, 3);
    m_heightLabel = addLabel("Label3", QStringLiteral("0"), twipsRect(4080, 1320, 375, 495),
                             captionFont(24), red);
    addLabel("Label4", QStringLiteral("High beim Start"), twipsRect(1200, 1920, 2055, 375),
             captionFont(14.25), green);
    addLabel("Label5", QStringLiteral("Punkte bei Spielstart :"), twipsRect(120, 2520, 3255, 375),
             captionFont(20.25), green);
    m_pointsLabel = addLabel("Label6", QStringLiteral("0"), twipsRect(3360, 2520, 1095, 375),
                             captionFont(24), red);
    m_pointsLabel->setFont(condensedToFit(captionFont(24), widestPoints, m_pointsLabel->width()));

    auto* line = new QWidget(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setGeometry(twips(120), twips(3120), twips(4560 - 120), 1);
    QPalette lineColours = line->palette();
    lineColours.setColor(QPalette::Window, green);
    line->setPalette(lineColours);
    line->setAutoFillBackground(true);

    QPushButton* start =
        addButton("Command2", QStringLiteral("Starten"), twipsRect(720, 3360, 1455, 375));
    QPushButton* cancel =
        addButton("Command1", QStringLiteral("Abbrechen"), twipsRect(2400, 3360, 1455, 375));

    // Return starts the game wherever the focus is, except on "Abbrechen" (a focused button
    // takes Return itself); Escape closes the dialog without one.
    start->setDefault(true);

    // The level bar has the focus first; then "Abbrechen", "Starten", the height bar.
    setTabOrder(levelBar, cancel);
    setTabOrder(cancel, start);
    setTabOrder(start, heightBar);
    levelBar->setFocus();

    connect(levelBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_choice.level = value;
        showChoice();
    });
    connect(heightBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_choice.height = value;
        m_choice.points = value * m_pointsPerHeight;
        showChoice();
    });
    connect(start, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, [this] { done(Withdrawn); });
}

void NewGameDialog::showChoice() {
    m_levelLabel->setText(QString::number(m_choice.level));
    m_heightLabel->setText(QString::number(m_choice.height));
    // The points follow the height alone; the level never touches them.
    m_pointsLabel->setText(QString::number(m_choice.points));
}

} // namespace brixolan
