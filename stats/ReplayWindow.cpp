#include "stats/ReplayWindow.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/GameState.h"
#include "learning/GhostSetting.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Timer.h"
#include "stats/StatsLook.h"

namespace kd::stats {

namespace {

// Sizes and places the play screens use for their tracks.
constexpr QSize kTimeTrialTrack(646, 190);
constexpr int kBallY = 93;
constexpr QSize kRaceTrack(652, 277);
constexpr int kLaneStep = 65;
constexpr QSize kArena(700, 295);
constexpr int kPostX = 300;
constexpr int kRunnerY = 295 - 70;
constexpr int kBossStartX = 700 - 65;

// While playing, the slider and the time beside it move at least this often.
constexpr int kSliderRefreshMs = 100;

const QColor kMissColor(220, 0, 0);
const QColor kTextColor(16, 16, 96);

QPixmap Translucent(const QPixmap& p, qreal opacity) {
    QPixmap out(p.size());
    out.setDevicePixelRatio(p.devicePixelRatio());
    out.fill(Qt::transparent);
    QPainter painter(&out);
    painter.setOpacity(opacity);
    painter.drawPixmap(0, 0, p);
    return out;
}

}  // namespace

std::array<int, 3> ReplayOpponents(const PlayedGame& game) {
    // The record names the field of races played since it keeps the cast.
    if (game.cast[1] > 0 && game.cast[2] > 0 && game.cast[3] > 0)
        return {game.cast[1], game.cast[2], game.cast[3]};
    // Older records: the heat's own runners; lane 1 of heats 2-5 held the previous heat's
    // co-qualifier, which they do not name, so a heat-1 runner stands in.
    const int heat = game.heat;
    if (heat <= 1 || heat > 5) return {11, 12, 13};
    return {11, heat * 10 + 1, heat * 10 + 2};
}

namespace {

QString Seconds(qint64 ms) {
    return QString::number(double(ms) / 1000.0, 'f', 1);
}

QString Html(const QString& s) {
    return s.toHtmlEscaped();
}

}  // namespace

QString DescribeGame(GameMode mode, const QString& genre, int heat) {
    const QString g =
        genre == QLatin1String("english")     ? QCoreApplication::translate("ReplayWindow", "英単語")
        : genre == QLatin1String("kannyouku") ? QCoreApplication::translate("ReplayWindow", "慣用句")
                                              : genre;
    switch (mode) {
        case GameMode::TimeTrial:
            return QCoreApplication::translate("ReplayWindow", "タイムトライアル ") + g;
        case GameMode::Race:
            return QCoreApplication::translate("ReplayWindow", "レース 第%1戦 ").arg(heat) + g;
        case GameMode::Boss:
            return QCoreApplication::translate("ReplayWindow", "ボス戦 ") + g;
        case GameMode::NetRace:
            return QCoreApplication::translate("ReplayWindow", "対戦レース ") + g;
        case GameMode::Practice:
            return QCoreApplication::translate("ReplayWindow", "練習 ") + g;
    }
    return g;
}

ReplayTrack::ReplayTrack(QWidget* parent, const PlayedGame& game) : QWidget(parent), m_mode(game.mode) {
    const int own = game.chara > 0 ? game.chara : 1;
    switch (m_mode) {
        case GameMode::TimeTrial:
            setFixedSize(kTimeTrialTrack);
            m_background = Bitmap(QStringLiteral("TRACK"));
            m_runners[0] = CharaBitmap(1);
            m_runners[1] = Translucent(m_runners[0], 0.4);
            break;
        case GameMode::Boss:
            setFixedSize(kArena);
            m_background = Bitmap(QStringLiteral("ARENA"));
            m_post = Bitmap(QStringLiteral("POST"));
            m_balls = {Bitmap(QStringLiteral("BALLPLAYER")), Bitmap(QStringLiteral("BALLBOSS"))};
            m_runners[0] = CharaBitmap(own);
            m_runners[1] = Bitmap(QStringLiteral("BOSS"));
            break;
        default: {
            setFixedSize(kRaceTrack);
            m_background = Bitmap(QStringLiteral("KEYDERBYBACK"));
            m_runners[0] = CharaBitmap(own);
            const auto opp = ReplayOpponents(game);
            for (int j = 0; j < 3; ++j) m_runners[size_t(j + 1)] = CharaBitmap(opp[size_t(j)]);
            break;
        }
    }
    setObjectName(QStringLiteral("track"));
}

void ReplayTrack::Show(const ReplayFrame& frame) {
    m_frame = frame;
    update();
}

void ReplayTrack::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(rect(), m_background);
    const ReplayFrame& f = m_frame;
    switch (m_mode) {
        case GameMode::TimeTrial:
            if (f.ghostX) p.drawPixmap(*f.ghostX, kBallY, m_runners[1]);
            p.drawPixmap(f.ballX, kBallY, m_runners[0]);
            break;
        case GameMode::Boss: {
            // Lanes of a boss battle: the player's x, the boss's x, then each side's balls.
            const int playerX = f.hasLanes ? f.lanes[0] : 0;
            const int bossX = f.hasLanes ? f.lanes[1] : kBossStartX;
            p.drawPixmap(kPostX, height() - 230, m_post);
            for (int side = 0; side < 2; ++side)
                for (int i = 0; i < std::min(f.hasLanes ? f.lanes[size_t(2 + side)] : 0, 5); ++i)
                    p.drawPixmap(kPostX + 5 + 50 * side, height() - 55 - 40 * i, m_balls[size_t(side)]);
            p.drawPixmap(playerX, kRunnerY, m_runners[0]);
            p.drawPixmap(bossX, kRunnerY, m_runners[1]);
            break;
        }
        default:
            p.setPen(Qt::white);
            for (int y : {66, 129, 195, 261}) p.drawLine(6, y, 639, y);
            for (int j = 0; j < 4; ++j) p.drawPixmap(f.lanes[size_t(j)], kLaneStep * j, m_runners[size_t(j)]);
            break;
    }
}

