#include "tools/soak/SoakPlayer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPixmapCache>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QtTest/QTest>

#include "app/Screens.h"
#include "platform/audio/SdlAudio.h"
#include "platform/core/DataRoot.h"
#include "platform/widgets/ScreenBase.h"
#include "platform/widgets/Timer.h"
#include "play/PlayScreen.h"
#include "practice/UpDown.h"
#include "shell/LearningExport.h"
#include "shell/MainMenu.h"
#include "stats/StatsWindow.h"
#include "tools/soak/SoakProbe.h"

namespace kd::soak {

namespace {

// The questions the game asks in play; the player answers them as decided beforehand.
const QStringList kQuestions = {
    QStringLiteral("もう一度挑戦しますか？"),
    QStringLiteral("パワーがなくなりました。もう一度挑戦しますか?"),
    QStringLiteral("あなたの負けです。もう一度挑戦しますか?"),
    QStringLiteral("ボスを倒した!!"),
    QStringLiteral("すべての記録（学習記録を含む）を削除します。よろしいですか？"),
};
const QString kExported = QStringLiteral("学習記録を書き出しました。");
const QString kNewPlayer = QStringLiteral("さんでよろしいですか？");

constexpr int kMaxFaults = 100;

}  // namespace

MsgAnswer SoakMessages::Show(QWidget*, const QString& title, const QString& text, MsgButtons buttons) {
    ++asked;
    const bool expected =
        kQuestions.contains(text) || text.startsWith(kExported) || text.endsWith(kNewPlayer);
    if (!expected && faults && faults->size() < kMaxFaults)
        *faults << QStringLiteral("message \"%1\": %2").arg(title, QString(text).replace(u'\n', u' '));
    switch (buttons) {
        case MsgButtons::OK:
            return MsgAnswer::OK;
        case MsgButtons::OKCancel:
            return answer == MsgAnswer::Yes || answer == MsgAnswer::OK ? MsgAnswer::OK : MsgAnswer::Cancel;
        case MsgButtons::YesNo:
            return answer == MsgAnswer::Yes || answer == MsgAnswer::OK ? MsgAnswer::Yes : MsgAnswer::No;
    }
    return MsgAnswer::OK;
}

namespace {

// Record files are written with an fsync each; on a disk that is most of a game's time.
QString TemporaryFolder() {
    const QString shm = QStringLiteral("/dev/shm");
    return (QFileInfo(shm).isWritable() ? shm : QDir::tempPath()) + QStringLiteral("/keyderby-soak-XXXXXX");
}

}  // namespace

SoakProgram::SoakProgram(bool sound)
    : dir(TemporaryFolder()),
      audio(sound ? std::unique_ptr<Audio>(new SdlAudio(MediaFolder())) : std::make_unique<SilentAudio>()),
      g(rnd, clock, *audio, QString()),
      learning(g),
      ctx{g, msg, nav} {
    g.programFolder = dir.path();
    msg.faults = &faults;
    learning.SetProblemReporter([this](const QString& text) {
        if (faults.size() < kMaxFaults) faults << QStringLiteral("learning record: ") + text;
    });
    g.learning = &learning;
    g.play.Add(&learning.Recorder());
    g.play.Add(&counter);
    nav.SetContext(&ctx);
    nav.quitOnEnd = false;
    RegisterAllScreens(nav);
    zoom = std::make_unique<Zoom>(dir.filePath(QStringLiteral("zoom.ini")));
    zoom->LoadSettings(QSize(MainMenu::kClientWidth, MainMenu::kClientHeight));
    statsKey = std::make_unique<stats::ResultScreenHotkey>(g);
    const QString exportTo = dir.filePath(QStringLiteral("export.csv"));
    ExportFileChooser() = [exportTo](QWidget*, const QString&) { return exportTo; };
}

SoakProgram::~SoakProgram() {
    for (ScreenBase* f : nav.OpenForms()) f->CloseScreen();
    SoakPlayer::Pump();
    g.play.Remove(&counter);
    g.play.Remove(&learning.Recorder());
}

SoakPlayer::SoakPlayer(SoakProgram& p, quint32 seed) : p_(p), rng_(seed) {
    p_.rnd.Seed(seed);
}

void SoakPlayer::Pump() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ---- Screens and controls ----

ScreenBase* SoakPlayer::Now() const {
    return p_.nav.Current();
}

QString SoakPlayer::NowName() const {
    const ScreenBase* f = Now();
    return f ? f->objectName() : QStringLiteral("nothing");
}

void SoakPlayer::Fault(const QString& what) {
    if (p_.faults.size() < kMaxFaults) p_.faults << what;
}

bool SoakPlayer::Expect(const char* screen) {
    if (NowName() == QLatin1String(screen)) return true;
    Fault(QStringLiteral("expected %1, found %2").arg(QLatin1String(screen), NowName()));
    BackToMenu();
    return false;
}

void SoakPlayer::BackToMenu() {
    for (ScreenBase* f : p_.nav.OpenForms()) f->CloseScreen();
    Pump();
    p_.nav.Show(Screen::Main);
    Pump();
}

void SoakPlayer::Key(Qt::Key key, const QString& text) {
    if (ScreenBase* f = Now()) {
        if (text.isEmpty())
            QTest::keyClick(f, key);
        else
            QTest::keyClick(f, text.at(0).toLatin1());
    }
}

void SoakPlayer::Click(const char* button) {
    ScreenBase* f = Now();
    auto* b = f ? f->findChild<QAbstractButton*>(QLatin1String(button)) : nullptr;
    if (!b || !b->isEnabled()) {
        Fault(QStringLiteral("no %1 to click on %2").arg(QLatin1String(button), NowName()));
        return;
    }
    b->click();
}

void SoakPlayer::Trigger(const char* action) {
    ScreenBase* f = Now();
    auto* a = f ? f->findChild<QAction*>(QLatin1String(action)) : nullptr;
    // The zoom's items belong to the zoom, which lends them to every 表示 menu.
    if (!a) a = p_.zoom->findChild<QAction*>(QLatin1String(action));
    if (!a) {
        Fault(QStringLiteral("no menu item %1 on %2").arg(QLatin1String(action), NowName()));
        return;
    }
    a->trigger();
    // A zoom chosen from the menu makes the windows again once the menu has closed.
    QCoreApplication::sendPostedEvents(p_.zoom.get(), QEvent::MetaCall);
    Pump();
}

bool SoakPlayer::Fire(const char* timer, int times) {
    ScreenBase* f = Now();
    Timer* t = f ? f->findChild<Timer*>(QLatin1String(timer)) : nullptr;
    bool ran = false;
    for (int i = 0; i < times && t; ++i) {
        if (!t->fire()) break;
        ran = true;
        // A tick may close the screen; the timer goes with it.
        if (Now() != f) break;
    }
    return ran;
}

void SoakPlayer::ChooseMenuItem(int item) {
    if (!Expect("MainMenu")) return;
    for (int i = 0; i < item; ++i) Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    Pump();
}

void SoakPlayer::OpenGenreDialog(const char* opener) {
    const QString owner = NowName();
    Click(opener);
    if (NowName() == owner) return;
    if (NowName() == QLatin1String("PracticeSettingsDialog")) {
        ScreenBase* d = Now();
        d->findChild<QRadioButton*>(QStringLiteral("genreChoice%1").arg(Below(2)))->click();
        auto* minute = d->findChild<UpDown*>(QStringLiteral("minutesUpDown"));
        auto* second = d->findChild<UpDown*>(QStringLiteral("secondsUpDown"));
        const int targetSecond = 5 * (1 + Below(6));  // 5 to 30 seconds
        for (int i = 0; i < 12 && minute->Value() > 0; ++i) minute->downButton->click();
        for (int i = 0; i < 12 && second->Value() != targetSecond; ++i)
            (second->Value() < targetSecond ? second->upButton : second->downButton)->click();
        Click(Roll(0.8) ? "okButton" : "cancelButton");
    } else {
        Now()->findChild<QRadioButton*>(QLatin1String(Roll(0.5) ? "genreJapanese" : "genreEnglish"))->click();
        Click(Roll(0.8) ? "okButton" : "cancelButton");
    }
    Pump();
    if (NowName() != owner) Expect(owner.toLatin1().constData());
}

void SoakPlayer::CloseStatistics() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<stats::StatsWindow*>(w) && w->isVisible()) w->close();
    Pump();
}

