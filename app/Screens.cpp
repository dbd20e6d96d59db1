#include "app/Screens.h"

#include <QApplication>
#include <QTimer>

#include "common/GameState.h"
#include "derby/Register.h"
#include "learning/LearningRecord.h"
#include "netui/Register.h"
#include "platform/widgets/MessageBoxes.h"
#include "practice/Register.h"
#include "shell/Register.h"
#include "timetrial/Register.h"

namespace kd {

void RegisterAllScreens(Navigator& nav) {
    RegisterShellScreens(nav);
    RegisterPracticeScreens(nav);
    RegisterTimetrialScreens(nav);
    RegisterDerbyScreens(nav);
    RegisterNetScreens(nav);
}

void AttachLearningRecord(GameState& g, LearningRecord& record, MessageBoxes& msg) {
    g.learning = &record;
    g.play.Add(&record.Recorder());
    record.SetProblemReporter([&msg](const QString& text) {
        QTimer::singleShot(0, [&msg, text] {
            msg.Show(QApplication::activeWindow(), QStringLiteral("KeyDerby"), text, MsgButtons::OK);
        });
    });
}

}  // namespace kd
