#include "SecondaryWindow.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace brixolan {

QRect twipsRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

void fitFontToWidth(QLabel* label, const QString& widest) {
    constexpr qreal SmallestPoints = 6.0;
    QFont font = label->font();
    while (font.pointSizeF() > SmallestPoints &&
           QFontMetrics(font).horizontalAdvance(widest) > label->width())
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

SecondaryWindow::SecondaryWindow(const QString& objectName, const QString& caption,
                                 QSize clientTwips, QWidget* parent)
    : QWidget(parent, Qt::Dialog) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips(clientTwips.width()), twips(clientTwips.height()));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void SecondaryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    // A child window of the disabled main window would be disabled along with it.
    setEnabled(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted())
        return;
    m_closing = true;
    // A window that was never shown gets no hide event from its closing.
    if (!isVisible())
        runUnload();
}

void SecondaryWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // The main window is activated only once this window is out of the way.
    if (m_closing)
        runUnload();
}

void SecondaryWindow::runUnload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    unloaded();
}

QLabel* SecondaryWindow::addLabel(const char* name, const QString& text, QRect geometry,
                                  const QFont& font, const QColor& color) {
    auto* label = new QLabel(text, this);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setFont(font);
    fitFontToWidth(label, text);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, color);
    label->setPalette(colours);
    return label;
}

QPushButton* SecondaryWindow::addButton(const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace brixolan