void SoakPlayer::CloseWindows(const char* objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String(objectName) && w->isVisible()) w->close();
    Pump();
}

bool SoakPlayer::Roll(double p) {
    return std::uniform_real_distribution<double>(0, 1)(rng_) < p;
}
int SoakPlayer::Below(int n) {
    return int(rng_() % quint32(n));
}

// ---- Typing ----

bool SoakPlayer::InPlay() const {
    const auto* f = qobject_cast<const PlayScreen*>(Now());
    return f && f->GetPhase() == PlayScreen::Phase::Playing;
}

void SoakPlayer::StartPlay() {
    Key(Qt::Key_Space);
    Fire("readyGoTimer", 2);
    if (!InPlay()) Fault(QStringLiteral("no play after Space on %1").arg(NowName()));
}

bool SoakPlayer::TypeKey(bool correct) {
    ScreenBase* f = Now();
    const auto* label = f ? f->findChild<QLabel*>(QStringLiteral("readingText")) : nullptr;
    const QString display = label ? label->text() : QString();
    if (display.isEmpty()) return false;
    const TypingJudge& judge = p_.g.judge;
    char key = 0;
    if (display.at(0).unicode() < 0x80) {  // an English word: its first letter is the key
        const char head = display.at(0).toLatin1();
        key = correct ? head : (head == 'q' ? 'x' : 'q');
    } else if (correct) {
        const GuideLine line = guide_.Line(judge, display);
        if (line.next.isEmpty()) {
            Fault(QStringLiteral("the reading %1 cannot be typed").arg(display));
            return false;
        }
        key = line.next.at(0).toLatin1();
        guide_.BeforeKey(judge, display, key);
    } else {
        for (const char c : {'q', 'x', 'v', 'l', 'c'})
            if (!guide_.Counts(judge, display, c)) {
                key = c;
                break;
            }
    }
    if (!key) return false;
    QTest::keyClick(f, key);
    return true;
}

