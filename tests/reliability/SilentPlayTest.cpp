#include <QDir>
#include <QFile>
#include <QPixmapCache>
#include <functional>
#include <random>

#include "chains/ChainKit.h"
#include "common/GameState.h"
#include "platform/audio/SdlAudio.h"

using namespace kd;
using namespace kd::test;

// The resource functions must be declared outside any namespace.
static void DropPictures() {
    Q_CLEANUP_RESOURCE(pictures);
}
static void RestorePictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace {

// The whole program on the real SDL2_mixer audio, with the media folder and SoundFont given.
struct SoundApp {
    SoundApp(const QString& media, const QString& soundFont)
        : audio(media, soundFont), g(rnd, clock, audio, dir.path()), ctx{g, msg, nav} {
        nav.SetContext(&ctx);
        nav.quitOnEnd = false;
        RegisterAllScreens(nav);
    }
    ~SoundApp() {
        for (ScreenBase* f : nav.OpenForms()) f->CloseScreen();
        TestApp::Flush();
    }
    ScreenBase* Now() const { return nav.Current(); }
    QString NowName() const { return nav.Current() ? nav.Current()->objectName() : QString(); }
    std::optional<Screen> NowScreen() const { return nav.Current() ? nav.Current()->Id() : std::nullopt; }
    QString Player(const QString& relative) const { return g.PlayerPath(relative); }

    QTemporaryDir dir;
    ManualTickCounter clock;
    ScriptedRandom rnd;
    SdlAudio audio;
    GameState g;
    ScriptedMessageBoxes msg;
    Navigator nav;
    AppContext ctx;
};

void Write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Garbage(const QByteArray& magic, quint32 seed) {
    std::mt19937 rng(seed);
    QByteArray out = magic;
    while (out.size() < 4096) out.append(char(rng()));
    return out;
}

const char* const kMidis[] = {"startup.mid", "back.mid", "umai3.mid",   "heat1.mid",    "heat2.mid",
                              "heat3.mid",   "98.mid",   "coolguy.mid", "recovery1.mid"};

void CopyShippedMedia(const QString& media) {
    for (const char* sub : {"Midi", "Sound"}) {
        const QDir from(QStringLiteral(KD_SOURCE_DIR "/resources/") + QString::fromLatin1(sub));
        QDir().mkpath(media + u'/' + QString::fromLatin1(sub));
        for (const QString& f : from.entryList(QDir::Files))
            QFile::copy(from.filePath(f), media + u'/' + QString::fromLatin1(sub) + u'/' + f);
    }
}

// Every mode from the menu with music and key sounds switched on: a practice, a time trial to
// the goal and its ranking, a race to the line, the boss beaten and the roll call.
void PlayEveryMode(SoundApp& app, bool silent) {
    ASSERT_TRUE(QDir().mkpath(app.dir.filePath(QStringLiteral("Tester/DATA"))));
    Write(app.dir.filePath(QStringLiteral("Tester/DATA/Data")), Record("FF FF") + Record("FF FF"));
    // English everywhere: the head of the question is the right key.
    for (const char* genre : {"gen", "genderby"})
        Write(app.dir.filePath(QStringLiteral("Tester/DATA/") + QString::fromLatin1(genre)), Record("01 00"));
    Write(app.dir.filePath(QStringLiteral("Tester/DATA/PracticeTime")),
          Record("3C 00 07 00 65 6E 67 6C 69 73 68"));
    StartAs(app, QStringLiteral("Tester"));
    EXPECT_TRUE(app.g.musicOn);
    if (silent) {
        EXPECT_FALSE(app.audio.MusicPlaying());
    }

    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    StartPlay(app.Now());
    TypeHead(app.Now(), 10);
    TypeWrong(app.Now(), 2);
    EXPECT_EQ(app.g.judge.GetCorrectCount(), 10);
    Press(app.Now(), Qt::Key_Backspace);

    ChooseMenuItem(app, 1);
    ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);
    StartPlay(app.Now());
    for (int i = 0; i < 114; ++i) {
        app.clock.advance(100);
        TypeHead(app.Now());
    }
    Fire(app.Now(), QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.NowScreen(), Screen::RankingTimeTrial);
    app.msg.Answer(MsgAnswer::No);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();

    ChooseMenuItem(app, 2);
    ASSERT_EQ(app.NowScreen(), Screen::SelectChara);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    Press(app.Now(), Qt::Key_Space);
    ASSERT_EQ(app.NowScreen(), Screen::KeyDerby);
    StartPlay(app.Now());
    if (silent) {
        EXPECT_FALSE(app.audio.MusicPlaying());
    }
    TypeHead(app.Now(), 59);
    Fire(app.Now(), QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::RankingKeyDerby);

    app.g.derby.SetHeat(6);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    Press(app.Now(), Qt::Key_Space);
    ASSERT_EQ(app.NowScreen(), Screen::Boss);
    StartPlay(app.Now());
    TypeHead(app.Now(), 125);
    Fire(app.Now(), QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::Introduction);
    Fire(app.Now(), QStringLiteral("typeOutTimer"), 3);
    Press(app.Now(), Qt::Key_Space);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    if (silent) {
        EXPECT_FALSE(app.audio.MusicPlaying());
    }
    Menu(app.Now(), QStringLiteral("exitAction"))->trigger();
    EXPECT_TRUE(app.nav.ended);
}

