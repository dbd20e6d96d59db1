#include "shell/MainMenu.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <functional>
#include <tuple>

#include "classui/ClassMenu.h"
#include "common/FileSystem.h"
#include "common/GameState.h"
#include "common/HeatFile.h"
#include "common/PlayerFiles.h"
#include "common/RecordFile.h"
#include "common/SoundSwitches.h"
#include "learning/LearningRecord.h"
#include "platform/core/Audio.h"
#include "platform/core/WriteTrouble.h"
#include "platform/widgets/Colors.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/MessageBoxes.h"
#include "platform/widgets/Navigator.h"
#include "platform/widgets/ShellLook.h"
#include "platform/widgets/SpokenParts.h"
#include "platform/widgets/Zoom.h"
#include "questions/StringTable.h"
#include "shell/AboutBox.h"
#include "shell/LearningExport.h"
#include "shell/RecordDeletion.h"
#include "shell/ViewMenu.h"
#include "stats/StatsOpener.h"
#include "training/TrainingMenu.h"

namespace kd {

namespace {

const QColor kItemColor(0, 192, 0);
const QColor kSelectedColor = kYellow;

const char* const kCaptions[MainMenu::kItemCount] = {"PRACTICE", "TIME TRIAL", "KEY DERBY", "END"};
const Screen kScreens[3] = {Screen::Practice, Screen::TimeTrial, Screen::SelectChara};

QString Description(int index) {
    switch (index) {
        case 0:
            return QCoreApplication::translate(
                "MainMenu",
                "　自分で練習時間を設定して、ひたすら打ち続ける。長時間のタイピングに耐えられる持久力がつく（"
                "？）");
        case 1:
            return QCoreApplication::translate("MainMenu", "　自分の限界に挑戦！まさに、自分との戦い！");
        case 2:
            return QCoreApplication::translate(
                "MainMenu",
                "　コンピューターとの戦い。敵は３つで、上位２名が次ぎの戦いへ進める。「Champion "
                "Ship」が最終決戦だと思ったら実は・・・。");
        default:
            return QString();
    }
}

// A menu item: the pointer moving over it selects it, a click on it activates it.
class ItemLabel : public QLabel {
  public:
    ItemLabel(QWidget* parent, std::function<void()> onMove, std::function<void()> onClick)
        : QLabel(parent), m_onMove(std::move(onMove)), m_onClick(std::move(onClick)) {
        setMouseTracking(true);
        setCursor(Qt::PointingHandCursor);
    }
    bool IsChosen() const { return m_chosen; }
    // A screen reader hears the item the arrow keys moved to, as if it had the focus.
    void SetChosen(bool chosen) {
        if (chosen == m_chosen) return;
        m_chosen = chosen;
        QAccessible::State changed;
        changed.selected = changed.focused = true;
        QAccessibleStateChangeEvent state(this, changed);
        QAccessible::updateAccessibility(&state);
        if (!chosen) return;
        QAccessibleEvent focus(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
    void Click() { m_onClick(); }

  protected:
    void enterEvent(QEnterEvent*) override { m_onMove(); }
    void mouseMoveEvent(QMouseEvent*) override { m_onMove(); }
    void mousePressEvent(QMouseEvent* e) override { m_pressed = e->button() == Qt::LeftButton; }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool click =
            m_pressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
        m_pressed = false;
        if (click) m_onClick();
    }

  private:
    std::function<void()> m_onMove, m_onClick;
    bool m_pressed = false;
    bool m_chosen = false;
};

// Assistive tools meet the modes as menu items: the chosen one selected and focused, and
// pressing one does what a click does.
class ItemAccessible : public QAccessibleWidget {
  public:
    explicit ItemAccessible(ItemLabel* item) : QAccessibleWidget(item, QAccessible::MenuItem) {}
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? Item()->text() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.selectable = s.focusable = true;
        s.selected = s.focused = Item()->IsChosen();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) Item()->Click();
    }

  private:
    ItemLabel* Item() const { return static_cast<ItemLabel*>(widget()); }
};

bool EnsureDataFolder(const GameState& g) {
    return MakePlayerDataFolder(g);
}

// The style measures a menu without its "(&D)" mnemonic but draws it with one, which would
// cut the longer Japanese items short.
void FitMenuWidth(QMenu* menu) {
    const QFontMetrics fm(menu->font());
    // The menu keeps one column for shortcuts beside every item, so the widest text and the
    // widest shortcut add up even when they belong to different items.
    int widestText = 0, widestKey = 0;
    for (const QAction* a : menu->actions()) {
        const QString key = a->shortcut().toString(QKeySequence::NativeText);
        if (!key.isEmpty()) widestKey = qMax(widestKey, fm.horizontalAdvance(key) + 24);
        widestText = qMax(widestText, fm.horizontalAdvance(QString(a->text()).remove(u'&')));
    }
    menu->setMinimumWidth(widestText + widestKey + 64);
}

QAction* NamedAction(QMenu* menu, const QString& name, const QString& text, bool checkable) {
    QAction* a = menu->addAction(text);
    a->setObjectName(name);
    a->setCheckable(checkable);
    return a;
}

}  // namespace

