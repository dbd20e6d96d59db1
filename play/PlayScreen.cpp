#include "play/PlayScreen.h"

#include <QCoreApplication>
#include <QLabel>

#include "common/GameState.h"
#include "common/PlaySteps.h"
#include "learning/KanaInput.h"
#include "learning/TrainingSettings.h"
#include "platform/widgets/CachedGlyphs.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/Timer.h"
#include "platform/widgets/TypingPanel.h"
#include "play/GuideStrip.h"
#include "play/GuideText.h"
#include "questions/Genre.h"

namespace kd {

PlayScreen::PlayScreen(AppContext& ctx_, Screen screen, GameMode mode, int finishMs)
    : ScreenBase(ctx_, screen), m_mode(mode) {
    panel = new TypingPanel(this);
    readyGoTimer = new Timer(this, QStringLiteral("readyGoTimer"), 1000, [this] { StepReadyGo(); });
    finishTimer = new Timer(this, QStringLiteral("finishTimer"), finishMs, [this] { EndFinishing(); });
}

PlayScreen::~PlayScreen() = default;

ClockLabel* PlayScreen::MakeClockBox(const ClockLook& look) {
    auto caption = [this](const char* name, const QString& text, int x, int y, int px) {
        QLabel* l = MakeLabel(this, QLatin1String(name), text, x, y);
        SetPixelFont(l, px, true);
        l->adjustSize();
        SetForeColor(l, Qt::white);
    };
    caption(look.captionName, look.caption, look.captionX, 24, look.captionPx);
    auto* digits = new ClockLabel(this);
    digits->setObjectName(QLatin1String(look.digitsName));
    digits->setGeometry(9, 66, 94, 24);
    digits->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetPixelFont(digits, look.digitsPx, true);
    SetForeColor(digits, look.digitsColor);
    SetBackColor(digits, kDarkGrey);
    // The caption without its colon: "経過時間", "残り時間" (or the translation's).
    digits->setAccessibleDescription(QString(look.caption).remove(u'：').remove(u':').trimmed());
    caption("secondsUnit", QCoreApplication::translate("PlayScreen", "秒"), 105, 69, look.unitPx);
    return digits;
}

void PlayScreen::AfterLoad() {
    g.judge.SetInputMethod(PlayerInputMethod(g));
    // With kana input the guide shows the kana keys and the next key's cap instead of romaji.
    if (g.judge.Method() == InputMethod::Kana) MakeKanaInputMark();
    if (!RomajiGuideOn(g)) return;
    MakeGuideRow();
    RefreshGuide();
}

void PlayScreen::MakeKanaInputMark() {
    // Under the clock box, left of the question panel, where every play screen has room.
    QLabel* mark =
        MakeLabel(this, QStringLiteral("kanaInputMark"),
                  QCoreApplication::translate("PlayScreen", "かな入力"), 9, panel->geometry().bottom() - 20);
    SetPixelFont(mark, 13, true);
    SetForeColor(mark, Qt::white);
    mark->adjustSize();
    mark->setAccessibleName(QCoreApplication::translate("PlayScreen", "入力方式"));
    mark->raise();
    mark->show();
}

void PlayScreen::MakeGuideRow() {
    const int top = panel->geometry().bottom() + 1;
    const int h = GuideStrip::kHeight;
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (w == panel || w->isWindow()) continue;
        const QRect r = w->geometry();
        if (r.top() >= top)
            w->move(r.x(), r.y() + h);
        else if (r.bottom() >= top)
            w->resize(r.width(), r.height() + h);
    }
    SetClientSize(width(), height() + h);
    auto* label = new GuideLabel(this);
    label->setGeometry(panel->x() + 2, top, panel->width() - 4, h);
    label->show();
    m_guide = std::make_unique<GuideStrip>(g, label);
}

