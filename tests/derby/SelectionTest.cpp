#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "DerbyKit.h"
#include "derby/CharacterSelectScreen.h"
#include "derby/DerbyGenreDialog.h"
#include "derby/HeatInfoScreen.h"
#include "derby/RaceRankingScreen.h"
#include "platform/widgets/Bitmaps.h"
#include "support/PlayProbe.h"

namespace kd::test {
namespace {

TEST(Selection, OpensOnCrazyBallRedAndEachPictureShowsItsStats) {
    DerbyApp app;
    app.g.musicOn = true;
    app.Pick(4);  // an earlier visit's choice is not kept
    auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
    EXPECT_EQ(app.audio.playing, "back.mid");
    EXPECT_EQ(sel->characterName->text(), "CrazyBallRed");
    EXPECT_EQ(app.g.derby.Character(0), 1);
    struct Case {
        int index;
        QString name, endurance, step;
        int stepSize, missCost;
    };
    const Case cases[] = {
        {1, "CrazyBallPurple", "71.5", "60", 6, 5}, {2, "CrazyBallBlue", "88.6", "40", 4, 2},
        {3, "Mouse", "54.4", "80", 8, 8},           {4, "Ponpy", "60.1", "70", 7, 7},
        {0, "CrazyBallRed", "14.5", "100", 10, 15},
    };
    for (const Case& c : cases) {
        Click(sel->characterTiles[c.index]);
        EXPECT_EQ(sel->characterName->text(), c.name);
        EXPECT_EQ(Find<QLabel>(sel, "enduranceValue")->text(), c.endurance) << c.name.toStdString();
        EXPECT_EQ(Find<QLabel>(sel, "stepSizeValue")->text(), c.step) << c.name.toStdString();
        EXPECT_EQ(sel->stepSizeBar->value(), c.step.toInt());
        EXPECT_EQ(app.g.derby.Character(0), c.index + 1);
        EXPECT_EQ(app.g.derby.Player().step, c.stepSize);
        EXPECT_EQ(app.g.derby.Player().missCost, c.missCost);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(sel->characterTiles[i]->Chosen(), i == c.index);
    }
}

TEST(Selection, DemoRunsThreePixelsATickWrapsAndRestartsOnAClick) {
    DerbyApp app;
    auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
    EXPECT_EQ(sel->DemoPosition(), 62);
    Fire(sel, "demoTimer", 114);
    EXPECT_EQ(sel->DemoPosition(), 62 + 3 * 114);  // 404: 469 is still short of the strip's 472
    Fire(sel, "demoTimer");
    EXPECT_EQ(sel->DemoPosition(), 0);
    Fire(sel, "demoTimer", 10);
    Click(sel->characterTiles[0]);  // the chosen one again: demo restarts, stats unchanged
    EXPECT_EQ(sel->DemoPosition(), 62);
    EXPECT_EQ(Find<QLabel>(sel, "enduranceValue")->text(), "14.5");
}

TEST(Selection, OkRacesTheChosenCharacter) {
    DerbyApp app;
    app.g.musicOn = true;
    auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
    sel->ConfirmCharacter();
    EXPECT_EQ(app.nav.LastShown(), Screen::HeatInfo);
    EXPECT_EQ(app.g.derby.Player().name, "CrazyBallRed");
    EXPECT_EQ(app.g.derby.Player().step, 10);
    EXPECT_EQ(app.g.derby.Player().missCost, 15);
    EXPECT_EQ(app.audio.playing, "");
}

TEST(Selection, BackspaceTheButtonAndTheCloseBoxLeadToTheMainMenu) {
    for (int how = 0; how < 3; ++how) {
        DerbyApp app;
        app.g.musicOn = true;
        auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
        if (how == 0) Press(sel, Qt::Key_Backspace);
        if (how == 1) Click(sel->backButton);
        if (how == 2) sel->close();
        EXPECT_EQ(app.nav.LastShown(), Screen::Main) << how;
        EXPECT_EQ(app.audio.playing, "") << how;
    }
}

TEST(Selection, EnterAndSpacePressTheFocusedButtonAndTabMovesTheFocus) {
    struct Case {
        QList<Qt::Key> keys;
        std::optional<Screen> opens;  // the screen in front afterwards; nullopt: the genre dialog
    };
    const Case cases[] = {
        {{Qt::Key_Return}, Screen::HeatInfo},  // the focus starts on OK
        {{Qt::Key_Enter}, Screen::HeatInfo},
        {{Qt::Key_Space}, Screen::HeatInfo},
        {{Qt::Key_Tab, Qt::Key_Return}, Screen::Main},  // 戻る
        {{Qt::Key_Tab, Qt::Key_Space}, Screen::Main},
        {{Qt::Key_Tab, Qt::Key_Tab, Qt::Key_Return}, std::nullopt},  // wraps to ジャンル
        {{Qt::Key_Tab, Qt::Key_Backtab, Qt::Key_Return}, Screen::HeatInfo},
    };
    for (const Case& c : cases) {
        DerbyApp app;
        auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
        for (Qt::Key key : c.keys) {
            // Keys go where the player's keyboard sends them: to the focused control.
            QWidget* target = sel->focusWidget() ? sel->focusWidget() : sel;
            Press(target, key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        }
        if (c.opens) {
            EXPECT_EQ(app.nav.shown.last(), *c.opens) << c.keys.size() << " keys";
        } else {
            ASSERT_TRUE(app.nav.Current());
            EXPECT_EQ(app.nav.Current()->objectName(), "DerbyGenreDialog");
        }
        EXPECT_EQ(sel->IsClosing(), c.opens.has_value());
    }
}

TEST(Selection, AsksForTheKeyboardFocusWhenShown) {
    DerbyApp app;
    auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), sel);
    EXPECT_EQ(sel->focusWidget(), sel->okButton);
}

TEST(GenreDialog, ReadsShowsAndWritesRecordOne) {
    struct Case {
        QByteArray stored;  // empty: no file yet
        bool clickEnglish, clickJapanese, ok;
        bool showsEnglish;
        QByteArray after;
    };
    const QByteArray jp = Record("00 00"), en = Record("01 00"), seven = Record("07 00");
    const Case cases[] = {
        {QByteArray(), true, false, true, false, en},  // a new player picks English
        {en, false, true, true, true, jp},
        {en, false, false, true, true, en},         // OK without a click writes back what was read
        {seven, false, false, true, false, seven},  // shown as 日本語 but kept as it was
        {jp, true, false, false, false, jp},        // Cancel writes nothing
    };
    for (const Case& c : cases) {
        DerbyApp app;
        const QString path = app.PlayerPath("DATA/genderby");
        QFile::remove(path);
        if (!c.stored.isEmpty()) app.WriteFile(path, c.stored);
        auto* sel = app.Open<CharacterSelectScreen>(Screen::SelectChara);
        sel->ShowGenreDialog();
        auto* dlg = app.Current<DerbyGenreDialog>();
        ASSERT_TRUE(dlg);
        EXPECT_EQ(Find<QRadioButton>(dlg, "genreEnglish")->isChecked(), c.showsEnglish);
        EXPECT_EQ(ForeColor(Find<QRadioButton>(dlg, "genreEnglish")),
                  c.showsEnglish ? QColor(255, 0, 0) : QColor(0, 0, 0));
        EXPECT_EQ(ForeColor(Find<QRadioButton>(dlg, "genreJapanese")),
                  c.showsEnglish ? QColor(0, 0, 0) : QColor(255, 0, 0));
        if (c.clickEnglish) Click(Find<QRadioButton>(dlg, "genreEnglish"));
        if (c.clickJapanese) Click(Find<QRadioButton>(dlg, "genreJapanese"));
        if (c.ok)
            Click(Find<QPushButton>(dlg, "okButton"));
        else
            Click(Find<QPushButton>(dlg, "cancelButton"));
        EXPECT_TRUE(dlg->IsClosing());
        EXPECT_EQ(app.nav.Current(), sel);
        EXPECT_EQ(app.ReadFile(path), c.ok ? c.after : c.stored);
    }
}

TEST(GenreDialog, TheRaceAndTheBossPlayEnglishForAnyValueButZero) {
    for (const char* stored : {"00 00", "01 00", "07 00", "FF FF"}) {
        DerbyApp app;
        app.WriteFile(app.PlayerPath("DATA/genderby"), Record(stored));
        app.g.derby.SetHeat(1);
        const bool english = QByteArray(stored) != "00 00";
        auto* race = app.Open<RaceScreen>(Screen::KeyDerby);
        EXPECT_EQ(GenreOf(race), english ? "english" : "kannyouku") << stored;
        auto* boss = app.Open<BossScreen>(Screen::Boss);
        EXPECT_EQ(GenreOf(boss), GenreOf(race)) << stored;
    }
}

TEST(HeatInfo, NamesTheComingHeatAndOpensTheNextScreen) {
    struct Case {
        int stored;
        int yellow;  // label index
        Screen next;
    };
    // Numbers outside 1-6 only come from a damaged file.
    const Case cases[] = {{1, 0, Screen::KeyDerby}, {3, 2, Screen::KeyDerby}, {5, 4, Screen::KeyDerby},
                          {6, 2, Screen::Boss},     {0, 0, Screen::KeyDerby}, {-4, 0, Screen::KeyDerby},
                          {9, 2, Screen::Boss}};
    const QStringList captions = {"First Heat", "Second Heat", "Third Heat", "Fourth Heat", "Champion Ship"};
    for (const Case& c : cases) {
        for (int how = 0; how < 4; ++how) {
            DerbyApp app;
            app.g.derby.SetHeat(c.stored);
            auto* info = app.Open<HeatInfoScreen>(Screen::HeatInfo);
            const bool boss = c.next == Screen::Boss;
            for (int i = 0; i < 5; ++i) {
                EXPECT_EQ(info->heatNames[i]->text(), boss ? (i == 2 ? "BOSS!!" : "") : captions[i]);
                EXPECT_EQ(ForeColor(info->heatNames[i]),
                          i == c.yellow ? QColor(255, 255, 0) : QColor(128, 128, 0))
                    << "heat " << c.stored << " label " << i;
            }
            EXPECT_EQ(app.nav.LastShown(), Screen::HeatInfo);
            if (how == 0) Fire(info, "timeoutTimer");
            if (how == 1) Press(info, Qt::Key_Space);
            if (how == 2) Press(info, Qt::Key_Return);
            if (how == 3) info->close();
            EXPECT_EQ(app.nav.LastShown(), c.next) << "heat " << c.stored << " way " << how;
            EXPECT_EQ(app.nav.shown.count(c.next), 1);
        }
    }
}

// Runs heat 1 so that the player comes in this place: the lanes before it run 4 px a move and
// are home together after 146 moves, the others crawl.
void SettleInPlace(DerbyRun& run, int place) {
    run.SetHeat(1);
    run.SetUpHeat();
    QList<float> moves;
    for (int move = 0; move < 146; ++move)
        for (int lane = 1; lane <= 3; ++lane) moves << (lane < place ? 0.999f : 0.0f);
    ScriptedRandom rnd;
    rnd.Script(moves);
    for (int move = 0; move < 146; ++move) run.StepOpponents(rnd);
    while (!run.StepPlayer()) continue;
    run.Settle();
}

TEST(Ranking, PlaceVerdictAndWhereEachGoes) {
    for (int place = 1; place <= 4; ++place) {
        DerbyApp app;
        SettleInPlace(app.g.derby, place);
        ASSERT_EQ(app.g.derby.Place(), place);
        auto* ranking = app.Open<RaceRankingScreen>(Screen::RankingKeyDerby);
        EXPECT_EQ(ranking->placeText->text(), QString::number(place) + "位");
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(ForeColor(ranking->rankNumbers[i]),
                      i + 1 == place ? QColor(255, 0, 0) : QColor(128, 128, 128));
        const bool advanced = place <= 2;
        EXPECT_EQ(ranking->verdictText->text(),
                  advanced ? "おめでとう！！次のステージへ!!" : "残念!!もう一度挑戦！！");
        EXPECT_EQ(ForeColor(ranking->verdictText), advanced ? QColor(255, 0, 0) : QColor(0, 0, 255));
        if (place % 2) {
            if (place == 1)
                Click(ranking->okButton);
            else
                Press(ranking->okButton, Qt::Key_Return);
            EXPECT_EQ(app.nav.LastShown(), Screen::HeatInfo);
        } else {
            ranking->close();
            EXPECT_EQ(app.nav.LastShown(), Screen::Main);
        }
    }
}

}  // namespace
}  // namespace kd::test
