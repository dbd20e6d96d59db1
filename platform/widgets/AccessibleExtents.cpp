#include "platform/widgets/AccessibleExtents.h"

#include <private/qguiapplication_p.h>
#include <private/qhighdpiscaling_p.h>
#include <private/qspiaccessiblebridge_p.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <memory>

namespace kd {

namespace {

const QString kAccessiblePath = QStringLiteral("/org/a11y/atspi/accessible");
const QString kComponent = QStringLiteral("org.a11y.atspi.Component");
const QString kText = QStringLiteral("org.a11y.atspi.Text");
constexpr uint kWindowCoordinates = 1;  // ATSPI_COORD_TYPE_WINDOW; screen is 0

QAccessibleInterface* InterfaceAt(const QString& path) {
    const QString id = path.section(u'/', -1);
    if (id == QLatin1String("root")) return QAccessible::queryAccessibleInterface(qApp);
    bool ok = false;
    const uint n = id.toUInt(&ok);
    return ok ? QAccessible::accessibleInterface(n) : nullptr;
}

QWindow* WindowOf(QAccessibleInterface* a) {
    for (QAccessibleInterface* i = a; i; i = i->parent())
        if (QWindow* w = i->window()) return w;
    return nullptr;
}

// A rectangle of Qt's (device-independent, on the screen) in device pixels, on the screen or
// in the object's window.
QRect DeviceRect(QAccessibleInterface* a, uint coordinates, const QRect& logical) {
    QWindow* window = WindowOf(a);
    if (!window) return logical;
    QRect device = QHighDpi::toNativePixels(logical, window);
    if (coordinates == kWindowCoordinates)
        device.translate(-QHighDpi::toNativePixels(window->geometry(), window).topLeft());
    return device;
}

QRect DeviceRect(QAccessibleInterface* a, uint coordinates) {
    return DeviceRect(a, coordinates, a->rect());
}

// A point given in device pixels, on the screen or in the object's window, in Qt's pixels.
QPoint LogicalPoint(QAccessibleInterface* a, uint coordinates, QPoint p) {
    QWindow* window = WindowOf(a);
    if (!window) return p;
    if (coordinates == kWindowCoordinates)
        p += QHighDpi::toNativePixels(window->geometry(), window).topLeft();
    p = QHighDpi::fromNativePixels(p, window);
    if (coordinates == kWindowCoordinates) p -= window->geometry().topLeft();
    return p;
}

QVariantList RectReply(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

class DevicePixelRelay : public QDBusVirtualObject {
  public:
    explicit DevicePixelRelay(QDBusVirtualObject* bridge) : m_bridge(bridge) {}

    QString introspect(const QString& path) const override {
        return m_bridge ? m_bridge->introspect(path) : QString();
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (!m_bridge) return false;
        if (message.interface() == kText) return HandleText(message, connection);
        if (message.interface() != kComponent) return m_bridge->handleMessage(message, connection);
        QAccessibleInterface* a = InterfaceAt(message.path());
        if (!a || !a->isValid()) return m_bridge->handleMessage(message, connection);
        const QString& call = message.member();
        const QList<QVariant> args = message.arguments();
        const uint coordinates = args.isEmpty() ? 0 : args.last().toUInt();
        if (call == QLatin1String("GetExtents")) {
            connection.send(message.createReply(QVariant::fromValue(DeviceRect(a, coordinates))));
            return true;
        }
        if (call == QLatin1String("GetPosition")) {
            const QRect r = DeviceRect(a, coordinates);
            connection.send(message.createReply(QVariantList{r.x(), r.y()}));
            return true;
        }
        if (call == QLatin1String("GetSize")) {
            const QRect r = DeviceRect(a, 0);
            connection.send(message.createReply(QVariantList{r.width(), r.height()}));
            return true;
        }
        if (call == QLatin1String("Contains") && args.size() == 3) {
            const bool inside = DeviceRect(a, coordinates).contains(args[0].toInt(), args[1].toInt());
            connection.send(message.createReply(QVariant(inside)));
            return true;
        }
        if (call == QLatin1String("GetAccessibleAtPoint") && args.size() == 3)
            return AskAtLogicalPoint(a, message, connection);
        return m_bridge->handleMessage(message, connection);
    }

  private:
    // Qt finds what is at a point; it is asked in its own pixels.
    bool AskAtLogicalPoint(QAccessibleInterface* a, const QDBusMessage& message,
                           const QDBusConnection& connection) {
        const QList<QVariant> args = message.arguments();
        const uint coordinates = args.last().toUInt();
        const QPoint p = LogicalPoint(a, coordinates, QPoint(args[0].toInt(), args[1].toInt()));
        QDBusMessage asked = message;
        asked.setArguments({p.x(), p.y(), coordinates});
        return m_bridge->handleMessage(asked, connection);
    }

    // Where the characters of a text are (a magnifier follows the caret by them).
    bool HandleText(const QDBusMessage& message, const QDBusConnection& connection) {
        QAccessibleInterface* a = InterfaceAt(message.path());
        QAccessibleTextInterface* text = a && a->isValid() ? a->textInterface() : nullptr;
        if (!text) return m_bridge->handleMessage(message, connection);
        const QString& call = message.member();
        const QList<QVariant> args = message.arguments();
        if (call == QLatin1String("GetCharacterExtents") && args.size() == 2) {
            const QRect r = DeviceRect(a, args[1].toUInt(), text->characterRect(args[0].toInt()));
            connection.send(message.createReply(RectReply(r)));
            return true;
        }
        if (call == QLatin1String("GetRangeExtents") && args.size() == 3) {
            QRect logical;
            for (int i = args[0].toInt(); i < args[1].toInt(); ++i) logical |= text->characterRect(i);
            connection.send(message.createReply(RectReply(DeviceRect(a, args[2].toUInt(), logical))));
            return true;
        }
        if (call == QLatin1String("GetOffsetAtPoint") && args.size() == 3) {
            const uint coordinates = args[2].toUInt();
            QPoint p = LogicalPoint(a, coordinates, QPoint(args[0].toInt(), args[1].toInt()));
            // Qt's text interface takes screen points.
            if (coordinates == kWindowCoordinates)
                if (QWindow* window = WindowOf(a)) p += window->geometry().topLeft();
            connection.send(message.createReply(QVariant(text->offsetAtPoint(p))));
            return true;
        }
        return m_bridge->handleMessage(message, connection);
    }

    QPointer<QDBusVirtualObject> m_bridge;
};

// Puts the relay in front of the bridge once the bridge has registered itself; false while
// it has not (yet).
bool PutRelay() {
    QPlatformIntegration* platform = QGuiApplicationPrivate::platformIntegration();
    auto* spi = platform ? dynamic_cast<QSpiAccessibleBridge*>(platform->accessibility()) : nullptr;
    if (!spi) return false;
    QDBusConnection bus = spi->dBusConnection();
    if (!bus.isConnected()) return false;
    QObject* registered = bus.objectRegisteredAt(kAccessiblePath);
    if (!registered) return false;
    if (dynamic_cast<DevicePixelRelay*>(registered)) return true;
    auto* bridge = qobject_cast<QDBusVirtualObject*>(registered);
    if (!bridge) return false;
    bus.unregisterObject(kAccessiblePath, QDBusConnection::UnregisterTree);
    auto* relay = new DevicePixelRelay(bridge);
    relay->setParent(bridge);
    if (!bus.registerVirtualObject(kAccessiblePath, relay, QDBusConnection::SubPath)) {
        // Qt's own bridge back, as it was.
        bus.registerVirtualObject(kAccessiblePath, bridge, QDBusConnection::SubPath);
        delete relay;
    }
    return true;
}

// Qt's bridge registers itself on the bus around the moment an assistive tool switches
// accessibility on; the relay follows within a few tries. Nothing runs while none is about.
class RelayOnActivation : public QAccessible::ActivationObserver {
  public:
    void accessibilityActiveChanged(bool active) override {
        if (active) TryForAWhile();
    }
    static void TryForAWhile() {
        if (PutRelay()) return;
        auto* timer = new QTimer(qApp);
        timer->setInterval(200);
        auto tries = std::make_shared<int>(0);
        QObject::connect(timer, &QTimer::timeout, timer, [timer, tries] {
            if (PutRelay() || ++*tries >= 50) timer->deleteLater();
        });
        timer->start();
    }
};

}  // namespace

void ReportDevicePixelsToAssistiveTools() {
    if (QGuiApplication::platformName() != QLatin1String("xcb") &&
        QGuiApplication::platformName() != QLatin1String("wayland"))
        return;
    static RelayOnActivation observer;
    QAccessible::installActivationObserver(&observer);
    if (QAccessible::isActive()) RelayOnActivation::TryForAWhile();
}

}  // namespace kd
