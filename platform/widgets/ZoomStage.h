#pragma once
#include <QGraphicsView>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

class QAction;
class QActionGroup;
class QGraphicsProxyWidget;
class QMenu;
class QScreen;

namespace kd {

class StageWindow;

// Zoom and full screen for every window of the game.
//
// At 100 % a screen is an ordinary window. Zoomed or full screen, the screen is shown inside a
// stage window (a QGraphicsView holding it as a proxy widget) that draws it through a scaling
// transform: text and styled controls are drawn at the target size, so they stay sharp, and
// pictures come from their @2x twins. Mouse, keys, focus and menus pass through unchanged;
// a key reaches the same handlers on the same thread as without the stage.
//
// Qt's own scale factor (QT_SCALE_FACTOR) is fixed per process and would need a restart,
// which a player cannot do in the middle of a race, and it cannot scale to fit the screen.
class ZoomStage : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPercents[] = {100, 150, 200};

    // settingsFile: an INI file for tests; empty means the machine's own settings.
    explicit ZoomStage(const QString& settingsFile = QString(), QObject* parent = nullptr);
    ~ZoomStage() override;
    // The stage of the running program, or null (screens are plain windows then).
    static ZoomStage* Instance();

    // The zoom a first start chooses: 150 % when the screen is at least 2.5 times the main
    // menu on both sides, else 100 %.
    static int StartPercent(QSize screen, QSize menu);
    // Reads the remembered zoom and full-screen switch; with nothing remembered, the zoom
    // comes from StartPercent with the primary screen.
    void LoadSettings(QSize menu);

    int Percent() const { return m_percent; }
    bool IsFullScreen() const { return m_fullScreen; }
    void SetPercent(int percent);
    void SetFullScreen(bool on);
    void ToggleFullScreen() { SetFullScreen(!m_fullScreen); }

    // Adds 拡大 (100 % / 150 % / 200 %) and 全画面 to a 表示 menu.
    void AddViewMenuItems(QMenu* view);
    QAction* FullScreenAction() const { return m_fullScreenAction; }
    // Where this machine's settings are kept (empty: the machine's own settings).
    const QString& SettingsFile() const { return m_settingsFile; }

    // Shows a screen: as a window at 100 %, else inside its stage; then asks for the keyboard
    // focus, so keys typed right after it appears reach it also without a window manager.
    void Present(QWidget* form);
    // The window the player sees for this screen (the screen itself when it has no stage).
    QWidget* HostOf(QWidget* form) const;
    // How many screen pixels one of the screen's pixels takes.
    qreal ScaleOf(QWidget* form) const;
    // The pixel density pictures and drawing buffers are prepared for.
    qreal PictureDensity() const;

  signals:
    void densityChanged();

  private:
    friend class StageWindow;
    bool Staged() const { return m_percent != 100 || m_fullScreen; }
    qreal ScaleFor(QSize formSize, const StageWindow* owner) const;
    void Restage();
    void Save() const;
    void UpdateChecks();

    QString m_settingsFile;
    int m_percent = 100;
    bool m_fullScreen = false;
    qreal m_density = 1.0;
    QAction* m_fullScreenAction = nullptr;
    QActionGroup* m_zoomGroup = nullptr;
    QList<QPointer<StageWindow>> m_stages;
};

// Shows a screen through the program's stage when there is one, as a plain window otherwise.
void PresentForm(QWidget* form);
// Pixel density for pictures: the screen's, or 2 when the game is zoomed.
qreal PictureDensity();

// The window a zoomed or full-screen screen is shown in.
class StageWindow : public QGraphicsView {
    Q_OBJECT
  public:
    StageWindow(ZoomStage& stage, QWidget* form, StageWindow* owner);
    ~StageWindow() override;
    QWidget* Form() const { return m_form; }
    qreal Scale() const { return m_scale; }
    // Size, scale and place again after a change of zoom, full screen or the screen's size.
    void Relayout();
    StageWindow* Owner() const { return m_owner; }
    // Gives the screen back as a plain window (hidden, where this window's middle was) and
    // goes; null when there is no screen showing in it.
    QWidget* Release();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& exposed) override;

  private:
    QPointer<ZoomStage> m_stage;  // the program's stage outlives its windows; a test's may not
    QPointer<QWidget> m_form;
    QPointer<StageWindow> m_owner;
    QGraphicsProxyWidget* m_proxy = nullptr;
    qreal m_scale = 1.0;
    bool m_wasFullScreen = false;
};

}  // namespace kd
