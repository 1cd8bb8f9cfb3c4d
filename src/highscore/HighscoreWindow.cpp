// SPDX-License-Identifier: GPL-3.0-or-later
#include "HighscoreWindow.h"

#include "BitmapCodec.h"
#include "Colors.h"
#include "DialogServices.h"
#include "Fonts.h"
#include "Geometry.h"
#include "ScoreFile.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <functional>

namespace brixolan {

namespace {

constexpr int ClientWidth = 6105;
constexpr int InitialClientHeight = 5955;
// The layout changes give the whole window's height; the classic title bar and borders took
// 405 twips of it.
constexpr int FrameHeight = 405;
constexpr int HeightWithoutBanner = 5500;
constexpr int HeightWithBanner = 6500;

constexpr int RowTop = 840;
constexpr int RowPitch = 360;
constexpr int RowHeight = 315;
constexpr int ButtonLeft = 2040;
constexpr int ButtonTopLow = 5400;
constexpr int ButtonTopHigh = 4440;

constexpr qreal TableFontSize = 11.25;

const QPoint BannerHotSpot(12, 1);

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, QRect twipsBox,
                  const QFont& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    // Names come from the file and from players: shown as typed, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
    label->setFont(font);
    label->setGeometry(twipsRect(twipsBox.x(), twipsBox.y(), twipsBox.width(), twipsBox.height()));
    return label;
}

QPixmap picture(const ProgramFolder& folder, const char* relative) {
    return QPixmap::fromImage(readBitmapFile(folder.path(QString::fromLatin1(relative))));
}

/// A picture that acts when clicked, and also without a mouse: Tab brings the keyboard to it
/// (a focus frame around it shows that), and Space or Return then acts once per press, not per
/// repeat.
class PictureButton : public QLabel {
public:
    PictureButton(QWidget* parent, std::function<void()> act)
        : QLabel(parent), m_act(std::move(act)) {
        setFocusPolicy(Qt::TabFocus);
        // The frame goes around the picture: over the picture's gold edge it would not show.
        setContentsMargins(FrameWidth, FrameWidth, FrameWidth, FrameWidth);
    }
    /// Puts the picture at `box`; the frame takes a few pixels around it.
    void placePicture(QRect box) {
        setGeometry(box.adjusted(-FrameWidth, -FrameWidth, FrameWidth, FrameWidth));
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        // On the picture only, as before there was a frame around it.
        if (event->button() == Qt::LeftButton &&
            contentsRect().contains(event->position().toPoint()))
            m_act();
    }
    void keyPressEvent(QKeyEvent* event) override {
        switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat())
                m_act();
            break;
        default:
            QLabel::keyPressEvent(event);
        }
    }
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        if (!hasFocus())
            return;
        // The style's own focus frame is too faint to find on the black window.
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(visibleOnBlack(palette().color(QPalette::Highlight)), FrameWidth - 1));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), FrameWidth, FrameWidth);
    }

private:
    static constexpr int FrameWidth = 3;
    std::function<void()> m_act;
};

} // namespace

HighscoreWindow* HighscoreWindow::open(const std::optional<ResultOffer>& offered,
                                       const ProgramFolder& folder, DialogServices& dialogs,
                                       QWidget* parent) {
    auto* window = new HighscoreWindow(folder, dialogs, parent);
    if (window->offer(offered))
        return window;
    // The table shown would have been the initial one; it takes the damaged file's place.
    window->report(replaceDamagedScores(folder));
    delete window;
    return nullptr;
}

HighscoreWindow::HighscoreWindow(const ProgramFolder& folder, DialogServices& dialogs,
                                 QWidget* parent)
    : GameDialog(QStringLiteral("Form2"), QStringLiteral("HighScore"),
                 QSize(ClientWidth, InitialClientHeight), parent),
      m_folder(folder), m_dialogs(dialogs), m_encoder(folder.libraryFolder()) {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    buildControls();
    applyLayout(Layout::Initial);
}

