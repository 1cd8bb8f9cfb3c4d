// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <QRect>

class QFont;
class QLabel;
class QPushButton;

namespace brixolan {

/// A window of the game besides the main window: a dialog with a fixed client area (laid out
/// in twips) on the game's black background, centred on the screen when it first shows, and
/// destroyed when it closes. The main window opens it window-modal and acts on `finished`.
class GameDialog : public QDialog {
    Q_OBJECT
public:
    GameDialog(const QString& objectName, const QString& caption, QSize clientTwips,
               QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

    /// A caption in `font`, condensed where the stand-in face would not fit its box; in `color`
    /// where that shows on the black window (a theme's may not), else in white.
    QLabel* addLabel(const char* name, const QString& text, QRect geometry, const QFont& font,
                     const QColor& color);
    QPushButton* addButton(const char* name, const QString& text, QRect geometry);

private:
    bool m_placed = false;
};

} // namespace brixolan
