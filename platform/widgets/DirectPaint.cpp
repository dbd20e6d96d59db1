#include "platform/widgets/DirectPaint.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <cmath>

#if defined(KD_DIRECT_X11)
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace kd {

namespace {

#if defined(KD_DIRECT_X11)
xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Whether the window's pixels are 32-bit words 0x..RRGGBB in this machine's byte order, as in
// a QImage of Format_RGB32: the usual TrueColor visual of depth 24 (or 32). Sets its depth.
bool TakesRgb32(xcb_connection_t* c, xcb_window_t window, quint8* depth) {
    Reply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr),
                                             &std::free);
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr), &std::free);
    if (!geometry || !attributes) return false;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const auto hostOrder =
        Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != hostOrder) return false;

    bool words = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == geometry->depth) words = f.data->bits_per_pixel == 32;
    if (!words) return false;

    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == attributes->visual) {
                    *depth = geometry->depth;
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR && v.data->red_mask == 0xff0000 &&
                           v.data->green_mask == 0xff00 && v.data->blue_mask == 0xff;
                }
    return false;
}
#endif

}  // namespace

DirectPaint::DirectPaint(QWidget* widget) : QObject(widget), m_widget(widget) {}

DirectPaint::~DirectPaint() {
    ForgetGc();
}

void DirectPaint::ForgetGc() {
#if defined(KD_DIRECT_X11)
    if (m_gc)
        if (xcb_connection_t* c = Connection()) xcb_free_gc(c, m_gc);
#endif
    m_gc = 0;
}

bool DirectPaint::Covered(const QWidget* widget) {
    for (const QWidget* w = widget; !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        if (!parent) return true;
        if (!parent->rect().contains(w->geometry())) return true;  // partly clipped
        // Later children are drawn over earlier ones.
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            if (!siblings[i]->isWidgetType()) continue;
            const auto* s = static_cast<const QWidget*>(siblings[i]);
            if (!s->isWindow() && s->isVisible() && s->geometry().intersects(w->geometry())) return true;
        }
    }
    return false;
}

bool DirectPaint::Place(Placement* place) const {
    if (!m_widget->isVisible() || Covered(m_widget)) return false;
    QWidget* top = m_widget->window();
    const QPoint inTop = m_widget->mapTo(top, QPoint());
    const QTransform toHost = QTransform::fromTranslate(inTop.x(), inTop.y());
    place->host = top;
    const qreal dpr = place->host->devicePixelRatioF();
    const QTransform device = toHost * QTransform::fromScale(dpr, dpr);
    // Only whole pixels at a whole scale meet the pixels Qt would paint.
    const auto whole = [](qreal v) { return std::abs(v - std::round(v)) < 1e-6; };
    if (device.type() > QTransform::TxScale || device.m11() != device.m22() || device.m11() < 1 ||
        !whole(device.m11()) || !whole(device.dx()) || !whole(device.dy()))
        return false;
    const int scale = int(std::round(device.m11()));
    place->pixels = QRect(int(std::round(device.dx())), int(std::round(device.dy())),
                          m_widget->width() * scale, m_widget->height() * scale);
    place->dpr = dpr;
    const QRect room(QPoint(), place->host->size() * dpr);
    return !place->pixels.isEmpty() && room.contains(place->pixels);
}

void DirectPaint::Watch(QWindow* window) {
    if (m_watched == window) return;
    if (m_watched) m_watched->removeEventFilter(this);
    m_watched = window;
    window->installEventFilter(this);
}

bool DirectPaint::eventFilter(QObject*, QEvent* event) {
    // The backing store still holds what was there before the direct puts; have the widget
    // painted into it before Qt shows the exposed part.
    if (event->type() == QEvent::Expose) m_widget->update();
    return false;
}

bool DirectPaint::Put(const std::function<void(QPainter&)>& draw) {
#if defined(KD_DIRECT_X11)
    Placement place;
    if (!Place(&place)) return false;
    QWindow* handle = place.host->windowHandle();
    if (!handle || !handle->isExposed()) return false;
    const auto window = xcb_window_t(place.host->internalWinId());
    if (!window) return false;
    if (window != m_window) {
        xcb_connection_t* c = Connection();
        if (!c) return false;
        quint8 depth = 0;
        m_connection = c;
        m_window = window;
        m_windowOk = TakesRgb32(c, window, &depth);
        if (depth != m_depth) ForgetGc();  // a GC serves drawables of one depth
        m_depth = depth;
        m_maxBytes = quint64(xcb_get_maximum_request_length(c)) * 4;
        Watch(handle);
    }
    if (!m_windowOk) return false;
    auto* c = static_cast<xcb_connection_t*>(m_connection);

    const QSize size = place.pixels.size();
    if (m_image.size() != size) m_image = QImage(size, QImage::Format_RGB32);
    const quint64 bytes = quint64(m_image.sizeInBytes());
    if (bytes + 32 > m_maxBytes) return false;
    m_image.setDevicePixelRatio(place.dpr);
    {
        QPainter p(&m_image);
        p.setRenderHints(place.hints);
        draw(p);
    }

    if (!m_gc) {
        m_gc = xcb_generate_id(c);
        xcb_create_gc(c, m_gc, window, 0, nullptr);
    }
    xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, m_gc, quint16(size.width()), quint16(size.height()),
                  qint16(place.pixels.x()), qint16(place.pixels.y()), 0, m_depth, quint32(bytes),
                  m_image.constBits());
    xcb_flush(c);
    return true;
#else
    Q_UNUSED(draw);
    return false;
#endif
}

}  // namespace kd