ReplayWindow::ReplayWindow(TickCounter& clock, ReplayModel model, QWidget* parent)
    : QWidget(parent, Qt::Window), m_model(std::move(model)), m_clock(clock, m_model.DurationMs()) {
    setObjectName(QStringLiteral("ReplayWindow"));
    const PlayedGame& game = m_model.Game();
    setWindowTitle(QCoreApplication::translate("ReplayWindow", "リプレイ ― ") +
                   DescribeGame(game.mode, game.genre, game.heat) +
                   QCoreApplication::translate("ReplayWindow", "　") +
                   QDateTime::fromMSecsSinceEpoch(game.startedAt)
                       .toString(QCoreApplication::translate("ReplayWindow", "yyyy/MM/dd HH:mm")));
    auto* layout = new QVBoxLayout(this);
    m_track = new ReplayTrack(this, game);
    layout->addWidget(m_track, 0, Qt::AlignHCenter);
    layout->addWidget(BuildQuestionPanel());
    layout->addLayout(BuildControls());

    m_replayTimer = new Timer(this, QStringLiteral("replayTimer"), kSliderRefreshMs, [this] { Refresh(); });
    setAttribute(Qt::WA_DeleteOnClose);
    Refresh();
}

QWidget* ReplayWindow::BuildQuestionPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("questionPanel"));
    panel->setAutoFillBackground(true);
    SetBackColor(panel, kPaper);
    auto* column = new QVBoxLayout(panel);
    m_questionLabel = new QLabel(panel);
    m_questionLabel->setObjectName(QStringLiteral("questionLabel"));
    SetPixelFont(m_questionLabel, 18, true);
    SetForeColor(m_questionLabel, kTextColor);
    m_readingLabel = new QLabel(panel);
    m_readingLabel->setObjectName(QStringLiteral("readingLabel"));
    m_readingLabel->setTextFormat(Qt::RichText);
    SetPixelFont(m_readingLabel, 18, true);
    m_keysLabel = new QLabel(panel);
    m_keysLabel->setObjectName(QStringLiteral("keysLabel"));
    m_keysLabel->setTextFormat(Qt::RichText);
    SetPixelFont(m_keysLabel, 16, true);
    m_countsLabel = new QLabel(panel);
    m_countsLabel->setObjectName(QStringLiteral("countsLabel"));
    SetForeColor(m_countsLabel, kTextColor);
    for (QLabel* l : {m_questionLabel, m_readingLabel, m_keysLabel, m_countsLabel}) column->addWidget(l);
    return panel;
}