void HighscoreWindow::buildControls() {
    const QFont tableFont = comicFont(TableFontSize);
    const QString title = QStringLiteral("Brixolan HighScore");
    makeLabel(this, QStringLiteral("Label1"), title, {360, 120, 5400, 600},
              condensedToFit(captionFont(24), title, twips(5400)));

    // Place numbers 1 to 4 are Label2..Label5, 5 to 8 are Label14..Label17.
    constexpr std::array<int, ScorePlaces> PlaceLabels = {2, 3, 4, 5, 14, 15, 16, 17};
    for (int place = 1; place <= ScorePlaces; ++place) {
        const int top = RowTop + RowPitch * (place - 1);
        const QString number = QString::number(place);
        makeLabel(this, QStringLiteral("Label") + QString::number(PlaceLabels[place - 1]),
                  number + QLatin1Char('.'), {480, top, 360, RowHeight}, tableFont);
        m_names[place - 1] = makeLabel(this, QStringLiteral("NameNN_") + number, QString(),
                                       {840, top, 2055, RowHeight}, tableFont);
        m_scores[place - 1] = makeLabel(this, QStringLiteral("ScorEE_") + number, QString(),
                                        {3600, top, 1095, RowHeight}, tableFont);
    }
    showTable(initialScoreTable());
    m_yourPoints = makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Deine Punkte :"),
                             {360, 3960, 3000, RowHeight}, tableFont);
    m_result = makeLabel(this, QStringLiteral("Label7"), QStringLiteral("Kein Spiel"),
                         {3600, 3960, 2000, RowHeight}, tableFont);

    auto* banner = new PictureButton(this, [this] { handOffResult(); });
    banner->placePicture(twipsRect(120, 4440, 5895, 855));
    m_banner = banner;
    m_banner->setObjectName(QStringLiteral("Picture1"));
    m_banner->setAccessibleName(QStringLiteral("Punkte online eintragen"));
    m_banner->setPixmap(picture(m_folder, "pics/banner.bmp"));
    const QPixmap cursor =
        QPixmap::fromImage(readPictureFile(m_folder.path(QStringLiteral("pics/cursor.png"))));
    m_banner->setCursor(cursor.isNull() ? QCursor(Qt::PointingHandCursor)
                                        : QCursor(cursor, BannerHotSpot.x(), BannerHotSpot.y()));

    m_ok =
        addButton("Command1", QStringLiteral("OK"), twipsRect(ButtonLeft, ButtonTopLow, 2055, 495));
    m_ok->setDefault(true);
    // The window opens with the keyboard on "OK"; Tab goes on to the banner.
    m_ok->setFocus();
    setTabOrder(m_ok, m_banner);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    // Decoration only, in a column beside the scores.
    for (int n = 1; n <= 4; ++n) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image") + QString::number(n));
        image->setGeometry(twips(5280), twips(RowTop + 720 * (n - 1)), 25, 25);
        image->setPixmap(picture(m_folder, QStringLiteral("pics/deko%1.bmp").arg(n).toLatin1()));
    }
}

bool HighscoreWindow::offer(const std::optional<ResultOffer>& offered) {
    const ScoreFileContent content = readScoreFile(m_folder);
    if (const auto* unreadable = std::get_if<UnreadableScoreFile>(&content)) {
        reportUnreadable(unreadable->error);
        return false;
    }
    ScoreTable table = initialScoreTable();
    if (const auto* read = std::get_if<ScoreTable>(&content)) {
        table = *read;
        m_yourPoints->hide();
        m_result->hide();
    } // else "Deine Punkte :" and "Kein Spiel" stay visible, as they always did

    if (!offered) {
        applyLayout(Layout::WithoutBanner);
        showTable(table);
        return true;
    }

    m_yourPoints->show();
    m_result->show();
    m_resultText = offered->score ? QString::number(*offered->score) : QString();
    m_result->setText(m_resultText);
    // Before the first game over there is no result, and so nothing to rank.
    const Entering entering =
        offered->score
            ? enterResult(table, *offered->score, [this](int place) { return askName(place); })
            : Entering{};
    if (entering.error) {
        reportUnreadable(*entering.error);
        return false;
    }
    if (entering.place > 0) {
        m_nameCancelled = !entering.entry;
        m_added = entering.entry;
        if (m_added)
            saveConfirmedEntry(table);
        applyLayout(m_nameCancelled ? Layout::WithoutBanner : Layout::WithBanner);
    }
    showTable(table);
    return true;
}

QString HighscoreWindow::askName(int place) {
    return m_dialogs.input(parentWidget(),
                           QStringLiteral("Wow ! Sie können sich auf Platz %1 in der Highscore "
                                          "eintragen ! Geben sie bitte ihren Namen ein :")
                               .arg(place),
                           QStringLiteral("Highscore"), QStringLiteral("Default"),
                           InputText::FileLine);
}