void SoakPlayer::TypeUntilPlayEnds(int maxKeys, int msPerKey, double missRate,
                                   const std::function<void(int)>& tick) {
    for (int k = 0; k < maxKeys && InPlay(); ++k) {
        p_.clock.advance(msPerKey);
        if (tick) tick(k);
        if (!InPlay()) break;
        TypeKey(!Roll(missRate));
        // The event loop would run between two keys: repaints and posted events go out.
        if (k % 16 == 15) Pump();
    }
}

// ---- The main menu ----

bool SoakPlayer::Start(const QString& playerName) {
    p_.nav.Show(Screen::StartUp);
    Pump();
    Fire("splashTimer");
    Pump();
    if (!Expect("PlayerNameScreen")) return false;
    auto* box = Now()->findChild<QComboBox*>(QStringLiteral("userNameBox"));
    box->setEditText(playerName);
    QTest::keyClick(box, Qt::Key_Return);
    Pump();
    return Expect("MainMenu");
}

void SoakPlayer::Play(Activity a, bool winAll) {
    if (NowName() != QLatin1String("MainMenu")) Expect("MainMenu");
    switch (a) {
        case Activity::Practice:
            PlayPractice();
            break;
        case Activity::TimeTrial:
            PlayTimeTrial();
            break;
        case Activity::Derby:
            PlayDerby(winAll);
            break;
        case Activity::Options:
            ToggleOptions();
            break;
        case Activity::Statistics:
            LookAtStatistics();
            break;
    }
    Pump();
    if (NowName() != QLatin1String("MainMenu")) Expect("MainMenu");
}

void SoakPlayer::PlayAny(bool winAll) {
    int r = Below(100);
    // Diagnosis: KD_SOAK_ONLY=practice|timetrial|derby plays that mode alone after the warm-up.
    static const QByteArray only = qgetenv("KD_SOAK_ONLY");
    if (!winAll && only == "practice") r = 0;
    if (!winAll && only == "timetrial") r = 30;
    if (!winAll && only == "derby") r = 60;
    Play(r < 28   ? Activity::Practice
         : r < 56 ? Activity::TimeTrial
         : r < 88 ? Activity::Derby
         : r < 97 ? Activity::Options
                  : Activity::Statistics,
         winAll);
}

void SoakPlayer::DeleteRecords() {
    if (!Expect("MainMenu")) return;
    p_.msg.answer = MsgAnswer::Yes;
    Trigger("deleteRecordsAction");
}