QHBoxLayout* ReplayWindow::BuildControls() {
    auto* controls = new QHBoxLayout;
    m_playButton = new QPushButton(QCoreApplication::translate("ReplayWindow", "再生"), this);
    m_playButton->setObjectName(QStringLiteral("playButton"));
    connect(m_playButton, &QPushButton::clicked, this, [this] { m_clock.IsPlaying() ? Pause() : Play(); });
    controls->addWidget(m_playButton);
    const int speeds[3] = {1, 2, 4};
    const char* const speedNames[3] = {"normalSpeedButton", "doubleSpeedButton", "quadrupleSpeedButton"};
    auto* speedGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QCoreApplication::translate("ReplayWindow", "%1×").arg(speeds[i]), this);
        b->setObjectName(QLatin1String(speedNames[i]));
        b->setCheckable(true);
        b->setChecked(i == 0);
        b->setFixedWidth(44);
        speedGroup->addButton(b, speeds[i]);
        m_speedButtons[size_t(i)] = b;
        controls->addWidget(b);
    }
    OnChosen(speedGroup, this, [this](int factor) { SetSpeed(factor); });
    m_positionSlider = new QSlider(Qt::Horizontal, this);
    m_positionSlider->setObjectName(QStringLiteral("positionSlider"));
    m_positionSlider->setRange(0, int(std::min<qint64>(m_model.DurationMs(), INT32_MAX)));
    // The window's own updates are made with the signals blocked, so this is the player's hand.
    connect(m_positionSlider, &QSlider::sliderPressed, this, [this] { m_sliderMoving = true; });
    connect(m_positionSlider, &QSlider::sliderReleased, this, [this] { m_sliderMoving = false; });
    connect(m_positionSlider, &QSlider::valueChanged, this, [this](int v) { Seek(v); });
    controls->addWidget(m_positionSlider, 1);
    m_positionLabel = new QLabel(this);
    m_positionLabel->setObjectName(QStringLiteral("positionLabel"));
    controls->addWidget(m_positionLabel);
    return controls;
}

ReplayWindow::~ReplayWindow() {
    m_replayTimer->Stop();
}

void ReplayWindow::Play() {
    m_clock.Play();
    Refresh();
}

void ReplayWindow::Pause() {
    m_clock.Pause();
    Refresh();
}

void ReplayWindow::SetSpeed(int factor) {
    m_clock.SetSpeed(factor);
    for (size_t i = 0; i < m_speedButtons.size(); ++i)
        m_speedButtons[i]->setChecked((1 << i) == m_clock.Speed());
    Refresh();
}

void ReplayWindow::Seek(qint64 ms) {
    m_clock.Seek(ms);
    Refresh();
}

void ReplayWindow::Refresh() {
    const qint64 pos = m_clock.Position();
    ShowFrame(m_model.FrameAt(pos));
    m_playButton->setText(m_clock.IsPlaying() ? QCoreApplication::translate("ReplayWindow", "一時停止")
                                              : QCoreApplication::translate("ReplayWindow", "再生"));
    if (!m_clock.IsPlaying()) {
        m_replayTimer->Stop();
        return;
    }
    // Wake at the next recorded change, or sooner to keep the slider moving.
    int wait = kSliderRefreshMs;
    if (const auto next = m_model.NextChangeAfter(pos)) wait = std::min(wait, m_clock.RealMsUntil(*next));
    m_replayTimer->SetInterval(std::max(1, wait));
    m_replayTimer->Start();
}

void ReplayWindow::ShowFrame(const ReplayFrame& f) {
    m_frame = f;
    m_track->Show(f);
    m_questionLabel->setText(f.text);
    const QString done = f.reading.left(f.readingDone), rest = f.reading.mid(f.readingDone);
    m_readingLabel->setText(
        QStringLiteral("<span style='color:#a0a0a0'>%1</span><span style='color:%2'>%3</span>")
            .arg(Html(done), kTextColor.name(), Html(rest)));
    QString keys;
    for (const ReplayKey& k : f.keys) {
        if (k.hit)
            keys += QStringLiteral("<span style='color:%1'>%2</span>").arg(kTextColor.name(), Html(k.typed));
        else
            keys += QStringLiteral("<span style='color:%1;text-decoration:line-through'>%2</span>")
                        .arg(kMissColor.name(), Html(k.typed.isEmpty() ? QStringLiteral("?") : k.typed));
    }
    m_keysLabel->setText(keys.isEmpty() ? QStringLiteral("&nbsp;") : keys);
    m_countsLabel->setText(
        QCoreApplication::translate("ReplayWindow", "正打数：%1　誤打数：%2").arg(f.correct).arg(f.misses));
    if (!m_sliderMoving) {
        const QSignalBlocker block(m_positionSlider);
        m_positionSlider->setValue(int(f.ms));
    }
    m_positionLabel->setText(Seconds(f.ms) + QStringLiteral(" / ") + Seconds(m_model.DurationMs()) +
                             QCoreApplication::translate("ReplayWindow", " 秒"));
}