void PlayScreen::RefreshGuide() {
    if (!m_guide) return;
    m_guide->Refresh(panel->Display(), m_phase == Phase::Playing && IsGenreKey(genreKey, Genre::Idioms));
}

void PlayScreen::OnKeyDown(int key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Space) {
        if (m_phase == Phase::Idle && StartsOnSpace()) StartReadyGo();
    } else if (key == Qt::Key_Escape) {
        Retry();
    } else if (key == Qt::Key_Backspace) {
        Back();
    }
}

void PlayScreen::StartReadyGo() {
    OnSpace();
    m_phase = Phase::Ready;
    BeginReadyGo(*panel, *readyGoTimer);
}

void PlayScreen::NextQuestion() {
    PutNextQuestion(g, *panel, genreKey);
}

void PlayScreen::OnKeyTyped(int character) {
    if (m_phase != Phase::Playing || !IsTypedCharacter(character)) return;
    if (!BeforeKey()) return;
    const bool guided = m_guide && IsGenreKey(genreKey, Genre::Idioms);
    if (guided) m_guide->BeforeKey(panel->Display(), character);
    const char16_t kanaKey =
        g.judge.Method() == InputMethod::Kana ? KanaOfKey(KeyScanCode(), KeyShifted()) : char16_t(0);
    const bool hit = JudgeKey(g, *panel, genreKey, character, kanaKey);
    if (AfterKey(hit) && panel->Display().isEmpty()) {
        NextQuestion();
        if (guided) m_guide->StartQuestion();
    }
    RefreshGuide();
}

void PlayScreen::ReportBegun() {
    g.play.GameBegun(m_mode, genreKey);
}

void PlayScreen::StepReadyGo() {
    if (m_phase == Phase::Ready) {
        ShowGo(*panel, *readyGoTimer);
        m_phase = Phase::Go;
        return;
    }
    if (m_phase != Phase::Go) return;
    panel->SetDisplayColor(kWhite);
    m_phase = Phase::Playing;
    ReportBegun();
    NextQuestion();
    if (m_guide) m_guide->StartQuestion();
    readyGoTimer->Stop();
    OnGo();
    RefreshGuide();
}

void PlayScreen::RestPlay() {
    g.play.Abandon();
    m_phase = Phase::Idle;
    readyGoTimer->Stop();
    readyGoTimer->SetInterval(1000);
    finishTimer->Stop();
    if (m_guide) m_guide->SaveChoices();
    RefreshGuide();
}

void PlayScreen::ShowVerdict(const QColor& color, const QString& text, bool clearInput) {
    EndPlay();
    m_phase = Phase::Finishing;
    panel->SetMonitor(QString());
    panel->SetDisplayColor(color);
    panel->SetDisplay(text);
    if (clearInput) panel->SetInput(QString());
    // A full interval from now, also when it kept running since an earlier game.
    finishTimer->Stop();
    finishTimer->Start();
}

void PlayScreen::EndPlay() {
    g.play.GameEnded(false);
    m_phase = Phase::Finished;
    if (m_guide) m_guide->SaveChoices();
    RefreshGuide();
}

void PlayScreen::EndFinishing() {
    finishTimer->Stop();
    if (m_phase != Phase::Finishing) return;
    m_phase = Phase::Finished;
    OnFinished();
}

ScreenBase* PlayScreen::LeaveTo(Screen next) {
    if (IsClosing()) return nullptr;
    g.play.Abandon();
    return ctx.nav.Replace(this, next);
}

bool PlayScreen::MayClose(CloseReason reason) {
    if (reason == CloseReason::Player) {
        g.play.Abandon();
        OnClosedByPlayer();
    }
    return true;
}

void PlayScreen::OnClose() {
    // A closed screen lingers until deleted; its ticks must not act any more.
    g.play.Abandon();
    for (Timer* t : findChildren<Timer*>()) t->Stop();
    if (m_guide) m_guide->SaveChoices();
}

}  // namespace kd
