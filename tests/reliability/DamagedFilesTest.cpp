#include <QDir>
#include <QRadioButton>
#include <QRegularExpression>
#include <functional>
#include <iostream>
#include <random>

#include "chains/ChainKit.h"
#include "common/GameState.h"
#include "common/PlayerList.h"
#include "common/RecordFile.h"
#include "common/TimeTrialRecords.h"
#include "support/PlayProbe.h"
#include "timetrial/TimeTrialResultScreen.h"

using namespace kd;
using namespace kd::test;

namespace {

const QColor kYellow(255, 255, 0);
const QList<int> kCast = {1, 2, 3, 4, 5, 11, 12, 13, 21, 22, 31, 32, 41, 42, 51, 52, 53};

bool Matches(const QString& text, const char* pattern) {
    return QRegularExpression(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(pattern)))
        .match(text)
        .hasMatch();
}

int CheckedCount(QObject* form, std::initializer_list<const char*> names) {
    int n = 0;
    for (const char* name : names)
        n += Find<QRadioButton>(form, QString::fromLatin1(name))->isChecked() ? 1 : 0;
    return n;
}

void CloseAll(ChainApp& app) {
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();
}

// ---- What each stored file's readers show -------------------------------------------------

// Data.dat: the name screen lists only sound names of existing players, a list it cannot read
// is kept aside rather than lost, and confirming a name writes a readable list again.
void CheckNameScreen(ChainApp& app, const QByteArray& damaged) {
    const QString list = app.dir.filePath(QStringLiteral("Data.dat"));
    app.nav.Show(Screen::StartUp);
    ASSERT_EQ(app.NowScreen(), Screen::StartUp);
    Fire(app.Now(), QStringLiteral("splashTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::InputUserName);
    auto* box = Find<QComboBox>(app.Now(), QStringLiteral("userNameBox"));
    ASSERT_GE(box->count(), 1);
    for (int i = 0; i < box->count(); ++i) {
        const QString name = box->itemText(i);
        EXPECT_TRUE(PlayerNameProblem(name).isEmpty()) << name.toStdString();
        if (name != "DefaultUser") {
            EXPECT_TRUE(QDir(app.dir.filePath(name)).exists()) << name.toStdString();
        }
    }
    EXPECT_FALSE(box->currentText().isEmpty());
    const QStringList kept =
        QDir(app.dir.path()).entryList({QStringLiteral("Data.dat.damaged*")}, QDir::Files);
    if (app.ReadFile(list) != damaged) {
        ASSERT_EQ(kept.size(), 1) << "an unreadable list is kept aside";
        EXPECT_EQ(app.ReadFile(app.dir.filePath(kept[0])), damaged);
    }
    box->setEditText(QStringLiteral("Tester"));
    Press(box, Qt::Key_Return);
    ASSERT_EQ(app.NowScreen(), Screen::Main);
    const auto names = UnpackUserNames(RecordFile::Read(list, 1));
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(names->value(0), "Tester");
}

// DATA/Data: the menu shows each switch as exactly ON or OFF, plays music only when it shows
// ON, and choosing a mode stores both switches as -1 or 0.
void CheckSoundSwitches(ChainApp& app, const QByteArray&) {
    app.nav.Show(Screen::Main);
    ScreenBase* menu = app.Now();
    for (const auto& [on, off, value] :
         {std::tuple{"musicOnAction", "musicOffAction", app.g.musicOn},
          std::tuple{"effectsOnAction", "effectsOffAction", app.g.keySoundsOn}}) {
        EXPECT_NE(Menu(menu, on)->isChecked(), Menu(menu, off)->isChecked());
        EXPECT_EQ(Menu(menu, on)->isChecked(), value);
    }
    EXPECT_EQ(app.audio.playing, app.g.musicOn ? "startup.mid" : "");
    const QByteArray expected =
        Record(app.g.musicOn ? "FF FF" : "00 00") + Record(app.g.keySoundsOn ? "FF FF" : "00 00");
    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    EXPECT_EQ(app.ReadFile(app.Player("DATA/Data")).left(256), expected);
}

// DATA/Heat: the derby names one heat from 1 to the boss, its race has a real field and can be
// run and finished, and the progress written afterwards reads back as the next heat.
void CheckHeat(ChainApp& app, const QByteArray&) {
    app.nav.Show(Screen::Main);
    ChooseMenuItem(app, 2);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.NowScreen(), Screen::HeatInfo);
    const int heat = app.g.derby.Heat();
    ASSERT_TRUE(heat >= 1 && heat <= 6) << heat;
    int yellow = 0;
    for (int i = 0; i < 5; ++i)
        yellow +=
            Label(app.Now(), QStringLiteral("heatName%1").arg(i))->palette().color(QPalette::WindowText) ==
            kYellow;
    EXPECT_EQ(yellow, 1);
    Press(app.Now(), Qt::Key_Space);
    TestApp::Flush();
    if (heat == 6) {
        ASSERT_EQ(app.NowScreen(), Screen::Boss);
        StartPlay(app.Now());
        EXPECT_FALSE(DisplayText(app.Now()).isEmpty());
        return;
    }
    ASSERT_EQ(app.NowScreen(), Screen::KeyDerby);
    for (int j = 1; j <= 3; ++j)
        EXPECT_TRUE(kCast.contains(app.g.derby.Character(j))) << app.g.derby.Character(j);
    StartPlay(app.Now());
    TypeHead(app.Now(), 59);
    Fire(app.Now(), QStringLiteral("finishTimer"));
    ASSERT_EQ(app.NowScreen(), Screen::RankingKeyDerby);
    RecordReader r(RecordFile::Read(app.Player("DATA/Heat"), 1));
    r.Text();
    EXPECT_EQ(r.Int16(), heat + 1);
    EXPECT_TRUE(kCast.contains(RecordReader(RecordFile::Read(app.Player("DATA/Heat"), 2)).Int16()));
}

// DATA/PracticeTime: the practice screen shows a time and genre it can play and plays them;
// the settings dialog opens on them; the result screen shows the history with numbers for
// speeds and stores today's practice on top.
void CheckPractice(ChainApp& app, const QByteArray&) {
    app.nav.Show(Screen::Practice);
    ScreenBase* practice = app.Now();
    EXPECT_TRUE(Matches(Text(practice, "practiceTimeText"), "練習時間：(無制限|[0-9]+分 [0-9]+秒)"))
        << Text(practice, "practiceTimeText").toStdString();
    EXPECT_TRUE(Matches(Text(practice, "remainingTime"), "無制限|[0-9]+\\.[0-9]"))
        << Text(practice, "remainingTime").toStdString();
    EXPECT_TRUE(Matches(Text(practice, "genreText"), "ジャンル：(慣用句|英単語)"));
    EXPECT_TRUE(GenreOf(practice) == "kannyouku" || GenreOf(practice) == "english");
    Click(Button(practice, QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "PracticeSettingsDialog");
    EXPECT_EQ(CheckedCount(app.Now(), {"genreChoice0", "genreChoice1"}), 1);
    EXPECT_EQ(CheckedCount(app.Now(), {"limitedChoice", "unlimitedChoice"}), 1);
    Click(Button(app.Now(), QStringLiteral("cancelButton")));
    TestApp::Flush();
    ASSERT_EQ(app.Now(), practice);
    StartPlay(practice);
    EXPECT_FALSE(DisplayText(practice).isEmpty());
    CloseAll(app);

    app.nav.Show(Screen::ResultPractice);
    ScreenBase* result = app.Now();
    for (int i = 0; i < 10; ++i) {
        const QString tps = Text(result, QStringLiteral("historyTypesPerSec%1").arg(i));
        EXPECT_TRUE(Matches(tps, "[0-9]+(\\.[0-9]+)?")) << "row " << i << ": " << tps.toStdString();
        for (const char* column :
             {"historyDate", "historyCorrectRate", "historyPracticeTime", "historyGenre"})
            EXPECT_LE(Text(result, QString::fromLatin1(column) + QString::number(i)).size(), 128);
    }
    RecordReader newest(RecordFile::Read(app.Player("DATA/PracticeTime"), 2));
    EXPECT_EQ(newest.Variant(), QStringLiteral("2024/05/01"));
}

// DATA/gen: the time trial plays one of the two genres and its dialog shows one of them.
void CheckTimeTrialGenre(ChainApp& app, const QByteArray&) {
    app.nav.Show(Screen::TimeTrial);
    ScreenBase* play = app.Now();
    EXPECT_TRUE(GenreOf(play) == "kannyouku" || GenreOf(play) == "english");
    Click(Button(play, QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "TimeTrialGenreDialog");
    EXPECT_EQ(CheckedCount(app.Now(), {"genreJapanese", "genreEnglish"}), 1);
    Click(Button(app.Now(), QStringLiteral("cancelButton")));
    TestApp::Flush();
    StartPlay(play);
    EXPECT_FALSE(DisplayText(play).isEmpty());
}

// DATA/genderby: the same for the derby's dialog and race.
void CheckDerbyGenre(ChainApp& app, const QByteArray&) {
    app.nav.Show(Screen::SelectChara);
    Click(Button(app.Now(), QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "DerbyGenreDialog");
    EXPECT_EQ(CheckedCount(app.Now(), {"genreJapanese", "genreEnglish"}), 1);
    Click(Button(app.Now(), QStringLiteral("cancelButton")));
    TestApp::Flush();
    Click(Button(app.Now(), QStringLiteral("okButton")));
    Press(app.Now(), Qt::Key_Space);
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::KeyDerby);
    EXPECT_TRUE(GenreOf(app.Now()) == "kannyouku" || GenreOf(app.Now()) == "english");
    StartPlay(app.Now());
    EXPECT_FALSE(DisplayText(app.Now()).isEmpty());
}

// DATA/TimeTrialData: the ranking shows whole rows of proper times, top down without gaps;
// a new run is placed and stored, and the stored table reads back sorted.
void CheckRanking(ChainApp& app, const QByteArray&) {
    app.g.player.TimeTrialRanking = -1;
    app.nav.Show(Screen::RankingTimeTrial);
    bool gap = false;
    for (int i = 0; i < 10; ++i) {
        const QString time = Text(app.Now(), QStringLiteral("timeCell%1").arg(i));
        if (time.isEmpty()) {
            gap = true;
            continue;
        }
        EXPECT_FALSE(gap) << "row " << i << " after an empty row";
        EXPECT_TRUE(Matches(time, "[0-9]+m[0-9]{2}s[0-9]{2}")) << time.toStdString();
        EXPECT_TRUE(Matches(Text(app.Now(), QStringLiteral("scoreCell%1").arg(i)), "-?[0-9]+"));
    }
    app.msg.Answer(MsgAnswer::No);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    CloseAll(app);

    app.g.player.SetTimeTrialTime(30000);
    app.g.judge.Reset();
    app.g.questions.SetGenre(QStringLiteral("english"));
    ScreenBase* result = app.nav.Show(Screen::ResultTimeTrial);
    qobject_cast<TimeTrialResultScreen*>(result)->SetRunGenre(Genre::English);
    const bool ranked = app.g.player.TimeTrialRanking >= 0;
    app.msg.Answer(MsgAnswer::No);
    Click(Button(result, QStringLiteral("okButton")));
    EXPECT_EQ(app.NowScreen(), ranked ? Screen::RankingTimeTrial : Screen::Main);
    const QList<QByteArray> records = RecordFile::ReadRange(app.Player("DATA/TimeTrialData"), 1, 10);
    qint32 previous = 0;
    bool found = false;
    for (const QByteArray& rec : records) {
        const TimeTrialRecord r = DecodeTimeTrialRecord(rec);
        if (r.RankTime == 0) {
            previous = std::numeric_limits<qint32>::max();
            continue;
        }
        EXPECT_GE(r.RankTime, previous) << "sorted, used places first";
        previous = r.RankTime;
        found = found || r.RankTime == 30000;
    }
    if (ranked) {
        EXPECT_TRUE(found);
    }
}

// ---- The files, sound and damaged -----------------------------------------------------------

struct StoredFile {
    const char* name;
    QString path;        // below the data folder
    QByteArray sound;    // as the program writes it
    QByteArray outside;  // byte counts running past their record, values out of range
    std::function<void(ChainApp&, const QByteArray&)> check;
};

QList<StoredFile> Files() {
    const QByteArray history = Record(
        "08 00 0A 00 32 30 32 34 2F 30 34 2F 33 30 08 00 05 00 39 35 2E 30 25 9A 99 19 40 08 00 07 00 31 95 "
        "AA 20 30 "
        "95 62 06 00 8A B5 97 70 8B E5");  // 2024/04/30, 95.0%, 2.4, 1分 0秒, 慣用句
    return {
        {"Data.dat", "Data.dat", Record("06 00 54 65 73 74 65 72 05 00 41 6C 69 63 65"),
         Record("7E 00") + QByteArray(126, 'A'), CheckNameScreen},
        {"DATA/Data", "Tester/DATA/Data", Record("FF FF") + Record("00 00"),
         Record("FF 7F") + Record("00 80"), CheckSoundSwitches},
        {"DATA/Heat", "Tester/DATA/Heat", Record("00 00 03 00") + Record("0C 00"),
         Record("FF 00 41 42 43 00 05 00") + Record("63 00"), CheckHeat},
        {"DATA/PracticeTime", "Tester/DATA/PracticeTime",
         Record("5A 00 07 00 65 6E 67 6C 69 73 68") + history + history,
         Record("FF 7F FF 00 65 6E 67 6C 69 73 68") + Record("08 00 FF FF 32 30") +
             Record("00 00 00 00 FF FF FF 7F 00 00 F0 00") + Record("00 00 08 00 7C 00 41") +
             Record("00 00 00 00 00 00 80 7F 00 00 00 00") +
             Record("08 00 0A 00 32 30 32 34 2F 30 34 2F 33 30 07 00") +
             Record("00 00 00 00 FF FF 7F 7F 00 00 00 00") + Record("00 00 00 00 00 00 20 C0 00 00 00 00"),
         CheckPractice},
        {"DATA/gen", "Tester/DATA/gen", Record("01 00"), Record("02 00"), CheckTimeTrialGenre},
        {"DATA/genderby", "Tester/DATA/genderby", Record("01 00"), Record("00 80"), CheckDerbyGenre},
        {"DATA/TimeTrialData", "Tester/DATA/TimeTrialData",
         Record("03 00 41 43 45 B4 2D 00 00 05 00 39 37 2E 34 25 62 2F 01 00 53 06 00 89 70 92 50 8C EA") +
             Record("01 00 42 60 EA 00 00 05 00 39 30 2E 30 25 00 00 01 00 44 06 00 89 70 92 50 8C EA"),
         Record("FF FF 41 42") + Record("78 00 41") + Record("01 00 43 10 27 00 00 FF 00 39") +
             Record("01 00 44 F0 FF FF FF 00 00") +
             Record("01 00 45 20 4E 00 00 05 00 39 39 2E 39 25 00 00 F0 00 53"),
         CheckRanking},
    };
}

struct Damage {
    const char* name;
    std::function<QByteArray(const StoredFile&)> make;
};

QList<Damage> Damages() {
    return {
        {"empty", [](const StoredFile&) { return QByteArray(); }},
        {"first 5 bytes", [](const StoredFile& f) { return f.sound.left(5); }},
        {"last byte missing", [](const StoredFile& f) { return f.sound.chopped(1); }},
        {"1 MiB too long", [](const StoredFile& f) { return f.sound + QByteArray(1 << 20, 'A'); }},
        {"all 0xFF", [](const StoredFile& f) { return QByteArray(f.sound.size(), char(0xFF)); }},
        {"all zeros", [](const StoredFile& f) { return QByteArray(f.sound.size(), '\0'); }},
        {"counts past the record", [](const StoredFile& f) { return f.outside; }},
        {"random bytes",
         [](const StoredFile& f) {
             std::mt19937 rng(quint32(qHash(QByteArray(f.name))));
             QByteArray out(3 * 128, '\0');
             for (char& c : out) c = char(rng());
             return out;
         }},
    };
}

}  // namespace

TEST(DamagedFiles, EveryReaderShowsSaneValuesAndTheScreensGoOn) {
    int damaged = 0;
    for (const StoredFile& file : Files()) {
        for (const Damage& damage : Damages()) {
            SCOPED_TRACE(std::string(file.name) + ", " + damage.name);
            ChainApp app;
            for (const char* player : {"Tester", "Alice"}) {
                app.UsePlayer(QString::fromLatin1(player));
                app.WriteFile(app.Player("DATA/genderby"), Record("01 00"));  // English: easy to type
            }
            app.g.player.SetUserName(QStringLiteral("Tester"));
            app.WriteFile(app.dir.filePath(QStringLiteral("Data.dat")), Files().first().sound);
            const QByteArray bytes = damage.make(file);
            app.WriteFile(app.dir.filePath(file.path), bytes);
            ++damaged;
            file.check(app, bytes);
            CloseAll(app);
        }
    }
    std::cout << "[ damaged  ] " << Files().size() << " files x " << Damages().size()
              << " kinds of damage = " << damaged << " cases\n";
}
