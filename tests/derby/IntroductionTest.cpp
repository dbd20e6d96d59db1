#include "DerbyKit.h"
#include "derby/RollCallScreen.h"

namespace kd::test {
namespace {

RollCallScreen* OpenIntro(DerbyApp& app) {
    return app.Open<RollCallScreen>(Screen::Introduction);
}

TEST(Introduction, NamesAreTypedOutFromAnEmptyLabel) {
    DerbyApp app;
    RollCallScreen* intro = OpenIntro(app);
    auto* name = intro->characterName;
    EXPECT_EQ(name->text(), "");
    const QString first = "CrazyBallRed          ";
    QStringList seen;
    for (int t = 0; t <= first.size(); ++t) {
        Fire(intro, "typeOutTimer");
        seen << name->text();
    }
    EXPECT_EQ(seen.first(), "");
    EXPECT_EQ(seen[1], "C");
    EXPECT_EQ(seen[12], "CrazyBallRed");
    EXPECT_EQ(seen.last(), first);
    // Tick 24 puts the second character up while the first name is still shown.
    Fire(intro, "typeOutTimer");
    EXPECT_EQ(name->text(), first);
    EXPECT_EQ(intro->ShownCharacter(), 2);
    Fire(intro, "typeOutTimer");
    EXPECT_EQ(name->text(), "");
}

TEST(Introduction, OnePassIs356TicksAndThePromptComesOnTick338) {
    DerbyApp app;
    RollCallScreen* intro = OpenIntro(app);
    QStringList fullNames;  // what the label holds when the next character comes up
    int previousIndex = intro->ShownCharacter();
    for (int tick = 1; tick <= 356; ++tick) {
        Fire(intro, "typeOutTimer");
        EXPECT_EQ(intro->pressEnterHint->isVisibleTo(intro), tick >= 338) << "tick " << tick;
        if (intro->ShownCharacter() != previousIndex) fullNames << intro->characterName->text();
        previousIndex = intro->ShownCharacter();
    }
    QStringList keys;
    for (const RollCallEntry& e : RollCall()) keys << e.typedName;
    EXPECT_EQ(fullNames, keys);
    EXPECT_EQ(intro->ShownCharacter(), 1);
    EXPECT_EQ(intro->NameSoFar(), "CrazyBallRed          ");
    Fire(intro, "typeOutTimer", 400);  // round again; the prompt stays
    EXPECT_TRUE(intro->pressEnterHint->isVisibleTo(intro));
    EXPECT_EQ(intro->pressEnterHint->text(), "[ENTER/RETURN]を押してください。");
}

TEST(Introduction, SpaceOrEnterAtOnceGoesToTheMainMenu) {
    for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return}) {
        DerbyApp app;
        app.g.musicOn = true;
        RollCallScreen* intro = OpenIntro(app);
        EXPECT_EQ(app.audio.playing, "recovery1.mid");
        Fire(intro, "typeOutTimer", 6);
        Press(intro, key);
        EXPECT_EQ(app.nav.LastShown(), Screen::Main);
        EXPECT_FALSE(FindTimer(intro, "typeOutTimer")->Enabled());
        EXPECT_EQ(app.audio.playing, "");
    }
}

TEST(Introduction, MusicOffStartsNothingAndTheCloseBoxStillStopsTheDevice) {
    DerbyApp app;
    app.g.musicOn = false;
    RollCallScreen* intro = OpenIntro(app);
    EXPECT_FALSE(app.audio.calls.join(' ').contains("PlayMidi"));
    intro->close();
    EXPECT_EQ(app.audio.calls.last(), "StopMidi");
    EXPECT_EQ(app.nav.LastShown(), Screen::Main);
}

}  // namespace
}  // namespace kd::test
