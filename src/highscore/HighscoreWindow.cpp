#include "HighscoreWindow.h"

#include "BitmapCheck.h"
#include "DialogServices.h"
#include "Fonts.h"
#include "Game.h"
#include "MainWindowLink.h"
#include "ScoreFile.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace brixolan {

namespace {

// The layout is kept in twips as designed; 15 twips make one pixel.
constexpr int px(int twips) {
    return (twips + 7) / 15;
}

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

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, QRect twips,
                  const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    return label;
}

QPixmap picture(const ProgramFolder& folder, const QString& relative) {
    return QPixmap::fromImage(readBitmapFile(folder.path(relative)));
}

} // namespace

HighscoreWindow* HighscoreWindow::open(GameState& state, const ProgramFolder& folder,
                                       DialogServices& dialogs, MainWindowLink& link,
                                       QWidget* parent) {
    auto* window = new HighscoreWindow(state, folder, dialogs, link, parent);
    if (!window->runOpening()) {
        window->finish();
        window->deleteLater();
        return nullptr;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->show();
    return window;
}

HighscoreWindow::HighscoreWindow(GameState& state, const ProgramFolder& folder,
                                 DialogServices& dialogs, MainWindowLink& link, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_state(state), m_folder(folder), m_dialogs(dialogs), m_link(link), m_encoder(folder.root()) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("HighScore"));
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    buildControls();
    applyLayout(Layout::Initial);
}

void HighscoreWindow::buildControls() {
    const QFont tableFont = comicFont(TableFontSize);
    makeLabel(this, QStringLiteral("Label1"), QStringLiteral("Brixolan HighScore"),
              {360, 120, 5400, 600}, captionFont(24));

    // Place numbers 1 to 4 are Label2..Label5, 5 to 8 are Label14..Label17.
    constexpr std::array<int, ScorePlaces> PlaceLabels = {2, 3, 4, 5, 14, 15, 16, 17};
    const ScoreTable initial = initialScoreTable();
    for (int place = 1; place <= ScorePlaces; ++place) {
        const int top = RowTop + RowPitch * (place - 1);
        const QString number = QString::number(place);
        makeLabel(this, QStringLiteral("Label") + QString::number(PlaceLabels[place - 1]),
                  number + QLatin1Char('.'), {480, top, 360, RowHeight}, tableFont);
        m_names[place - 1] =
            makeLabel(this, QStringLiteral("NameNN_") + number, initial[place - 1].name,
                      {840, top, 2055, RowHeight}, tableFont);
        m_scores[place - 1] =
            makeLabel(this, QStringLiteral("ScorEE_") + number, initial[place - 1].score,
                      {3600, top, 1095, RowHeight}, tableFont);
    }
    m_yourPoints = makeLabel(this, QStringLiteral("Label6"), QStringLiteral("Deine Punkte :"),
                             {360, 3960, 3000, RowHeight}, tableFont);
    m_result = makeLabel(this, QStringLiteral("Label7"), QStringLiteral("Kein Spiel"),
                         {3600, 3960, 2000, RowHeight}, tableFont);

    m_banner = new QLabel(this);
    m_banner->setObjectName(QStringLiteral("Picture1"));
    m_banner->setGeometry(px(120), px(4440), px(5895), px(855));
    m_banner->setPixmap(picture(m_folder, QStringLiteral("pics/banner.bmp")));
    const QPixmap cursor(m_folder.path(QStringLiteral("pics/cursor.png")));
    m_banner->setCursor(cursor.isNull() ? QCursor(Qt::PointingHandCursor)
                                        : QCursor(cursor, BannerHotSpot.x(), BannerHotSpot.y()));
    m_banner->installEventFilter(this);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setGeometry(px(ButtonLeft), px(ButtonTopLow), px(2055), px(495));
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);

    // Decoration only, in a column beside the scores.
    for (int n = 1; n <= 4; ++n) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image") + QString::number(n));
        image->setGeometry(px(5280), px(RowTop + 720 * (n - 1)), 25, 25);
        image->setPixmap(picture(m_folder, QStringLiteral("pics/deko%1.bmp").arg(n)));
    }
}

