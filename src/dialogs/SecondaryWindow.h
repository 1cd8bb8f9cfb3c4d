#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

class QFont;
class QLabel;
class QPushButton;

namespace brixolan {

/// The windows were laid out in twips; 15 twips make one pixel at 96 dpi.
constexpr int twips(int value) {
    return value / 15;
}
QRect twipsRect(int left, int top, int width, int height);

/// Shrinks the label's font until `widest` fits the label's width: the stand-in faces run
/// wider than the ones the layout was made for.
void fitFontToWidth(QLabel* label, const QString& widest);

/// A secondary window of the game: shown without modality, destroyed when it closes, with a
/// fixed client area on the game's black background. unloaded() runs exactly once, after
/// the window has been hidden by its closing, whatever closed it.
class SecondaryWindow : public QWidget {
    Q_OBJECT
public:
    SecondaryWindow(const QString& objectName, const QString& caption, QSize clientTwips,
                    QWidget* parent);

protected:
    /// The window's unload: hands control back to the main window as the window requires.
    virtual void unloaded() = 0;

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    QLabel* addLabel(const char* name, const QString& text, QRect geometry, const QFont& font,
                     const QColor& color);
    QPushButton* addButton(const char* name, const QString& text, QRect geometry);

private:
    void runUnload();

    bool m_shownOnce = false;
    bool m_closing = false;
    bool m_unloaded = false;
};

} // namespace brixolan