void SoakPlayer::Settle() {
    if (NowName() != QLatin1String("MainMenu")) Expect("MainMenu");
    if (p_.zoom->Percent() != 100 || p_.zoom->IsFullScreen()) {
        p_.zoom->SetFullScreen(false);
        Trigger("zoom100Action");
    }
    // The music off: FluidSynth loads an instrument's samples when it first sounds, so a
    // piece holds more memory the further it has played.
    if (p_.g.musicOn) Trigger("musicOffAction");
    if (!p_.g.keySoundsOn) Trigger("effectsOnAction");
    const int threads = ThreadCount();
    LookAtStatistics(true);
    // The reading thread ends on its own after handing over the figures. The record is not
    // closed under a summary being written: reopening it would wait for the lock.
    QElapsedTimer waited;
    waited.start();
    while (ThreadCount() > threads && waited.elapsed() < 60000) {
        Pump();
        QThread::msleep(5);
    }
    // SQLite keeps the descriptor of a closed connection for the next one to the same file
    // while another connection of the process holds its lock: one per statistics reading
    // that overlapped another. They go when the record is closed, as on a change of player
    // or a deletion, so both measurements see the record freshly opened, as after choosing
    // a mode.
    p_.learning.Close();
    p_.learning.Store();
    for (int i = 0; i < 5; ++i) Pump();
    // Qt's pixmap cache (the style's button pictures, the game's pictures) lets go of unused
    // entries every 30 s of real time and holds at most 10 MB; the soak packs an hour of play
    // into a minute, so it is emptied before each measurement rather than waited for.
    QPixmapCache::clear();
    Pump();
}

// ---- Practice ----

void SoakPlayer::PlayPractice() {
    ChooseMenuItem(0);
    if (!Expect("PracticeScreen")) return;
    if (Roll(0.2)) OpenGenreDialog("settingsButton");
    const int games = 1 + Below(3);
    for (int i = 0; i < games; ++i)
        if (!PracticeGame()) return;
    Key(Qt::Key_Backspace);
    Pump();
    Expect("MainMenu");
}

bool SoakPlayer::PracticeGame() {
    StartPlay();
    if (Roll(0.1)) {  // Esc after a few keys: the game is abandoned and the screen rests
        TypeUntilPlayEnds(3 + Below(20), 200, 0.1);
        Key(Qt::Key_Escape);
        return Expect("PracticeScreen");
    }
    TypeUntilPlayEnds(5000, 120 + Below(200), Roll(0.3) ? 0.0 : 0.08,
                      [this](int) { Fire("countdownTimer"); });
    if (!Fire("finishTimer")) {
        Fault(QStringLiteral("practice: no finish"));
        BackToMenu();
        return false;
    }
    Pump();
    if (!Expect("PracticeResultScreen")) return false;
    if (Roll(0.05)) {
        QTest::keyClick(Now(), Qt::Key_F2);
        Pump();
        CloseStatistics();
    }
    if (Roll(0.5))
        Click("okButton");
    else
        Key(Qt::Key_Return);
    Pump();
    return Expect("PracticeScreen");
}

// ---- Time trial ----

void SoakPlayer::PlayTimeTrial() {
    ChooseMenuItem(1);
    if (!Expect("TimeTrialScreen")) return;
    if (Roll(0.2)) OpenGenreDialog("settingsButton");
    const int games = 1 + Below(3);
    for (int i = 0; i < games; ++i) {
        if (!TimeTrialGame()) return;
        if (NowName() == QLatin1String("TimeTrialScreen")) continue;  // left with Esc
        const bool again = i + 1 < games;
        TimeTrialResult(again);
        if (!Expect(again ? "TimeTrialScreen" : "MainMenu")) return;
    }
    if (NowName() == QLatin1String("TimeTrialScreen")) {
        Key(Qt::Key_Backspace);
        Pump();
        Expect("MainMenu");
    }
}

bool SoakPlayer::TimeTrialGame() {
    StartPlay();
    if (Roll(0.1)) {
        TypeUntilPlayEnds(3 + Below(30), 150, 0.1);
        Key(Qt::Key_Escape);
        return Expect("TimeTrialScreen");
    }
    // Now and then a fast run, so the ranking keeps taking new names.
    const int ms = Roll(0.15) ? 30 + Below(20) : 80 + Below(200);
    TypeUntilPlayEnds(3000, ms, Roll(0.3) ? 0.0 : 0.06);
    if (!Fire("finishTimer")) {
        Fault(QStringLiteral("time trial: no goal"));
        BackToMenu();
        return false;
    }
    Pump();
    return Expect("TimeTrialResultScreen");
}

