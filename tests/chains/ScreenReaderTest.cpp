// A screen reader knows a game only through the accessibility tree: every screen of play must
// expose what the player reads on it as named text, and say so when it changes.
#include <QAbstractItemView>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTabBar>
#include <functional>

#include "ChainKit.h"
#include "classui/ClassDialogs.h"
#include "classui/ClassViewWindow.h"
#include "common/GameState.h"
#include "common/Roster.h"
#include "support/Accessible.h"

using namespace kd;
using namespace kd::test;

namespace {

// Every object of the window as "description: name" (or the name alone), visible ones only.
void CollectReadable(QAccessibleInterface* a, QStringList& out) {
    if (!a || a->state().invisible) return;
    const QString name = a->text(QAccessible::Name);
    const QString what = a->text(QAccessible::Description);
    if (!name.isEmpty()) out << (what.isEmpty() ? name : what + QStringLiteral(": ") + name);
    for (int i = 0; i < a->childCount(); ++i) CollectReadable(a->child(i), out);
}

QStringList Readable(QWidget* window) {
    QStringList out;
    CollectReadable(QAccessible::queryAccessibleInterface(window), out);
    return out;
}

struct ReadableScreen {
    const char* name;
    // Opens the screen and brings it where the texts are; returns it.
    std::function<QWidget*(ChainApp&)> open;
    // Each must match one readable line whole.
    std::vector<const char*> lines;
};

QWidget* ReaderPlaying(ChainApp& app, Screen s, int keys) {
    QWidget* w = app.nav.Show(s);
    StartPlay(w);
    TypeHead(w, keys);
    TypeWrong(w);
    // The race draws the player's ball where it went with the others' next step.
    if (FindTimer(w, QStringLiteral("moveTimer"))) {
        app.rnd.Script({0.0f, 0.0f, 0.0f, 0.0f});
        Fire(w, QStringLiteral("moveTimer"));
    }
    return w;
}

ChainApp& ReaderEnglish(ChainApp& app) {
    app.UsePlayer();
    app.g.derby.ChoosePlayer(PlayableCast()[0]);  // CrazyBallRed, as the selection starts
    for (const char* file : {"DATA/gen", "DATA/genderby"}) app.WriteFile(app.Player(file), Record("01 00"));
    app.rnd.Script({0.0f});
    return app;
}

const ReadableScreen kScreens[] = {
    {"practice before the start",
     [](ChainApp& a) {
         a.UsePlayer();
         return a.nav.Show(Screen::Practice);
     },
     {"読み: スペースでスタート", "残り時間: .+"}},
    {"practice at Ready",
     [](ChainApp& a) {
         a.UsePlayer();
         QWidget* w = a.nav.Show(Screen::Practice);
         Press(w, Qt::Key_Space);
         return w;
     },
     {"読み: Ready\\.\\.\\."}},
    {"time trial while typing",
     [](ChainApp& a) { return ReaderPlaying(ReaderEnglish(a), Screen::TimeTrial, 3); },
     {"問題: [a-z]+", "読み: [a-z]+", "経過時間: \\d+\\.\\d", "CrazyBallRed [1-9]\\d*%"}},
    {"practice of idioms half-way through a kana",
     [](ChainApp& a) {
         a.UsePlayer();
         a.rnd.Script({0.0f});  // おめにかかる
         QWidget* w = a.nav.Show(Screen::Practice);
         StartPlay(w);
         Type(w, QStringLiteral("om"));
         return w;
     },
     {"問題: .+", "読み: めにかかる", "入力したローマ字: m", "残り時間: \\d+\\.\\d"}},
    {"race while typing",
     [](ChainApp& a) { return ReaderPlaying(ReaderEnglish(a), Screen::KeyDerby, 5); },
     {"問題: [a-z]+", "パワー: \\d+", "パワー=\\d+", "CrazyBallRed [1-9]\\d*%", "CrazyPhone \\d+%",
      "青オバケ \\d+%", "Po4\\(ぽよん\\) \\d+%"}},
    {"boss while typing",
     [](ChainApp& a) { return ReaderPlaying(ReaderEnglish(a), Screen::Boss, 2); },
     {"CrazyBallRedのボール 0／5", "ボスのボール 0／5", "パワー: \\d+"}},
    {"character selection",
     [](ChainApp& a) {
         a.UsePlayer();
         return a.nav.Show(Screen::SelectChara);
     },
     {"CrazyBallRed（選択中）", "Mouse", "忍耐力：", "CrazyBallRed"}},
};

// Names of value interfaces are not the value: a progress bar reads as "name=value".
QStringList WithValues(QWidget* window) {
    QStringList out = Readable(window);
    for (const QString& line : AccessibleTree(window)) {
        const QString trimmed = line.trimmed().section(u'|', 1);
        if (trimmed.contains(u'=')) out << trimmed.section(u' ', 0, 0);
    }
    return out;
}

TEST(ScreenReader, EveryScreenOfPlayIsReadableAsNamedText) {
    for (const ReadableScreen& s : kScreens) {
        ChainApp app;
        QWidget* w = s.open(app);
        ASSERT_TRUE(w) << s.name;
        const QStringList readable = WithValues(w);
        for (const char* line : s.lines) {
            const QRegularExpression whole(QStringLiteral("^(?:%1)$").arg(QString::fromUtf8(line)));
            EXPECT_TRUE(std::any_of(readable.begin(), readable.end(),
                                    [&](const QString& r) { return whole.match(r).hasMatch(); }))
                << s.name << ": nothing reads \"" << line << "\" in\n"
                << readable.join(u'\n').toStdString();
        }
    }
}

std::vector<std::pair<QObject*, QAccessible::Event>> g_readerEvents;
void RecordReaderEvent(QAccessibleEvent* e) {
    g_readerEvents.emplace_back(e->object(), e->type());
}

TEST(ScreenReader, AKeyInTheRaceIsAnnouncedWhereItChangedSomething) {
    ChainApp app;
    QWidget* race = ReaderPlaying(ReaderEnglish(app), Screen::KeyDerby, 1);
    g_readerEvents.clear();
    ListenAsAnAssistiveTool(true);
    ASSERT_TRUE(QAccessible::isActive());
    QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(&RecordReaderEvent);
    TypeHead(race, 1);
    TypeWrong(race);
    app.rnd.Script({0.0f, 0.0f, 0.0f});
    Fire(race, QStringLiteral("moveTimer"));  // the player's ball is drawn where it went
    QAccessible::installUpdateHandler(before);
    ListenAsAnAssistiveTool(false);
    const auto told = [&](const char* name, QAccessible::Event type) {
        return std::any_of(g_readerEvents.begin(), g_readerEvents.end(), [&](const auto& e) {
            return e.first && e.first->objectName() == QLatin1String(name) && e.second == type;
        });
    };
    EXPECT_TRUE(told("track", QAccessible::NameChanged)) << "the player's lane moved";
    EXPECT_TRUE(told("readingText", QAccessible::NameChanged)) << "what is left to type";
    EXPECT_TRUE(told("powerValue", QAccessible::NameChanged)) << "the miss cost power";
    EXPECT_TRUE(told("powerBar", QAccessible::ValueChanged));
}

}  // namespace