void HighscoreWindow::reportUnreadable(const ScoreError& error) {
    m_dialogs.message(parentWidget(),
                      QStringLiteral("Ein Fehler beim Laden der Hishscore ist aufgetreten : ") +
                          error.description,
                      QStringLiteral("Fehler : ") + QString::number(error.number),
                      MessageIcon::None);
}

void HighscoreWindow::applyLayout(Layout layout) {
    int clientHeight = InitialClientHeight;
    int buttonTop = ButtonTopLow;
    switch (layout) {
    case Layout::Initial:
        break;
    case Layout::WithoutBanner:
        clientHeight = HeightWithoutBanner - FrameHeight;
        buttonTop = ButtonTopHigh;
        break;
    case Layout::WithBanner:
        clientHeight = HeightWithBanner - FrameHeight;
        break;
    }
    m_banner->setVisible(layout != Layout::WithoutBanner);
    m_ok->move(twips(ButtonLeft), twips(buttonTop));
    setFixedSize(twips(ClientWidth), twips(clientHeight));
}

void HighscoreWindow::showTable(const ScoreTable& table) {
    for (int place = 0; place < ScorePlaces; ++place) {
        // A name wider than its column ends in "…" rather than in half a letter; the file
        // keeps it whole.
        QLabel* name = m_names[place];
        name->setText(
            name->fontMetrics().elidedText(table[place].name, Qt::ElideRight, name->width()));
        // A score is not elided, or a cut number would read as another: it is condensed.
        QLabel* score = m_scores[place];
        score->setFont(condensedToFit(name->font(), table[place].score, score->width()));
        score->setText(table[place].score);
    }
}

void HighscoreWindow::showFile() {
    if (m_added)
        return; // the file lacks the entry shown until its save succeeds
    const ScoreFileContent content = readScoreFile(m_folder);
    if (const auto* table = std::get_if<ScoreTable>(&content))
        showTable(*table);
}

void HighscoreWindow::saveConfirmedEntry(ScoreTable& shown) {
    // Saved at once, not only at closing: a session that ends while the table is open (a
    // signal, the display going away, a crash in the score-code library) keeps the name.
    // Once in the file it is not added again; a failed save leaves it to the closing, which
    // tries again and tells the player.
    if (const Result<ScoreTable> saved = saveScores(m_folder, m_added)) {
        m_added.reset();
        // Another copy may have saved while the name box was open: show the file's places.
        shown = saved.value();
    }
}

void HighscoreWindow::done(int result) {
    // Closed again while the warning of a failed save is open (a game ends behind it, or the
    // game closes): it is the same closing, which ends when the player has read the warning.
    // Closed there, the window and its warning went while the warning was still open.
    if (m_closing)
        return;
    m_closing = true;
    report(saveScores(m_folder, m_added).outcome());
    GameDialog::done(result);
}

void HighscoreWindow::showEvent(QShowEvent* event) {
    const bool first = !m_placedBeside;
    GameDialog::showEvent(event);
    m_placedBeside = true;
    QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    if (first && m_nameCancelled && main && screen())
        move(besidePosition(main->frameGeometry(), frameGeometry().size(),
                            screen()->availableGeometry()));
}

void HighscoreWindow::report(const Outcome& saved) {
    if (!saved)
        m_dialogs.message(isVisible() ? this : parentWidget(), saved.message(),
                          QStringLiteral("Highscore"), MessageIcon::Warning);
}

void HighscoreWindow::handOffResult() {
    const std::optional<QString> plain = plainScoreCode(m_resultText);
    // Without the score-code library the hand-off is simply not offered.
    const std::optional<QString> code = plain ? m_encoder.encode(*plain) : std::nullopt;
    const QUrl address = code ? scorePageAddress(*code) : QUrl();
    // Without a browser the address is offered to copy.
    if (code && !m_dialogs.openUrl(address))
        m_dialogs.message(this,
                          QStringLiteral("Die Adresse der Online-Highscore konnte nicht "
                                         "geöffnet werden. Kopieren Sie sie in Ihren "
                                         "Browser:\n\n") +
                              address.toString(QUrl::FullyEncoded),
                          QStringLiteral("Highscore"), MessageIcon::Information);
}

} // namespace brixolan