void SoakPlayer::TimeTrialResult(bool again) {
    ScreenBase* result = Now();
    if (result->findChild<QLabel*>(QStringLiteral("splitsHint")) && Roll(0.3)) {
        QTest::keyClick(result, Qt::Key_F3);
        Pump();
        CloseWindows("SplitsWindow");
    }
    if (Roll(0.05)) {
        QTest::keyClick(result, Qt::Key_F2);
        Pump();
        CloseStatistics();
    }
    p_.msg.answer = again ? MsgAnswer::Yes : MsgAnswer::No;
    auto* name = result->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
    if (name && name->isEnabled()) {
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("SOAK%1").arg(Below(100)));
        Click("okButton");
        Pump();
        if (!Expect("TimeTrialRankingScreen")) return;
        Fire("blinkTimer", 1 + Below(6));
    }
    Click("okButton");
    Pump();
}

// ---- Derby ----

void SoakPlayer::PlayDerby(bool winAll) {
    ChooseMenuItem(2);
    if (!Expect("CharacterSelectScreen")) return;
    if (Roll(0.2)) OpenGenreDialog("settingsButton");
    if (auto* tile = Now()->findChild<QWidget*>(QStringLiteral("characterTile%1").arg(Below(5))))
        QTest::mouseClick(tile, Qt::LeftButton);
    Fire("demoTimer", 1 + Below(20));
    if (Roll(0.5))
        Click("okButton");
    else
        Key(Qt::Key_Return);
    Pump();

    const int races = 1 + Below(4);
    int played = 0;
    for (int step = 0; step < 40; ++step) {
        const QString now = NowName();
        if (now == QLatin1String("MainMenu")) return;
        if (now == QLatin1String("HeatInfoScreen")) {
            if (played >= races) break;
            if (Roll(0.5))
                Key(Qt::Key_Space);
            else
                Fire("timeoutTimer");
        } else if (now == QLatin1String("RaceScreen")) {
            if (played >= races) break;
            const int r = Below(100);
            RaceGame(winAll || r < 20 ? Race::Win
                     : r < 70         ? Race::Lose
                     : r < 85         ? Race::OutOfPower
                                      : Race::Abandon);
            ++played;
        } else if (now == QLatin1String("BossScreen")) {
            if (played >= races) break;
            BossGame(winAll || Roll(0.5));
            ++played;
        } else if (now == QLatin1String("RaceRankingScreen")) {
            if (played >= races) {
                Now()->close();  // the close box leads to the menu
            } else {
                Click("okButton");
            }
        } else if (now == QLatin1String("RollCallScreen")) {
            ++rollCalls;
            Fire("typeOutTimer", 1 + Below(80));
            Key(Qt::Key_Space);
        } else if (now == QLatin1String("CharacterSelectScreen")) {
            Key(Qt::Key_Backspace);
        } else {
            Fault(QStringLiteral("derby: unexpected %1").arg(now));
            BackToMenu();
            return;
        }
        Pump();
    }
    // Leave from wherever the derby stands: a race or the boss back to the selection, the
    // selection and the heat screen's next screen to the menu.
    for (int step = 0; step < 6 && NowName() != QLatin1String("MainMenu"); ++step) {
        const QString now = NowName();
        if (now == QLatin1String("HeatInfoScreen"))
            Key(Qt::Key_Return);
        else if (now == QLatin1String("RaceRankingScreen"))
            Now()->close();
        else if (now == QLatin1String("RollCallScreen"))
            Key(Qt::Key_Space);
        else
            Key(Qt::Key_Backspace);
        Pump();
    }
}

