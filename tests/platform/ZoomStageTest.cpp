#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/widgets/Bitmaps.h"
#include "platform/widgets/ZoomStage.h"
#include "support/PaintRecorder.h"
#include "support/TestApp.h"

namespace kd::test {
namespace {

// A 300 x 200 screen that records the keys it sees.
class ProbeForm : public ScreenBase {
  public:
    explicit ProbeForm(AppContext& c, QWidget* owner = nullptr)
        : ScreenBase(c, owner ? QStringLiteral("ProbeDialog") : QStringLiteral("ProbeScreen"), owner) {
        SetClientSize(300, 200);
        SetKeysFirst(true);
    }
    QList<int> keys;

  protected:
    void OnKeyDown(int key, Qt::KeyboardModifiers) override { keys << key; }
};

struct ZoomApp : TestApp {
    ZoomApp() {
        nav.Register(Screen::Main, [](AppContext& c) { return new ProbeForm(c); });
    }
    QString SettingsFile() const { return dir.filePath(QStringLiteral("zoom.conf")); }
    ProbeForm* Open() {
        auto* f = static_cast<ProbeForm*>(nav.Show(Screen::Main));
        QApplication::processEvents();
        return f;
    }
};

QSize ScreenSize() {
    return QGuiApplication::primaryScreen()->geometry().size();
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
        EXPECT_EQ(ZoomStage::StartPercent(c.screen, menu), c.percent)
            << c.screen.width() << "x" << c.screen.height();
}

TEST(Zoom, ChoiceIsRememberedAndADamagedValueFallsBackToTheStartRule) {
    ZoomApp app;
    const int start =
        ZoomStage::StartPercent(QGuiApplication::primaryScreen()->availableGeometry().size(), {640, 480});
    {
        ZoomStage zoom(app.SettingsFile());
        zoom.LoadSettings({640, 480});
        EXPECT_EQ(zoom.Percent(), start);  // nothing remembered yet
        zoom.SetPercent(200);
        zoom.SetFullScreen(true);
        zoom.SetPercent(175);  // not offered: ignored
    }
    {
        ZoomStage zoom(app.SettingsFile());
        zoom.LoadSettings({640, 480});
        EXPECT_EQ(zoom.Percent(), 200);
        EXPECT_TRUE(zoom.IsFullScreen());
        QMenu view;
        zoom.AddViewMenuItems(&view);
        auto* item200 = view.findChild<QMenu*>(QStringLiteral("zoomMenu"))->actions().at(2);
        EXPECT_EQ(item200->text(), "200 %");
        EXPECT_TRUE(item200->isChecked());
        EXPECT_TRUE(zoom.FullScreenAction()->isChecked());
        EXPECT_EQ(zoom.FullScreenAction()->shortcut(), QKeySequence(Qt::Key_F11));
    }
    QSettings(app.SettingsFile(), QSettings::IniFormat).setValue("view/zoomPercent", "huge");
    ZoomStage zoom(app.SettingsFile());
    zoom.LoadSettings({640, 480});
    EXPECT_EQ(zoom.Percent(), start);
}

TEST(Zoom, AZoomedScreenIsDrawnLargerAndStillGetsItsKeys) {
    ZoomApp app;
    ZoomStage zoom(app.SettingsFile());
    const qreal fit = qMin((ScreenSize().width() - 16) / 300.0, (ScreenSize().height() - 48) / 200.0);
    for (int percent : ZoomStage::kPercents) {
        zoom.SetPercent(percent);
        ProbeForm* form = app.Open();
        // The stage may be deleted with its screen: watch it rather than keep a raw pointer.
        QPointer<QWidget> host = zoom.HostOf(form);
        const bool plain = host == form;
        const qreal scale = qMin(percent / 100.0, fit);  // never larger than the screen
        EXPECT_DOUBLE_EQ(zoom.ScaleOf(form), percent == 100 ? 1.0 : scale) << percent;
        EXPECT_EQ(plain, percent == 100) << percent;
        EXPECT_EQ(host->size(), QSize(qCeil(300 * zoom.ScaleOf(form)), qCeil(200 * zoom.ScaleOf(form))));
        EXPECT_TRUE(QRect(QPoint(), ScreenSize()).contains(host->frameGeometry())) << percent;
        EXPECT_EQ(PictureDensity(), percent == 100 ? 1.0 : 2.0);
        // Pictures come from their @2x twins while zoomed.
        EXPECT_EQ(Bitmap(QStringLiteral("BACK")).devicePixelRatio(), percent == 100 ? 1.0 : 2.0);
        QTest::keyClick(host, Qt::Key_A);
        QTest::keyClick(host, Qt::Key_Space);
        EXPECT_EQ(form->keys, (QList<int>{Qt::Key_A, Qt::Key_Space})) << percent;
        form->CloseScreen();
        app.Flush();
        QApplication::processEvents();
        app.Flush();
        EXPECT_TRUE(plain || !host || !host->isVisible()) << "the stage closes with its screen";
    }
}

TEST(Zoom, FullScreenFillsTheScreenScalingTheGameToFitAndF11TogglesIt) {
    ZoomApp app;
    ZoomStage zoom(app.SettingsFile());
    ProbeForm* form = app.Open();
    EXPECT_EQ(zoom.HostOf(form), form);  // 100 %: a plain window
    auto* picture = new QLabel(form);
    SetNamedPicture(picture, QStringLiteral("BACK"));
    EXPECT_EQ(picture->pixmap().devicePixelRatio(), 1.0);
    QTest::keyClick(form, Qt::Key_F11);
    QApplication::processEvents();
    ASSERT_TRUE(zoom.IsFullScreen());
    // A picture shown before the change comes from its sharp twin now, not stretched.
    EXPECT_EQ(picture->pixmap().devicePixelRatio(), 2.0);
    QWidget* host = zoom.HostOf(form);
    ASSERT_NE(host, form);
    EXPECT_EQ(host->geometry(), QRect(QPoint(), ScreenSize()));
    EXPECT_DOUBLE_EQ(zoom.ScaleOf(form), qMin(ScreenSize().width() / 300.0, ScreenSize().height() / 200.0));
    EXPECT_TRUE(QSettings(app.SettingsFile(), QSettings::IniFormat).value("view/fullScreen").toBool());
    // The next screen opens full screen as well.
    ProbeForm* next = app.Open();
    EXPECT_EQ(zoom.HostOf(next)->geometry(), QRect(QPoint(), ScreenSize()));
    QTest::keyClick(zoom.HostOf(next), Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_FALSE(zoom.IsFullScreen());
    // Back at 100 %: the screen is shown plain again, not drawn 1:1 by a stage.
    EXPECT_EQ(zoom.HostOf(next), next);
    EXPECT_TRUE(next->isVisible());
    EXPECT_FALSE(next->graphicsProxyWidget());
    EXPECT_EQ(next->size(), QSize(300, 200));
    EXPECT_TRUE(next->keys.isEmpty()) << "F11 is not a key typed on the screen";
    EXPECT_EQ(picture->pixmap().devicePixelRatio(), 1.0);
    QTest::keyClick(next, Qt::Key_A);
    EXPECT_EQ(next->keys, QList<int>{Qt::Key_A});
}

TEST(Zoom, ADialogKeepsItsOwnersScaleAndBlocksIt) {
    ZoomApp app;
    ZoomStage zoom(app.SettingsFile());
    zoom.SetPercent(150);
    ProbeForm* form = app.Open();
    auto* dialog = new ProbeForm(app.ctx, form);
    app.nav.ShowModal(dialog);
    QWidget* host = zoom.HostOf(dialog);
    ASSERT_NE(host, dialog);
    EXPECT_NE(host, zoom.HostOf(form));
    EXPECT_EQ(host->parentWidget(), zoom.HostOf(form));
    EXPECT_EQ(host->windowModality(), Qt::ApplicationModal);
    EXPECT_DOUBLE_EQ(zoom.ScaleOf(dialog), zoom.ScaleOf(form));
    EXPECT_EQ(host->size(), QSize(450, 300));
}

TEST(Zoom, ASmallChangeRepaintsOnlyItsOwnRectangleOfTheStage) {
    // Faults guarded: the whole stage (four times the pixels at 200 %) painted again for a
    // clock's tenth, or the view filling its background under the screen first.
    ZoomApp app;
    ZoomStage zoom(app.SettingsFile());
    for (int percent : {150, 200}) {
        zoom.SetPercent(percent);
        ProbeForm* form = app.Open();
        auto* label = new QLabel(QStringLiteral("0.0"), form);
        label->setGeometry(20, 30, 40, 16);
        label->setAutoFillBackground(true);
        label->show();
        auto* stage = qobject_cast<QGraphicsView*>(zoom.HostOf(form));
        ASSERT_NE(stage, nullptr);
        PaintRecorder paints;
        paints.Settle();
        label->setText(QStringLiteral("0.1"));
        PaintRecorder::Flush();
        const qreal scale = zoom.ScaleOf(form);
        const QRect onStage =
            QRectF(20 * scale, 30 * scale, 40 * scale, 16 * scale).toAlignedRect().adjusted(-2, -2, 2, 2);
        const QRegion painted = paints.Painted(stage->viewport());
        EXPECT_FALSE(painted.isEmpty()) << percent;
        EXPECT_TRUE((painted - onStage).isEmpty()) << percent << ": " << PaintRecorder::Text(painted);
        EXPECT_TRUE(stage->viewport()->testAttribute(Qt::WA_OpaquePaintEvent));
        form->CloseScreen();
        app.Flush();
        QApplication::processEvents();
    }
}

}  // namespace
}  // namespace kd::test