bool HighscoreWindow::runOpening() {
    const ScoreFileContent content = readScoreFile(m_folder);
    ScoreTable table = shownTable();
    switch (content.status) {
    case ScoreFileStatus::Failed:
        failOpening(content.error);
        return false;
    case ScoreFileStatus::NoFile:
        // "Deine Punkte :" and "Kein Spiel" stay visible here, as they always did.
        break;
    case ScoreFileStatus::Read:
        table = content.table;
        m_yourPoints->hide();
        m_result->hide();
        break;
    }

    if (!m_state.Spiel) {
        applyLayout(Layout::WithoutBanner);
        showTable(table);
        return true;
    }

    const std::optional<std::int64_t> result =
        m_state.HasPunkteInList ? std::optional(m_state.PunkteInList) : std::nullopt;
    m_yourPoints->show();
    m_result->show();
    m_result->setText(result ? QString::number(*result) : QString());
    const Ranking ranking = rankResult(table, result);
    if (ranking.error) {
        failOpening(*ranking.error);
        return false;
    }
    if (ranking.place > 0) {
        const QString name = m_dialogs.input(
            messageParent(),
            QStringLiteral("Wow ! Sie können sich auf Platz %1 in der Highscore eintragen ! "
                           "Geben sie bitte ihren Namen ein :")
                .arg(ranking.place),
            QStringLiteral("Highscore"), QStringLiteral("Default"));
        if (name.isEmpty()) {
            applyLayout(Layout::WithoutBanner);
            m_link.setMainWindowEnabled(true);
        } else {
            // No result yet counts as 0 and is stored so, never as an empty score line.
            m_added = ScoreEntry{name, QString::number(result.value_or(0))};
            insertEntry(table, ranking.place, *m_added);
            applyLayout(Layout::WithBanner);
        }
    }
    m_state.Spiel = false;
    showTable(table);
    return true;
}

void HighscoreWindow::failOpening(const ScoreError& error) {
    m_dialogs.message(messageParent(),
                      QStringLiteral("Ein Fehler beim Laden der Hishscore ist aufgetreten : ") +
                          error.description,
                      QStringLiteral("Fehler : ") + QString::number(error.number),
                      MessageIcon::None);
    // The closing save finds the file unusable too: it keeps it as the backup where it can,
    // and writes the initial table the labels still show.
    // Left set, the flag would start a new game at the main window's next activation.
    m_state.Spiel = false;
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
    m_ok->move(px(ButtonLeft), px(buttonTop));
    setFixedSize(px(ClientWidth), px(clientHeight));
}

ScoreTable HighscoreWindow::shownTable() const {
    ScoreTable table;
    for (int place = 0; place < ScorePlaces; ++place)
        table[place] = {m_names[place]->text(), m_scores[place]->text()};
    return table;
}

void HighscoreWindow::showTable(const ScoreTable& table) {
    for (int place = 0; place < ScorePlaces; ++place) {
        m_names[place]->setText(table[place].name);
        m_scores[place]->setText(table[place].score);
    }
}

void HighscoreWindow::closeEvent(QCloseEvent* event) {
    finish();
    QWidget::closeEvent(event);
}

void HighscoreWindow::finish() {
    if (m_finished)
        return;
    m_finished = true;
    saveHighScore();
    m_link.returnToMainWindow();
}

void HighscoreWindow::saveHighScore() {
    // Another running copy may have saved since this window read the file: only this window's
    // entry is added to what the file holds now.
    if (const Outcome saved = saveScores(m_folder, m_added); !saved)
        m_dialogs.message(messageParent(), saved.message(), QStringLiteral("Highscore"),
                          MessageIcon::Warning);
}

bool HighscoreWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_banner && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_banner->rect().contains(mouse->position().toPoint()))
            bannerClicked();
    }
    return QWidget::eventFilter(watched, event);
}

void HighscoreWindow::bannerClicked() {
    const std::optional<QString> plain = plainScoreCode(m_result->text());
    if (!plain)
        return;
    const std::optional<QString> code = m_encoder.encode(*plain);
    if (!code)
        return; // no score-code library: the hand-off is simply not offered
    m_dialogs.openUrl(scorePageAddress(*code));
}

QWidget* HighscoreWindow::messageParent() {
    return isVisible() ? this : m_link.mainWidget();
}

} // namespace brixolan
