#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <cstdio>

#include "common/GameState.h"
#include "platform/core/Audio.h"
#include "platform/core/Random.h"
#include "platform/core/TickCounter.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/TypingPanel.h"
#include "play/GuideText.h"
#include "training/ImportReportDialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: kd_training_preview import FILE | guide READING KEYS [CHOICES]\n");
        return 2;
    }

    QTemporaryDir dir;
    kd::SteadyTickCounter clock;
    kd::LcgRandom rnd;
    kd::SilentAudio audio;
    kd::GameState g(rnd, clock, audio, dir.path());
    kd::QtMessageBoxes msg;
    kd::Navigator nav;
    kd::AppContext ctx{g, msg, nav};
    nav.SetContext(&ctx);

    if (args[1] == QLatin1String("import")) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
        db.setDatabaseName(dir.filePath(QStringLiteral("learning.sqlite")));
        db.open();
        kd::QuestionSetStore store(db);
        const kd::ImportReport report =
            kd::ImportQuestionSetFile(args[2], store, QDateTime::currentMSecsSinceEpoch());
        auto* box = new kd::ImportReportDialog(ctx, nullptr, report);
        box->Load();
        box->show();
        return app.exec();
    }

    // A question panel as the play screens show it, with the guide line under the reading.
    QWidget window;
    window.setWindowTitle(QStringLiteral("guide preview"));
    window.resize(405, 121);
    auto* panel = new kd::TypingPanel(&window);
    auto* guide = new kd::GuideLabel(panel, 12);
    guide->setGeometry(48, 109, 305, 12);

    kd::RomajiGuide rg(kd::RomajiChoices::FromText(args.size() > 4 ? args[4] : QString()));
    kd::TypingJudge& judge = g.judge;
    panel->SetDisplay(args[2]);
    panel->SetMonitor(QStringLiteral("（見本）"));
    judge.InitFlag();
    rg.StartQuestion();
    for (QChar k : args.size() > 3 ? args[3] : QString()) {
        rg.BeforeKey(judge, panel->Display(), k.unicode());
        judge.JudgeKanaKey(*panel, k.unicode());
    }
    guide->SetLine(rg.Line(judge, panel->Display()));
    guide->setContentsMargins(6, 0, 6, 0);
    guide->adjustSize();
    guide->setGeometry((405 - guide->width()) / 2, 106, guide->width(), 15);
    window.show();
    return app.exec();
}
