// The game in English: the real screens driven in the translated interface, the stored files
// untouched by it, and every window's texts fitting their places in both languages.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextDocument>

#include "ChainKit.h"
#include "learning/LearningRecord.h"
#include "platform/core/Language.h"
#include "platform/widgets/Zoom.h"
#include "practice/UpDown.h"
#include "questions/StringTable.h"
#include "timetrial/SplitsWindow.h"
#include "training/ImportReportDialog.h"
#include "training/QuestionSetsDialog.h"

using namespace kd;
using namespace kd::test;

namespace {

// The interface in one language for one test; Japanese again afterwards.
struct InterfaceIn {
    explicit InterfaceIn(InterfaceLanguage language) { EXPECT_TRUE(ApplyInterfaceLanguage(language)); }
    ~InterfaceIn() { ApplyInterfaceLanguage(InterfaceLanguage::Japanese); }
};

bool HasJapanese(const QString& text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3040}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff01}-\\x{ff5e}]"));
    return japanese.match(text).hasMatch();
}

// What a player reads on a window and in its menus, beside the question and its reading:
// each Japanese text as "object: text".
QStringList JapaneseOn(QWidget* window) {
    QStringList found;
    const auto check = [&](const QObject* o, const QString& text) {
        // The language menu names Japanese in Japanese, for those who read it.
        if (HasJapanese(text) && o->objectName() != u"japaneseAction")
            found << o->objectName() + QStringLiteral(": ") + text;
    };
    check(window, window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString name = w->objectName();
        if (name == u"questionText" || name == u"readingText" || !w->isVisibleTo(window)) continue;
        if (auto* l = qobject_cast<QLabel*>(w)) check(l, l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) check(b, b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) check(g, g->title());
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i) check(t, t->tabText(i));
        if (auto* t = qobject_cast<QTableWidget*>(w))
            for (int i = 0; i < t->columnCount(); ++i)
                if (t->horizontalHeaderItem(i)) check(t, t->horizontalHeaderItem(i)->text());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i) check(c, c->itemText(i));
        check(w, w->toolTip());
        check(w, w->accessibleName());
    }
    for (QAction* a : window->findChildren<QAction*>()) {
        if (a->menu()) check(a, a->menu()->title());
        check(a, a->text());
    }
    return found;
}

// Each label, button and choice whose text does not fit inside it at its font, as
// "object: text (needed > has)".
QStringList Overflowing(QWidget* window) {
    QStringList bad;
    const auto report = [&](QWidget* w, const QString& text, QSize needed) {
        const QSize has = w->contentsRect().size();
        if (needed.width() > has.width() || needed.height() > has.height())
            bad << QStringLiteral("%1: %2 (%3x%4 > %5x%6)")
                       .arg(w->objectName(), text)
                       .arg(needed.width())
                       .arg(needed.height())
                       .arg(has.width())
                       .arg(has.height());
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->size().isEmpty()) continue;
        const QFontMetrics fm(w->font());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            const QString text = l->text();
            if (text.isEmpty() || !l->pixmap().isNull()) continue;
            const int width = l->contentsRect().width() - 2 * l->margin() - qMax(0, l->indent());
            if (l->textFormat() == Qt::RichText ||
                (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))) {
                QTextDocument doc;
                doc.setDocumentMargin(0);
                doc.setDefaultFont(l->font());
                doc.setHtml(text);
                if (l->wordWrap()) doc.setTextWidth(width);
                report(l, text,
                       QSize(qCeil(l->wordWrap() ? 0 : doc.idealWidth()), qCeil(doc.size().height())));
            } else {
                const int flags = l->wordWrap() ? Qt::TextWordWrap : 0;
                const QRect r =
                    fm.boundingRect(QRect(0, 0, l->wordWrap() ? width : 100000, 100000), flags, text);
                // Ink, not line height: the CJK font's generous line box may overhang a label
                // whose glyphs show whole.
                const int lines = qMax(1, qRound(double(r.height()) / fm.lineSpacing()));
                const int ink = fm.tightBoundingRect(QString(text).replace(u'\n', u' ')).height();
                report(l, text, QSize(l->wordWrap() ? 0 : r.width(), (lines - 1) * fm.lineSpacing() + ink));
            }
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            const QString text = QString(b->text()).remove(QRegularExpression(QStringLiteral("&(?!&)")));
            if (text.isEmpty()) continue;
            int indicator = 0;
            if (qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b))
                indicator = b->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, b) +
                            b->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, b);
            report(b, text,
                   QSize(fm.horizontalAdvance(text) + indicator, fm.tightBoundingRect(text).height()));
        }
    }
    return bad;
}