bool SoakPlayer::RaceGame(Race how) {
    StartPlay();
    // After power runs out: try again or leave, as the dice say.
    p_.msg.answer = Roll(0.5) ? MsgAnswer::Yes : MsgAnswer::No;
    switch (how) {
        case Race::Win:
            TypeUntilPlayEnds(1500, 150, 0.02, [this](int k) {
                if (k % 3 == 0) Fire("moveTimer");
            });
            break;
        case Race::Lose:
            TypeUntilPlayEnds(1500, 150, 0.02, [this](int) { Fire("moveTimer", 2); });
            break;
        case Race::OutOfPower:
            TypeUntilPlayEnds(200, 150, 1.0, [this](int) { Fire("moveTimer"); });
            return true;
        case Race::Abandon:
            TypeUntilPlayEnds(3 + Below(20), 150, 0.05, [this](int) { Fire("moveTimer"); });
            Key(Roll(0.5) ? Qt::Key_Escape : Qt::Key_Backspace);
            return true;
    }
    if (InPlay()) {
        Fault(QStringLiteral("a race that does not end"));
        return false;
    }
    Fire("finishTimer");
    return true;
}

bool SoakPlayer::BossGame(bool win) {
    StartPlay();
    p_.msg.answer = Roll(0.5) ? MsgAnswer::Yes : MsgAnswer::No;
    if (win) {
        TypeUntilPlayEnds(3000, 150, 0.01, [this](int k) {
            if (k % 4 == 0) Fire("moveTimer");
        });
    } else {
        for (int t = 0; t < 5000 && InPlay(); ++t) {
            p_.clock.advance(150);
            Fire("moveTimer");
            if (t % 4 == 0 && InPlay()) TypeKey(true);
        }
    }
    if (InPlay()) {
        Fault(QStringLiteral("a boss battle that does not end"));
        return false;
    }
    Fire("finishTimer");
    return true;
}

// ---- Options, windows and the statistics ----

void SoakPlayer::ToggleOptions() {
    switch (Below(9)) {
        case 0:
            Trigger(Roll(0.5) ? "musicOnAction" : "musicOffAction");
            break;
        case 1:
            Trigger(Roll(0.5) ? "effectsOnAction" : "effectsOffAction");
            break;
        case 2:
            Trigger("ghostAction");
            break;
        case 3:  // a game zoomed, then back to 100 %
        case 4:
            Trigger(Roll(0.3) ? "zoom200Action" : "zoom150Action");
            if (Roll(0.5))
                PlayTimeTrial();
            else
                PlayPractice();
            Trigger("zoom100Action");
            break;
        case 5:
            Trigger("aboutAction");
            if (Expect("AboutBox")) Key(Qt::Key_Return);
            Pump();
            break;
        case 6: {
            Trigger("replayAction");
            QWidget* list = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("ReplayListWindow") && w->isVisible()) list = w;
            if (!list) {
                Fault(QStringLiteral("no replay list"));
                break;
            }
            auto* replay = list->findChild<QPushButton*>(QStringLiteral("replayButton"));
            if (replay && replay->isEnabled()) {
                replay->click();
                Pump();
                for (QWidget* w : list->findChildren<QWidget*>(QStringLiteral("ReplayWindow"))) {
                    if (auto* play = w->findChild<QPushButton*>(QStringLiteral("playButton"))) play->click();
                    if (Timer* t = w->findChild<Timer*>(QStringLiteral("replayTimer")))
                        for (int i = 0; i < 20 && t->fire(); ++i) p_.clock.advance(50);
                }
            }
            list->close();
            Pump();
            break;
        }
        case 7:
            Trigger("exportLearningAction");
            break;
        case 8:
            Trigger("fullScreenAction");
            Trigger("fullScreenAction");
            break;
    }
}

void SoakPlayer::LookAtStatistics(bool toTheEnd) {
    Trigger("showStatsAction");
    stats::StatsWindow* w = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* s = qobject_cast<stats::StatsWindow*>(t); s && s->isVisible()) w = s;
    if (!w) {
        Fault(QStringLiteral("no statistics window"));
        return;
    }
    // Mostly read to the end; sometimes closed while the record is still being read.
    if ((toTheEnd || Roll(0.8)) && !w->IsLoaded()) {
        QEventLoop wait;
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &wait, &QEventLoop::quit);
        QObject::connect(w, &stats::StatsWindow::Loaded, &wait, &QEventLoop::quit);
        limit.start(60000);
        wait.exec();
        if (!w->IsLoaded()) Fault(QStringLiteral("the statistics took over a minute"));
    }
    if (w->IsLoaded()) {
        if (auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("tabs")))
            for (int i = 0; i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                Pump();
            }
        w->SetRangeDays(Roll(0.5) ? 7 : 0);
        Pump();
    }
    w->close();
    Pump();
}

}  // namespace kd::soak