MainMenu::MainMenu(AppContext& ctx_) : ScreenBase(ctx_, Screen::Main) {
    BuildMenuBar();
    ConnectMenus();
    BuildClientArea();
    SetKeysFirst(true);
}

void MainMenu::BuildMenuBar() {
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setNativeMenuBar(false);
    fileMenu = menuBar->addMenu(QCoreApplication::translate("MainMenu", "ファイル(&F)"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    deleteRecordsAction = NamedAction(fileMenu, QStringLiteral("deleteRecordsAction"),
                                      QCoreApplication::translate("MainMenu", "記録の削除(&D)"), false);
    exportLearningAction =
        NamedAction(fileMenu, QStringLiteral("exportLearningAction"),
                    QCoreApplication::translate("MainMenu", "学習記録の書き出し(&E)..."), false);
    fileMenu->addSeparator();
    exitAction = NamedAction(fileMenu, QStringLiteral("exitAction"),
                             QCoreApplication::translate("MainMenu", "終了(&X)"), false);
    effectsMenu = menuBar->addMenu(QCoreApplication::translate("MainMenu", "効果音(&E)"));
    effectsMenu->setObjectName(QStringLiteral("effectsMenu"));
    effectsOnAction = NamedAction(effectsMenu, QStringLiteral("effectsOnAction"),
                                  QCoreApplication::translate("MainMenu", "ON(&T)"), true);
    effectsOffAction = NamedAction(effectsMenu, QStringLiteral("effectsOffAction"),
                                   QCoreApplication::translate("MainMenu", "OFF(&F)"), true);
    musicMenu = menuBar->addMenu(QCoreApplication::translate("MainMenu", "BGM(&B)"));
    musicMenu->setObjectName(QStringLiteral("musicMenu"));
    musicOnAction = NamedAction(musicMenu, QStringLiteral("musicOnAction"),
                                QCoreApplication::translate("MainMenu", "ON(&T)"), true);
    musicOffAction = NamedAction(musicMenu, QStringLiteral("musicOffAction"),
                                 QCoreApplication::translate("MainMenu", "OFF(&F)"), true);
    viewMenu = menuBar->addMenu(QCoreApplication::translate("MainMenu", "表示(&D)"));
    viewMenu->setObjectName(QStringLiteral("viewMenu"));
    if (Zoom* zoom = Zoom::Instance()) {
        zoom->AddViewMenuItems(viewMenu);
        // Zoomed from this menu: the wallpaper comes again from its sharper twin.
        connect(zoom, &Zoom::densityChanged, this,
                [this] { clientArea->SetBackground(ShellBackground(kClientWidth, kClientHeight)); });
    }
    AddGhostAndReplayItems(viewMenu, g, this);
    AddRomajiGuideItem(viewMenu, g);
    AddInputMethodItems(viewMenu, g);
    AddLanguageItems(viewMenu, ctx.msg, this);
    AddClassItems(fileMenu, AddImportItem(fileMenu, exportLearningAction, ctx, this), ctx, this);
    netMenu = menuBar->addMenu(QCoreApplication::translate("MainMenu", "対戦(&N)"));
    netMenu->setObjectName(QStringLiteral("netMenu"));
    aboutAction = menuBar->addAction(QCoreApplication::translate("MainMenu", "バージョン情報(&V)"));
    aboutAction->setObjectName(QStringLiteral("aboutAction"));
    // Beyond the original menu bar, after its items so they keep their places.
    statsMenu = menuBar->addMenu(QCoreApplication::translate("MainMenu", "成績(&S)"));
    statsMenu->setObjectName(QStringLiteral("statsMenu"));
    showStatsAction = NamedAction(statsMenu, QStringLiteral("showStatsAction"),
                                  QCoreApplication::translate("MainMenu", "成績を見る(&V)"), false);
    FitMenuWidth(statsMenu);
}

void MainMenu::ConnectMenus() {
    connect(deleteRecordsAction, &QAction::triggered, this, [this] { DeleteAllRecords(); });
    connect(exportLearningAction, &QAction::triggered, this, [this] { ExportLearning(); });
    connect(exitAction, &QAction::triggered, this, [this] { AskToEnd(); });
    connect(effectsOnAction, &QAction::triggered, this, [this] { TurnEffectsOn(); });
    connect(effectsOffAction, &QAction::triggered, this, [this] { TurnEffectsOff(); });
    connect(musicOnAction, &QAction::triggered, this, [this] { TurnMusicOn(); });
    connect(musicOffAction, &QAction::triggered, this, [this] { TurnMusicOff(); });
    connect(aboutAction, &QAction::triggered, this, [this] { ShowAbout(); });
    connect(showStatsAction, &QAction::triggered, this, [this] { OpenStats(); });
    // Races on the local network: screens of their own, opened only when this build has them.
    for (const auto& [name, text, next] :
         {std::tuple{"hostRoomAction", QT_TRANSLATE_NOOP("MainMenu", "部屋を作る(&H)"), Screen::NetHost},
          std::tuple{"joinRoomAction", QT_TRANSLATE_NOOP("MainMenu", "部屋に入る(&J)"), Screen::NetJoin}}) {
        connect(NamedAction(netMenu, QString::fromLatin1(name), QCoreApplication::translate("MainMenu", text),
                            false),
                &QAction::triggered, this, [this, screen = next] {
                    if (IsClosing() || !ctx.nav.IsRegistered(screen)) return;
                    StopMusic(g);
                    ctx.nav.Replace(this, screen);
                });
    }
    for (QMenu* m : {fileMenu, effectsMenu, musicMenu, viewMenu, netMenu}) FitMenuWidth(m);
    // An item pressed through its accessibility action is triggered without the click that
    // closes the menus; they close all the same.
    connect(menuBar, &QMenuBar::triggered, this, [this] {
        for (QMenu* m : menuBar->findChildren<QMenu*>()) m->hide();
    });
}

// The title, the version, the four items and the description below them.
void MainMenu::BuildClientArea() {
    const int barHeight = menuBar->sizeHint().height();
    menuBar->setGeometry(0, 0, kClientWidth, barHeight);
    clientArea =
        new DrawingArea(this, QStringLiteral("clientArea"), 0, barHeight, kClientWidth, kClientHeight);

    titleShadow = MakeLabel(clientArea, QStringLiteral("titleShadow"), AppTitle(), 0, 0, kClientWidth, 100);
    titleText = MakeLabel(clientArea, QStringLiteral("titleText"), AppTitle(), 0, 0, kClientWidth, 100);
    StyleTitle(titleText, titleShadow, 76, QPoint(0, 36), 4);
    versionTexts[1] = MakeLabel(clientArea, QStringLiteral("versionText1"), kVersionText, 0, 0, 140, 26);
    versionTexts[0] = MakeLabel(clientArea, QStringLiteral("versionText0"), kVersionText, 0, 0, 140, 26);
    StyleTitle(versionTexts[0], versionTexts[1], 20, QPoint(430, 132), 2);
    SetForeColor(versionTexts[0], kWhite);

    itemShadow = MakeLabel(clientArea, QStringLiteral("itemShadow"), QString(), -1000, -1000, 260, 40);
    SetForeColor(itemShadow, kShadowColor);
    itemShadow->setAttribute(Qt::WA_TransparentForMouseEvents);
    MarkDecorative(itemShadow);
    for (int i = 0; i < kItemCount; ++i) {
        auto* item = new ItemLabel(
            clientArea, [this, i] { SelectItem(i); }, [this, i] { OpenItem(i); });
        item->setObjectName(QStringLiteral("menuItem%1").arg(i));
        UseAccessibleInterface(item, new ItemAccessible(item));
        item->setText(QString::fromLatin1(kCaptions[i]));
        item->setGeometry(232, 188 + 44 * i, 260, 40);
        menuItems[i] = item;
    }
    for (QLabel* l : {itemShadow, menuItems[0], menuItems[1], menuItems[2], menuItems[3]})
        SetPixelFont(l, 30, true);

    modeDescription = MakeLabel(clientArea, QStringLiteral("modeDescription"), QString(), 40, 378, 560, 78);
    modeDescription->setWordWrap(true);
    modeDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    modeDescription->setMargin(8);
    SetPixelFont(modeDescription, 16);
    SetForeColor(modeDescription, kWhite);
    modeDescription->setStyleSheet(
        QStringLiteral("background-color: rgba(0, 0, 0, 150); border-radius: 6px;"));

    itemShadow->lower();
}

void MainMenu::OnLoad() {
    SetClientSize(kClientWidth, clientArea->y() + kClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    LoadMenu();
}

void MainMenu::LoadMenu() {
    g.audio.InitSoundEffects();
    SetCaption(AppTitle());
    clientArea->SetBackground(ShellBackground(kClientWidth, kClientHeight));

    if (!EnsureDataFolder(g))
        Warn(FailureMessage(
                 QCoreApplication::translate("MainMenu", "記録用のフォルダーを作成できませんでした"),
                 TroubleOfFolder(PlayerDataFolder(g))) +
             QCoreApplication::translate("MainMenu", "記録は保存されません。\n") + PlayerDataFolder(g));
    LoadHeat(g);
    LoadSoundSwitches(g);
    PlayMusic(g, QStringLiteral("startup.mid"));
    ShowSwitches();
    SelectItem(0);
}

void MainMenu::ShowSwitches() {
    musicOnAction->setChecked(g.musicOn);
    musicOffAction->setChecked(!g.musicOn);
    effectsOnAction->setChecked(g.keySoundsOn);
    effectsOffAction->setChecked(!g.keySoundsOn);
}

void MainMenu::Warn(const QString& text) {
    ctx.msg.Show(this, AppTitle(), text, MsgButtons::OK);
}

void MainMenu::SelectItem(int index) {
    QLabel* item = menuItems[index];
    // The items share a left edge, so the whole position tells whether the shadow is there.
    const QPoint shadowAt = item->pos() + QPoint(2, 2);
    if (itemShadow->pos() == shadowAt) return;
    itemShadow->move(shadowAt);
    itemShadow->resize(item->size());
    itemShadow->setText(item->text());
    for (QLabel* l : menuItems) SetForeColor(l, kItemColor);
    SetForeColor(item, kSelectedColor);
    for (QLabel* l : menuItems) static_cast<ItemLabel*>(l)->SetChosen(l == item);
    m_selected = index;
    if (index < 3) modeDescription->setText(Description(index));
}

void MainMenu::OnKeyDown(int key, Qt::KeyboardModifiers) {
    const int selected = m_selected;
    if (key == Qt::Key_Down)
        SelectItem((selected + 1) % kItemCount);
    else if (key == Qt::Key_Up)
        SelectItem((selected + kItemCount - 1) % kItemCount);
    else if (IsEnterKey(key))
        OpenItem(selected);
}

void MainMenu::OpenItem(int index) {
    if (IsClosing()) return;
    // A mode whose screens are not part of this build yet keeps the menu as it is.
    if (index < 3 && !ctx.nav.IsRegistered(kScreens[index])) return;

    if (!SaveSoundSwitches(g))
        Warn(SaveFailureMessage(
            QCoreApplication::translate("MainMenu", "BGMと効果音の設定を保存できませんでした"),
            SoundSwitchesPath(g)));
    if (index < 3) {
        // Opened now, so any trouble with the record is told here rather than over a game.
        if (g.learning) g.learning->Store();
        StopMusic(g);
        ctx.nav.Replace(this, kScreens[index]);
        return;
    }
    if (ctx.msg.Show(this, AppTitle(), QCoreApplication::translate("MainMenu", "終了してもよろしいですか？"),
                     MsgButtons::OKCancel) != MsgAnswer::OK)
        return;
    StopMusic(g);
    ctx.nav.EndProgram();
}

bool MainMenu::MayClose(CloseReason reason) {
    if (reason == CloseReason::Program) return true;
    // The close box asks like "END"; the window closes only when the program ends.
    OpenItem(3);
    return IsClosing();
}

void MainMenu::TurnMusicOn() {
    if (!g.musicOn) {
        g.musicOn = true;
        g.audio.PlayMidi(QStringLiteral("startup.mid"));
    }
    ShowSwitches();
}

void MainMenu::TurnMusicOff() {
    if (g.musicOn) {
        g.musicOn = false;
        g.audio.StopMidi();
    }
    ShowSwitches();
}

void MainMenu::TurnEffectsOn() {
    g.keySoundsOn = true;
    ShowSwitches();
}

void MainMenu::TurnEffectsOff() {
    g.keySoundsOn = false;
    ShowSwitches();
}

void MainMenu::ExportLearning() {
    ExportLearningRecord(ctx, this);
}

void MainMenu::ShowAbout() {
    ctx.nav.ShowModal(new AboutBox(ctx, this));
}

void MainMenu::OpenStats() {
    stats::OpenStatsWindow(g);
}

void MainMenu::DeleteAllRecords() {
    // With a learning record the question names it too: it goes with the other records.
    const QString question =
        g.learning ? QCoreApplication::translate(
                         "MainMenu", "すべての記録（学習記録を含む）を削除します。よろしいですか？")
                   : QCoreApplication::translate("MainMenu", "すべての記録を削除します。よろしいですか？");
    if (ctx.msg.Show(this, QStringLiteral("KeyDerby"), question, MsgButtons::YesNo) != MsgAnswer::Yes) return;
    // The reloaded menu shows the music switched off, so the music stops with it.
    StopMusic(g);
    if (!DeleteRecords(g))
        Warn(QCoreApplication::translate("MainMenu", "記録を削除できないファイルがありました。\n") +
             PlayerDataFolder(g));
    LoadMenu();
}

}  // namespace kd