// The font the program sets, for measuring as the player sees it.
struct ProgramFont {
    const QFont before = QApplication::font();
    ProgramFont() {
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setStyleHint(QFont::SansSerif);
        QApplication::setFont(font);
    }
    ~ProgramFont() { QApplication::setFont(before); }
};

// Every screen the navigator knows, as far as it opens alone, and the dialogs the menu and the
// play screens open; for each window what `inspect` says about it.
template <class Inspect>
QStringList OverEveryWindow(Inspect inspect, QStringList* visited = nullptr) {
    ProgramFont font;
    QStringList out;
    const auto take = [&](QWidget* w) {
        TestApp::Flush();
        if (visited) *visited << w->objectName();
        for (const QString& line : inspect(w)) out << w->objectName() + QStringLiteral(" > ") + line;
    };
    for (Screen s : AllScreens()) {
        ChainApp app;
        app.UsePlayer(QStringLiteral("Tester"));
        ScreenBase* screen = app.nav.Show(s);
        if (!screen) continue;
        take(screen);
        if (s == Screen::Practice || s == Screen::TimeTrial || s == Screen::SelectChara) {
            if (QPushButton* settings = Button(screen, QStringLiteral("settingsButton"))) {
                Click(settings);
                if (app.Now() != screen) take(app.Now());
                // Its list of question sets, which its button opens once the player has one.
                if (s == Screen::Practice) {
                    app.nav.ShowModal(new QuestionSetsDialog(app.ctx, app.Now()));
                    take(app.Now());
                    // An import's report with the longest reasons a file can earn.
                    ImportReport report;
                    report.fileName = QStringLiteral("/home/someone/questions.tsv");
                    report.result = ParseQuestionSet(
                        QStringLiteral("猫の手\tねこのテ\n猫\n猫の額\tねこのひたい\n猫の額\tねこのひたい\n"
                                       "\"猫\tねこ\n")
                            .toUtf8());
                    report.setId = 1;
                    report.setName = QStringLiteral("questions");
                    app.nav.ShowModal(new ImportReportDialog(app.ctx, app.Now(), report));
                    take(app.Now());
                }
            } else if (QPushButton* genre = Button(screen, QStringLiteral("genreButton"))) {
                Click(genre);
                if (app.Now() != screen) take(app.Now());
            }
        }
        if (s == Screen::TimeTrial) {
            // The splits against the best, with a question far behind and one cut off.
            QList<Split> splits(2);
            splits[0] = Split{1, QStringLiteral("目を光らせる"), 3200, true, 2100, true, 1100, 1100, true};
            splits[1] = Split{2, QStringLiteral("耳を貸す"), 900, false, 1500, true, {}, {}, false};
            auto* window = new SplitsWindow(screen, splits, 1100);
            window->setAttribute(Qt::WA_DeleteOnClose);
            window->show();
            take(window);
            window->close();
        }
        if (s == Screen::Main) {
            // Each mode's description in its turn.
            for (int item = 1; item < 3; ++item) {
                Press(screen, Qt::Key_Down);
                take(screen);
            }
            Menu(screen, QStringLiteral("replayAction"))->trigger();
            if (auto* list = screen->findChild<QWidget*>(QStringLiteral("ReplayListWindow"))) take(list);
            Menu(screen, QStringLiteral("showStatsAction"))->trigger();
            TestApp::Flush();
            // Deleting the window deletes the top-level windows it owns: pick it, then delete.
            QPointer<QWidget> stats;
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible() && top->objectName() == u"StatsWindow") stats = top;
            EXPECT_TRUE(stats) << "the statistics window did not open";
            if (stats) {
                take(stats);
                delete stats;
            }
        }
    }
    return out;
}

}  // namespace