namespace {

void CollectShown(QAccessibleInterface* a, std::vector<std::pair<QString, QRect>>& out) {
    if (!a || a->state().invisible) return;
    if (const QString name = a->text(QAccessible::Name); !name.isEmpty()) out.emplace_back(name, a->rect());
    for (int i = 0; i < a->childCount(); ++i) CollectShown(a->child(i), out);
}

// A title's shadow is the title again a few pixels off: a reader would read it twice.
TEST(ScreenReader, NoTextIsReadTwiceWhereItIsDrawnOnce) {
    for (Screen s : {Screen::StartUp, Screen::Main, Screen::Version, Screen::Practice, Screen::ResultPractice,
                     Screen::TimeTrial, Screen::ResultTimeTrial, Screen::RankingTimeTrial,
                     Screen::RankingKeyDerby, Screen::Introduction}) {
        ChainApp app;
        app.UsePlayer();
        QWidget* w = app.nav.Show(s);
        ASSERT_TRUE(w);
        std::vector<std::pair<QString, QRect>> shown;  // the window's title may be its heading too
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(w);
        for (int i = 0; i < window->childCount(); ++i) CollectShown(window->child(i), shown);
        for (size_t i = 0; i < shown.size(); ++i)
            for (size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_FALSE(shown[i].first == shown[j].first && shown[i].second.intersects(shown[j].second))
                    << w->objectName().toStdString() << ": \"" << shown[i].first.toStdString()
                    << "\" is read twice";
    }
}

TEST(ScreenReader, TheMainMenuReadsTheChosenModeAndPressingItOpensIt) {
    ChainApp app;
    StartAs(app, QStringLiteral("Tester"));
    QWidget* menu = app.Now();
    const auto item = [&](int i) {
        return QAccessible::queryAccessibleInterface(Label(menu, QStringLiteral("menuItem%1").arg(i)));
    };
    g_readerEvents.clear();
    ListenAsAnAssistiveTool(true);
    QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(&RecordReaderEvent);
    Press(menu, Qt::Key_Down);
    QAccessible::installUpdateHandler(before);
    ListenAsAnAssistiveTool(false);

    EXPECT_EQ(item(1)->role(), QAccessible::MenuItem);
    EXPECT_EQ(item(1)->text(QAccessible::Name), QStringLiteral("TIME TRIAL"));
    EXPECT_TRUE(item(1)->state().selected && item(1)->state().focused);
    EXPECT_FALSE(item(0)->state().selected || item(0)->state().focused);
    EXPECT_TRUE(std::any_of(g_readerEvents.begin(), g_readerEvents.end(), [&](const auto& e) {
        return e.first == item(1)->object() && e.second == QAccessible::Focus;
    })) << "the reader is told which mode the arrow chose";

    ASSERT_TRUE(DoAccessibleAction(item(2), QAccessibleActionInterface::pressAction()));
    TestApp::Flush();
    EXPECT_EQ(app.NowScreen(), Screen::SelectChara) << "pressed like a click on KEY DERBY";
}

// The controls and the texts of a window (shown or on a page not shown) that a reader cannot
// name. A choice box is named by its choice, as Qt does on Linux; what it chooses comes from
// the label it is the buddy of.
QStringList Unnamed(QWidget* window) {
    QStringList out;
    const auto name = [](QObject* o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name).trimmed();
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window) continue;  // a choice box's list, a window of its own
        const QString what = QString::fromLatin1(w->metaObject()->className()) + u' ' + w->objectName();
        auto* label = qobject_cast<QLabel*>(w);
        // Qt's own parts of a table (headers and the corner) are named through its cells.
        const bool tablePart = qobject_cast<QHeaderView*>(w) || w->inherits("QTableCornerButton");
        const bool control =
            !tablePart && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QAbstractItemView*>(w) || w->inherits("QChartView") ||
                           w->inherits("kd::stats::KeyboardView"));
        if ((control || (label && !label->text().isEmpty())) && name(w).isEmpty()) out << what;
        if (qobject_cast<QComboBox*>(w) &&
            QAccessible::queryAccessibleInterface(w)->relations(QAccessible::Label).isEmpty())
            out << what + QStringLiteral(" (no label)");
        if (auto* bar = qobject_cast<QTabBar*>(w))
            for (int t = 0; t < bar->count(); ++t)
                if (QAccessible::queryAccessibleInterface(bar)->child(t)->text(QAccessible::Name).isEmpty())
                    out << what + QStringLiteral(" tab %1").arg(t);
    }
    return out;
}

}  // namespace

TEST(ScreenReader, TheClassWindowsNameEveryControlAndText) {
    ChainApp app;
    ClassView view;
    view.students = {{1, QStringLiteral("森"), 1, 4.0, 30000, QDateTime::fromMSecsSinceEpoch(0), {}}};
    view.students[0].history = {{QDateTime::fromMSecsSinceEpoch(0), 1, QStringLiteral("kannyouku"), 120, 4,
                                 30000, 4.0, QString(), false}};
    view.keys.insert(QStringLiteral("A"), {40, 4});
    view.kana.insert(QStringLiteral("あ"), {40, 4});
    QWidget* windows[] = {
        new JoinClassDialog(QStringLiteral("森"), [](const ClassMembership&) { return true; }),
        new TeacherLoginDialog([](const TeacherLogin&, const ClassView&) {}),
        new ClassViewWindow({}, view, app.msg),
    };
    for (QWidget* w : windows) {
        w->show();
        EXPECT_EQ(Unnamed(w), QStringList()) << w->objectName().toStdString();
        delete w;
    }
}
