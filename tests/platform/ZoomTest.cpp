#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QWindow>

#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/Zoom.h"
#include "support/Accessible.h"
#include "support/TestApp.h"

namespace kd::test {
namespace {

// A 300 x 200 screen with a label, a name box and a button, that records its keys.
class ProbeForm : public ScreenBase {
  public:
    explicit ProbeForm(AppContext& c, QWidget* owner = nullptr)
        : ScreenBase(c, owner ? QStringLiteral("ProbeDialog") : QStringLiteral("ProbeScreen"), owner) {
        SetClientSize(300, 200);
        SetCaption(QStringLiteral("Probe"));
        auto* label = new QLabel(QStringLiteral("経過時間：12.3"), this);
        label->setObjectName(QStringLiteral("clock"));
        label->setGeometry(11, 13, 120, 20);
        SetNamedPicture(picture = new QLabel(this), QStringLiteral("BACK"));
        picture->setGeometry(150, 10, 64, 64);
        name = new QLineEdit(QStringLiteral("たろう"), this);
        name->setObjectName(QStringLiteral("name"));
        name->setGeometry(20, 100, 120, 22);
        ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setObjectName(QStringLiteral("ok"));
        ok->setGeometry(200, 150, 80, 30);
        connect(ok, &QPushButton::clicked, this, [this] { ++clicks; });
    }
    QLabel* picture;
    QLineEdit* name;
    QPushButton* ok;
    int clicks = 0;
};

struct ZoomApp : TestApp {
    ZoomApp() {
        nav.Register(Screen::Main, [](AppContext& c) { return new ProbeForm(c); });
    }
    ~ZoomApp() {
        // Qt's scale belongs to the process: the next test starts at 100 % again.
        if (zoom) zoom->SetPercent(100);
        if (zoom) zoom->SetFullScreen(false);
    }
    QString SettingsFile() const { return dir.filePath(QStringLiteral("zoom.conf")); }
    Zoom* MakeZoom() {
        zoom = std::make_unique<Zoom>(SettingsFile());
        zoom->LoadSettings({300, 200});
        return zoom.get();
    }
    ProbeForm* Open() {
        auto* f = static_cast<ProbeForm*>(nav.Show(Screen::Main));
        QApplication::processEvents();
        return f;
    }
    std::unique_ptr<Zoom> zoom;
};

QSize DeviceScreen() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s->geometry().size() * s->devicePixelRatio();
}

TEST(Zoom, FirstStartChoosesOneAndAHalfOnlyOnAScreenTwoAndAHalfTimesTheMenu) {
    struct Case {
        QSize screen;
        int percent;
    };
    const QSize menu(640, 480);
    const Case cases[] = {
        {{1920, 1200}, 150}, {{1600, 1200}, 150}, {{2560, 1440}, 150},
        {{3840, 2160}, 150}, {{1920, 1080}, 100},  // wide enough, not tall enough
        {{1280, 1024}, 100}, {{1599, 1200}, 100}, {{800, 600}, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Zoom::StartPercent(c.screen, menu), c.percent)
            << c.screen.width() << "x" << c.screen.height();
}

TEST(Zoom, AZoomTheScreenHasNoRoomForFallsBackToTheLargestThatFits) {
    struct Case {
        int chosen;
        QSize screen;
        int applied;
    };
    const QSize menu(640, 509);
    const Case cases[] = {
        {200, {1920, 1200}, 200}, {200, {1920, 1040}, 150}, {150, {1280, 1024}, 150},
        {200, {1280, 1024}, 150}, {150, {1024, 768}, 100},  {100, {800, 600}, 100},
        {200, {640, 480}, 100},  // not even 100 % fits: 100 % all the same
    };
    for (const Case& c : cases)
        EXPECT_EQ(Zoom::FittingPercent(c.chosen, c.screen, menu), c.applied)
            << c.chosen << " on " << c.screen.width() << "x" << c.screen.height();
}

TEST(Zoom, ChoiceIsRememberedAndADamagedValueFallsBackToTheStartRule) {
    ZoomApp app;
    const int start = Zoom::StartPercent(DeviceScreen(), {300, 200});
    {
        Zoom zoom(app.SettingsFile());
        zoom.LoadSettings({300, 200});
        EXPECT_EQ(zoom.Percent(), start);  // nothing remembered yet
        zoom.SetPercent(200);
        zoom.SetFullScreen(true);
        zoom.SetPercent(175);  // not offered: ignored
        zoom.SetFullScreen(false);
        zoom.SetFullScreen(true);
    }
    {
        Zoom zoom(app.SettingsFile());
        zoom.LoadSettings({300, 200});
        EXPECT_EQ(zoom.Percent(), 200);
        EXPECT_TRUE(zoom.IsFullScreen());
        QMenu view;
        zoom.AddViewMenuItems(&view);
        auto* item200 = view.findChild<QMenu*>(QStringLiteral("zoomMenu"))->actions().at(2);
        EXPECT_EQ(item200->text(), "200 %");
        EXPECT_TRUE(item200->isChecked());
        EXPECT_TRUE(zoom.FullScreenAction()->isChecked());
        EXPECT_EQ(zoom.FullScreenAction()->shortcut(), QKeySequence(Qt::Key_F11));
        zoom.SetFullScreen(false);
        zoom.SetPercent(100);
    }
    QSettings(app.SettingsFile(), QSettings::IniFormat).setValue("view/zoomPercent", "huge");
    app.MakeZoom();
    EXPECT_EQ(app.zoom->Percent(), start);
}

// What an assistive tool reads of a window: its tree, the focus, and where each object is on
// the screen in device pixels.
struct Reading {
    QStringList tree;
    QString focus;
    QList<QRect> devicePixels;
};

Reading Read(QWidget* window) {
    Reading r;
    r.tree = AccessibleTree(window);
    if (QWidget* f = QApplication::focusWidget()) r.focus = f->objectName();
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
    const qreal dpr = window->devicePixelRatioF();
    for (int i = 0; i < root->childCount(); ++i) {
        const QRect logical = root->child(i)->rect();
        r.devicePixels << QRect((QPointF(logical.topLeft()) * dpr).toPoint(),
                                (QSizeF(logical.size()) * dpr).toSize());
    }
    return r;
}

// The window's origin on the screen in device pixels, as the window system has it.
QPoint DeviceOrigin(QWidget* window) {
    return (QPointF(window->windowHandle()->geometry().topLeft()) * window->devicePixelRatioF()).toPoint();
}

TEST(Zoom, EveryZoomAndFullScreenShowTheSameWindowToAssistiveToolsWhereItIsDrawn) {
    ZoomApp app;
    Zoom* zoom = app.MakeZoom();
    zoom->SetPercent(100);
    ProbeForm* form = app.Open();
    form->name->setFocus();
    form->name->setCursorPosition(1);
    const Reading plain = Read(form);
    ASSERT_FALSE(plain.tree.isEmpty());
    EXPECT_EQ(plain.focus, QStringLiteral("name"));
    const QPoint plainOrigin = DeviceOrigin(form);

    for (int percent : {150, 200, 100, 200}) {
        for (bool fullScreen : {false, true}) {
            zoom->SetFullScreen(fullScreen);
            zoom->SetPercent(percent);
            QApplication::processEvents();
            const qreal scale = percent / 100.0;
            const std::string at = std::to_string(percent) + (fullScreen ? " % full screen" : " %");
            ASSERT_EQ(zoom->AppliedPercent(), percent) << at;
            EXPECT_GE(zoom->LastRemakeMs(), 0);
            EXPECT_TRUE(form->isVisible()) << at;
            EXPECT_DOUBLE_EQ(form->devicePixelRatioF(), scale) << at;
            const Reading zoomed = Read(form);
            EXPECT_EQ(zoomed.tree, plain.tree) << at;
            EXPECT_EQ(zoomed.focus, plain.focus) << at;
            EXPECT_EQ(form->name->cursorPosition(), 1) << at;  // the state, not only the look
            // Each object where the window system draws it: the window's device origin plus
            // its place in the window, scaled.
            const QPoint origin = DeviceOrigin(form);
            ASSERT_EQ(zoomed.devicePixels.size(), plain.devicePixels.size());
            for (int i = 0; i < plain.devicePixels.size(); ++i) {
                const QRect inWindow = plain.devicePixels[i].translated(-plainOrigin);
                const QRect expected((QPointF(inWindow.topLeft()) * scale).toPoint() + origin,
                                     (QSizeF(inWindow.size()) * scale).toSize());
                const QRect got = zoomed.devicePixels[i];
                const int slack = qCeil(2 * scale);
                EXPECT_LE(std::abs(got.left() - expected.left()), slack) << at << " object " << i;
                EXPECT_LE(std::abs(got.top() - expected.top()), slack) << at << " object " << i;
                EXPECT_LE(std::abs(got.width() - expected.width()), slack) << at << " object " << i;
                EXPECT_LE(std::abs(got.height() - expected.height()), slack) << at << " object " << i;
            }
            // Pictures from their sharp twins whenever a pixel is more than one.
            EXPECT_EQ(form->picture->pixmap().devicePixelRatio(), percent > 100 ? 2.0 : 1.0) << at;
            // The pointer lands exactly: a click at the button's place in the window.
            const int before = form->clicks;
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, form->ok->geometry().center());
            EXPECT_EQ(form->clicks, before + 1) << at;
            QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {},
                              form->ok->geometry().topLeft() - QPoint(2, 2));
            EXPECT_EQ(form->clicks, before + 1) << at << ": a click beside it";
            form->name->setFocus();
        }
    }
}

TEST(Zoom, FullScreenCoversTheScreenWithoutAWindowManagerAndF11TogglesIt) {
    ZoomApp app;
    Zoom* zoom = app.MakeZoom();
    zoom->SetPercent(150);
    ProbeForm* form = app.Open();
    QTest::keyClick(form, Qt::Key_F11);
    QApplication::processEvents();
    ASSERT_TRUE(zoom->IsFullScreen());
    QPointer<QWidget> cover;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("fullScreenBackdrop") && w->isVisible()) cover = w;
    ASSERT_TRUE(cover);
    EXPECT_EQ(cover->geometry(), QGuiApplication::primaryScreen()->geometry());
    EXPECT_TRUE(cover->geometry().contains(form->geometry()));
    EXPECT_EQ(form->geometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    EXPECT_EQ(form->devicePixelRatioF(), 1.5) << "full screen keeps the zoom: no game is made again";
    EXPECT_TRUE(QSettings(app.SettingsFile(), QSettings::IniFormat).value("view/fullScreen").toBool());
    QTest::keyClick(form, Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_FALSE(zoom->IsFullScreen());
    EXPECT_FALSE(cover && cover->isVisible());
    EXPECT_TRUE(form->isVisible());
}

}  // namespace
}  // namespace kd::test
