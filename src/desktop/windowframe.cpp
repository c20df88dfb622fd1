// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowframe.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#ifdef TAKTLOGIN_HAVE_XCB
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#endif

namespace {

#ifdef TAKTLOGIN_HAVE_XCB
xcb_connection_t *x11Connection()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

// The CARDINAL or ATOM list of a window property, or nothing.
std::vector<std::uint32_t> property32(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t name,
                                      xcb_atom_t type)
{
    const auto cookie = xcb_get_property(connection, 0, window, name, type, 0, 1024);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::vector<std::uint32_t> values;
    if (reply && reply->format == 32 && reply->type == type) {
        const auto *data = static_cast<const std::uint32_t *>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

xcb_window_t rootOf(xcb_connection_t *connection)
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen ? screen->root : xcb_window_t{XCB_WINDOW_NONE};
}

std::optional<QMargins> requestedFrameExtents(QWidget *window)
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return std::nullopt;
    const xcb_window_t root = rootOf(connection);
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const std::vector<std::uint32_t> supported =
        property32(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (request == XCB_ATOM_NONE || std::find(supported.begin(), supported.end(), request) == supported.end())
        return std::nullopt;

    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);

    // The window manager answers by setting the property on the unmapped window.
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 250) {
        const std::vector<std::uint32_t> frame = property32(connection, id, extents, XCB_ATOM_CARDINAL);
        if (frame.size() == 4)
            return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]),
                            static_cast<int>(frame[1]), static_cast<int>(frame[3]));
        QThread::msleep(2);
    }
    return std::nullopt;
}

class DestroyWatch final : public QAbstractNativeEventFilter
{
public:
    explicit DestroyWatch(xcb_window_t window) : m_window(window) {}

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
            return false;
        if (reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window != m_window)
            return false;
        // The window no longer exists; leave at once rather than let Qt work on a dead window.
        QCoreApplication::exit(0);
        return true;
    }

private:
    xcb_window_t m_window;
};
#endif

class FrameWatch final : public QObject
{
public:
    explicit FrameWatch(QWidget *window) : QObject(window), m_window(window) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Expose)
            return false;
        const QMargins margins = static_cast<QWindow *>(watched)->frameMargins();
        if (margins == m_margins)
            return false;
        m_margins = margins;
        // After the platform has made its new buffer: painting now would go into the old one.
        QTimer::singleShot(0, m_window, [window = m_window] {
            const QList<QWidget *> controls = window->findChildren<QWidget *>();
            for (QWidget *control : controls)
                control->update();
            window->update();
        });
        return false;
    }

private:
    QWidget *m_window;
    QMargins m_margins;
};

} // namespace

QMarginsF WindowFrame::expectedMargins(QWidget *window)
{
    window->winId();
#ifdef TAKTLOGIN_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb") && !window->isVisible()) {
        if (const auto extents = requestedFrameExtents(window)) {
            // The window manager counts device pixels; the window is placed in scaled ones.
            const qreal ratio = window->windowHandle() ? window->windowHandle()->devicePixelRatio() : 1.0;
            return ratio > 0 ? QMarginsF(*extents) / ratio : QMarginsF(*extents);
        }
    }
#endif
    return window->windowHandle() ? QMarginsF(window->windowHandle()->frameMargins()) : QMarginsF();
}

void WindowFrame::repaintWhenFrameChanges(QWidget *window)
{
    window->winId();
    if (QWindow *handle = window->windowHandle())
        handle->installEventFilter(new FrameWatch(window));
}

void WindowFrame::quitWhenDestroyedOutside(QWidget *window)
{
#ifdef TAKTLOGIN_HAVE_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto *watch = new DestroyWatch(static_cast<xcb_window_t>(window->winId()));
    QCoreApplication::instance()->installNativeEventFilter(watch);
    QObject::connect(window, &QObject::destroyed, QCoreApplication::instance(), [watch] {
        QCoreApplication::instance()->removeNativeEventFilter(watch);
        delete watch;
    });
#else
    Q_UNUSED(window);
#endif
}