ReplayWindow* OpenReplay(const GameState& g, qint64 gameId, QWidget* parent) {
    const QSqlDatabase db = LearningDatabase(g);
    auto game = LoadPlayedGame(db, gameId);
    if (!game) return nullptr;
    GhostTimeline ghost;
    // A time trial is shown against the best that stood when it was played.
    if (game->mode == GameMode::TimeTrial)
        if (const auto best = FindBestTimeTrial(db, game->genre, game->startedAt, game->inputMethod))
            if (const auto bestGame = LoadPlayedGame(db, *best)) ghost = GhostTimeline::FromGame(*bestGame);
    auto* w = new ReplayWindow(g.clock, ReplayModel(std::move(*game), std::move(ghost)), parent);
    w->show();
    return w;
}

namespace {

// What a recorded game came to: 中断, a time, 勝ち/負け or a place.
QString ResultText(const PlayedGameSummary& s) {
    if (s.abandoned) return QCoreApplication::translate("ReplayWindow", "中断");
    if (s.mode == GameMode::TimeTrial && s.timeMs)
        return QString::number(double(*s.timeMs) / 1000.0, 'f', 2) +
               QCoreApplication::translate("ReplayWindow", "秒");
    if (s.mode == GameMode::Boss && s.won)
        return *s.won ? QCoreApplication::translate("ReplayWindow", "勝ち")
                      : QCoreApplication::translate("ReplayWindow", "負け");
    if (s.place) return QCoreApplication::translate("ReplayWindow", "%1位").arg(*s.place);
    return QString();
}

// One row per game; every cell carries the game's id.
QTableWidget* GamesTable(const QList<PlayedGameSummary>& games, QWidget* parent) {
    auto* table = new QTableWidget(int(games.size()), 4, parent);
    table->setObjectName(QStringLiteral("gamesTable"));
    table->setHorizontalHeaderLabels({QCoreApplication::translate("ReplayWindow", "日時"),
                                      QCoreApplication::translate("ReplayWindow", "種類"),
                                      QCoreApplication::translate("ReplayWindow", "結果"),
                                      QCoreApplication::translate("ReplayWindow", "正打/誤打")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int r = 0; r < games.size(); ++r) {
        const PlayedGameSummary& s = games[r];
        const QString cells[4] = {
            QDateTime::fromMSecsSinceEpoch(s.startedAt)
                .toString(QCoreApplication::translate("ReplayWindow", "yyyy/MM/dd HH:mm")),
            DescribeGame(s.mode, s.genre, 0)
                .replace(QCoreApplication::translate("ReplayWindow", "第0戦 "), QString()),
            ResultText(s), QStringLiteral("%1 / %2").arg(s.correct).arg(s.misses)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setData(Qt::UserRole, s.id);
            table->setItem(r, c, item);
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

}  // namespace

QWidget* OpenReplayList(const GameState& g, QWidget* parent) {
    auto* w = new QWidget(parent, Qt::Window);
    w->setObjectName(QStringLiteral("ReplayListWindow"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QCoreApplication::translate("ReplayWindow", "記録の再生"));
    auto* layout = new QVBoxLayout(w);
    QList<PlayedGameSummary> games;
    if (const QSqlDatabase db = LearningDatabase(g); db.isOpen()) games = ListReplayableGames(db);
    QTableWidget* table = GamesTable(games, w);
    layout->addWidget(table);
    auto* note = new QLabel(
        games.isEmpty() ? QCoreApplication::translate("ReplayWindow", "再生できる記録はまだありません。")
                        : QString(),
        w);
    note->setObjectName(QStringLiteral("note"));
    layout->addWidget(note);
    auto* replayButton = new QPushButton(QCoreApplication::translate("ReplayWindow", "再生(&P)"), w);
    replayButton->setObjectName(QStringLiteral("replayButton"));
    replayButton->setEnabled(!games.isEmpty());
    layout->addWidget(replayButton, 0, Qt::AlignRight);
    if (!games.isEmpty()) table->selectRow(0);
    const GameState* gs = &g;
    auto open = [gs, table, note, w] {
        const auto* item = table->currentItem();
        if (!item) return;
        if (!OpenReplay(*gs, item->data(Qt::UserRole).toLongLong(), w))
            note->setText(QCoreApplication::translate("ReplayWindow", "この記録は読めませんでした。"));
    };
    QObject::connect(replayButton, &QPushButton::clicked, w, open);
    QObject::connect(table, &QTableWidget::cellDoubleClicked, w, open);
    w->resize(560, 420);
    w->show();
    return w;
}

}  // namespace kd::stats