// The program's pictures taken away for the length of a test.
struct WithoutPictures {
    WithoutPictures() {
        DropPictures();
        QPixmapCache::clear();
    }
    ~WithoutPictures() {
        RestorePictures();
        QPixmapCache::clear();
    }
};

}  // namespace

TEST(SilentPlay, EveryModePlaysWithoutMusicSoundsDeviceOrPictures) {
    struct Setup {
        const char* name;
        std::function<void(const QString& media)> make;
        QString soundFont;  // null: the system's
        const char* driver;
        bool silent;
    };
    const QString missingFont = QStringLiteral("/nonexistent/GeneralUser.sf2");
    const Setup setups[] = {
        {"no media folder", [](const QString&) {}, QString(), "dummy", true},
        {"empty Midi and Sound folders",
         [](const QString& m) {
             QDir().mkpath(m + QStringLiteral("/Midi"));
             QDir().mkpath(m + QStringLiteral("/Sound"));
         },
         QString(), "dummy", true},
        {"damaged music and key sounds",
         [](const QString& m) {
             quint32 seed = 1;
             for (const char* f : kMidis) {
                 Write(m + QStringLiteral("/Midi/") + QString::fromLatin1(f),
                       Garbage(seed % 2 ? QByteArray("MThd") : QByteArray(), seed));
                 ++seed;
             }
             Write(m + QStringLiteral("/Sound/correct.wav"),
                   Garbage(QByteArray("RIFF\x10\0\0\0WAVEfmt ", 16), 7));
             Write(m + QStringLiteral("/Sound/miss.wav"), Garbage(QByteArray(), 8));
         },
         QString(), "dummy", false},  // the decoder may take a damaged file for music
        {"no SoundFont", CopyShippedMedia, QStringLiteral(""), "dummy", true},
        {"SoundFont missing", CopyShippedMedia, missingFont, "dummy", true},
        {"SoundFont damaged",
         [](const QString& m) {
             CopyShippedMedia(m);
             Write(m + QStringLiteral("/bad.sf2"), Garbage(QByteArray("RIFF\0\0\0\0sfbk", 12), 9));
         },
         QStringLiteral("@bad"), "dummy", false},
        {"no audio device", CopyShippedMedia, QString(), "kd-no-such-driver", true},
    };
    const QByteArray driverBefore = qgetenv("SDL_AUDIODRIVER");
    for (const Setup& s : setups) {
        SCOPED_TRACE(s.name);
        QTemporaryDir media;
        const QString folder = media.filePath(QStringLiteral("share"));
        s.make(folder);
        qputenv("SDL_AUDIODRIVER", s.driver);
        const QString font =
            s.soundFont == QLatin1String("@bad") ? folder + QStringLiteral("/bad.sf2") : s.soundFont;
        {
            SoundApp app(folder, font);
            PlayEveryMode(app, s.silent);
        }
        qputenv("SDL_AUDIODRIVER", driverBefore);
    }

    // Without the pictures every screen draws stand-ins of the right size.
    WithoutPictures none;
    ASSERT_FALSE(QFile::exists(QStringLiteral(":/pictures/BACK.png")));
    QTemporaryDir media;
    CopyShippedMedia(media.path());
    SoundApp app(media.path(), QStringLiteral(""));
    PlayEveryMode(app, true);
}