// A practice and a time trial in English: every text the player reads is English but the
// question itself, the idiom's meaning stands under its reading, and the record files hold the
// same bytes as in Japanese.
TEST(EnglishChain, APracticeAndATimeTrialPlayInEnglish) {
    // As in main(): the zoom is made before the translation is put in.
    QTemporaryDir settings;
    Zoom zoom(settings.filePath(QStringLiteral("keyderby.conf")));
    InterfaceIn english(InterfaceLanguage::English);
    ProgramFont font;
    ChainApp app;
    // The learning record on, so the result screens show their comparisons with the best.
    LearningRecord record{app.g};
    app.g.learning = &record;
    app.g.play.Add(&record.Recorder());
    StartAs(app, QStringLiteral("Tester"));
    QWidget* menu = app.Now();
    Menu(menu, QStringLiteral("ghostAction"))->trigger();
    EXPECT_EQ(menu->findChild<QMenu*>(QStringLiteral("fileMenu"))->title(), "&File");
    EXPECT_EQ(zoom.FullScreenAction()->text(), "&Full Screen");
    EXPECT_EQ(JapaneseOn(menu), QStringList());

    ChooseMenuItem(app, 0);
    ASSERT_EQ(app.NowScreen(), Screen::Practice);
    QWidget* practice = app.Now();
    EXPECT_EQ(DisplayText(practice), "Press Space to start");
    StartPlay(practice);
    const QString idiom = Text(practice, "questionText");
    EXPECT_TRUE(HasJapanese(idiom));
    EXPECT_EQ(Text(practice, "meaningText"), IdiomMeaning(idiom));
    EXPECT_FALSE(IdiomMeaning(idiom).isEmpty());
    EXPECT_EQ(JapaneseOn(practice), QStringList());
    Press(practice, Qt::Key_Escape);

    Click(Button(practice, QStringLiteral("settingsButton")));
    ASSERT_EQ(app.NowName(), "PracticeSettingsDialog");
    EXPECT_EQ(JapaneseOn(app.Now()), QStringList());
    Click(Find<QRadioButton>(app.Now(), QStringLiteral("genreChoice1")));
    Click(Find<UpDown>(app.Now(), QStringLiteral("minutesUpDown"))->downButton);
    Click(Find<UpDown>(app.Now(), QStringLiteral("secondsUpDown"))->upButton);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();
    EXPECT_EQ(Text(practice, "practiceTimeText"), "Time: 0 min 5 s");
    EXPECT_EQ(Text(practice, "genreText"), "Genre: English");
    StartPlay(practice);
    for (int i = 0; i < 10; ++i) {
        app.clock.advance(400);
        TypeHead(practice);
    }
    EXPECT_EQ(Text(practice, "meaningText"), "") << "English words have no meaning line";
    app.clock.advance(2000);
    Fire(practice, QStringLiteral("countdownTimer"));
    Fire(practice, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::ResultPractice);
    EXPECT_EQ(Text(app.Now(), "totalKeysText"), "Keys: 10");
    EXPECT_EQ(Text(app.Now(), "correctRateText"), "Accuracy: 100.0%");
    EXPECT_EQ(Text(app.Now(), "historyPracticeTime0"), "0 min 5 s");
    EXPECT_EQ(Text(app.Now(), "historyGenre0"), "English");
    EXPECT_EQ(Text(app.Now(), "historyDate0"), "5/1/2024");
    EXPECT_EQ(JapaneseOn(app.Now()), QStringList());
    EXPECT_EQ(Overflowing(app.Now()), QStringList());
    // The history keeps the Japanese texts it has always stored: "0分 5秒" and "英単語".
    EXPECT_TRUE(app.ReadFile(app.Player("DATA/PracticeTime"))
                    .contains(QByteArray::fromHex("07003095AA2035956206008970925"
                                                  "08CEA")));
    Press(app.Now(), Qt::Key_Return);
    TestApp::Flush();
    Press(app.Now(), Qt::Key_Backspace);
    TestApp::Flush();

    ChooseMenuItem(app, 1);
    ASSERT_EQ(app.NowScreen(), Screen::TimeTrial);
    QWidget* play = app.Now();
    EXPECT_EQ(DisplayText(play), "Press Space to start");
    Click(Button(play, QStringLiteral("settingsButton")));
    EXPECT_EQ(JapaneseOn(app.Now()), QStringList());
    Click(Find<QRadioButton>(app.Now(), QStringLiteral("genreEnglish")));
    Click(Button(app.Now(), QStringLiteral("okButton")));
    TestApp::Flush();
    StartPlay(play);
    for (int i = 0; i < 114; ++i) {
        app.clock.advance(100);
        TypeHead(play);
    }
    Fire(play, QStringLiteral("finishTimer"));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::ResultTimeTrial);
    QWidget* result = app.Now();
    EXPECT_EQ(Text(result, "placeText"), "No. 1");
    EXPECT_EQ(Text(result, "gradeText"), "Rank: S");
    EXPECT_EQ(Text(result, "scoreText"), "Score: 12160");
    EXPECT_EQ(JapaneseOn(result), QStringList());
    EXPECT_EQ(Text(result, "bestGapText"), "vs. best: first record");
    EXPECT_EQ(Overflowing(result), QStringList());
    Click(Button(result, QStringLiteral("okButton")));
    TestApp::Flush();
    ASSERT_EQ(app.NowScreen(), Screen::RankingTimeTrial);
    EXPECT_EQ(Text(app.Now(), "genreCell0"), "English");
    EXPECT_EQ(JapaneseOn(app.Now()), QStringList());
    app.msg.Answer(MsgAnswer::No);
    Click(Button(app.Now(), QStringLiteral("okButton")));
    ASSERT_EQ(app.msg.asked.size(), 1);
    EXPECT_EQ(app.msg.asked[0].text, "Try again?");
    // The ranking stores "英単語" in Shift-JIS, as the Japanese game does.
    EXPECT_TRUE(app.ReadFile(app.Player("DATA/TimeTrialData"))
                    .left(128)
                    .contains(QByteArray::fromHex("06008970925"
                                                  "08CEA")));
    for (ScreenBase* f : app.nav.OpenForms()) f->CloseScreen();
    TestApp::Flush();
    app.g.play.Remove(&record.Recorder());
    app.g.learning = nullptr;
}

// Every label, button and choice of every window holds its whole text, in Japanese as before
// and in English.
TEST(EnglishChain, EveryWindowsTextsFitTheirPlacesInBothLanguages) {
    for (InterfaceLanguage language : {InterfaceLanguage::Japanese, InterfaceLanguage::English}) {
        InterfaceIn in(language);
        EXPECT_EQ(OverEveryWindow(Overflowing), QStringList()) << LanguageCode(language).toStdString();
    }
    InterfaceIn english(InterfaceLanguage::English);
    QStringList visited;
    EXPECT_EQ(OverEveryWindow(JapaneseOn, &visited), QStringList());
    for (const char* window :
         {"MainMenu", "PracticeSettingsDialog", "QuestionSetsDialog", "TimeTrialGenreDialog",
          "ReplayListWindow", "StatsWindow", "AboutBox", "HostLobbyScreen"})
        EXPECT_TRUE(visited.contains(QLatin1String(window)))
            << window << " not looked at: " << visited.join(u' ').toStdString();
}
