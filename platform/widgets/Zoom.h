#pragma once
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace kd {

// Zoom and full screen for every window of the game, through Qt's own scaling.
//
// The zoom is Qt's device pixel ratio: every window, its text, its controls and its pictures
// (the @2x set) are drawn at the zoomed size by Qt itself, and pointer input, focus and the
// accessibility tree are Qt's own, exactly as at 100 %. Qt 6.4 sets the scale only for windows
// yet to be made, so a change of zoom makes every window again: the widgets, their state and
// their focus stay; only the native windows are new. That is offered only on the main menu,
// never in a game.
//
// Full screen keeps the zoom: a black backdrop covers the screen and the game's windows stay
// centred on it, so F11 works in the middle of a race and without a window manager.
class Zoom : public QObject {
    Q_OBJECT
  public:
    static constexpr int kPercents[] = {100, 150, 200};

    // settingsFile: an INI file for tests; empty means the machine's own settings.
    explicit Zoom(const QString& settingsFile = QString(), QObject* parent = nullptr);
    ~Zoom() override;
    // The zoom of the running program, or null (screens are shown as they are).
    static Zoom* Instance();

    // The zoom a first start chooses: 150 % when the screen is at least 2.5 times the main
    // menu on both sides, else 100 %. Screen size in device pixels.
    static int StartPercent(QSize screen, QSize menu);
    // The largest offered zoom, at most `percent`, at which `largest` (with a window frame)
    // still fits on a screen of `screen` device pixels; 100 at the least.
    static int FittingPercent(int percent, QSize screen, QSize largest);
    // Reads the remembered zoom and full-screen switch (with nothing remembered, the zoom
    // comes from StartPercent) and applies them; before the first window, nothing is made again.
    void LoadSettings(QSize menu);

    // The chosen zoom and the one in effect (smaller when the screen has no room for it).
    int Percent() const { return m_percent; }
    int AppliedPercent() const { return m_applied; }
    bool IsFullScreen() const { return m_fullScreen; }
    void SetPercent(int percent);
    void SetFullScreen(bool on);
    void ToggleFullScreen() { SetFullScreen(!m_fullScreen); }
    // How long making the windows again took the last time, in milliseconds.
    qint64 LastRemakeMs() const { return m_lastRemakeMs; }

    // Adds 拡大 (100 % / 150 % / 200 %) and 全画面 to a 表示 menu.
    void AddViewMenuItems(QMenu* view);
    QAction* FullScreenAction() const { return m_fullScreenAction; }
    // Where this machine's settings are kept (empty: the machine's own settings).
    const QString& SettingsFile() const { return m_settingsFile; }

    // Shows a screen (over the backdrop in full screen) and asks for the keyboard focus, so
    // keys typed right after it appears reach it also without a window manager.
    void Present(QWidget* form);
    // The pixel density windows are drawn at: pictures and drawing buffers follow it.
    qreal PictureDensity() const;

  signals:
    void densityChanged();

  private:
    void Apply(int percent);
    void RemakeWindows(qreal oldFactor);
    void ShowBackdrop(bool on);
    void Save() const;
    void UpdateChecks();

    QString m_settingsFile;
    QSize m_largest;
    int m_percent = 100;
    int m_applied = 100;
    bool m_fullScreen = false;
    qint64 m_lastRemakeMs = -1;
    QAction* m_fullScreenAction = nullptr;
    QActionGroup* m_zoomGroup = nullptr;
    QPointer<QWidget> m_backdrop;
};

// Shows a screen through the program's zoom when there is one, as a plain window otherwise.
void PresentForm(QWidget* form);
// Pixel density for pictures: the windows' device pixel ratio.
qreal PictureDensity();

}  // namespace kd
