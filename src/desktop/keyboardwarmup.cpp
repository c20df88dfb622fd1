// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keyboardwarmup.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#ifdef TAKTLOGIN_HAVE_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

KeyboardWarmUp::KeyboardWarmUp(QWidget *window) : QObject(window)
{
}

void KeyboardWarmUp::prepareOnFirstActivation(QWidget *window)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    window->installEventFilter(new KeyboardWarmUp(window));
}

bool KeyboardWarmUp::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        auto *window = static_cast<QWidget *>(watched);
        window->removeEventFilter(this);
        tapShift(window);
        deleteLater();
    }
    return false;
}

void KeyboardWarmUp::tapShift(QWidget *window)
{
#ifdef TAKTLOGIN_HAVE_XCB
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const xcb_screen_t *screen = xcb_setup_roots_iterator(setup).data;
    if (!screen)
        return;

    // The key code of Shift_L in the current keyboard map.
    constexpr xcb_keysym_t ShiftL = 0xffe1;
    const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    const auto cookie = xcb_get_keyboard_mapping(connection, setup->min_keycode, count);
    xcb_get_keyboard_mapping_reply_t *mapping = xcb_get_keyboard_mapping_reply(connection, cookie, nullptr);
    if (!mapping)
        return;
    const xcb_keysym_t *symbols = xcb_get_keyboard_mapping_keysyms(mapping);
    const int perCode = mapping->keysyms_per_keycode;
    xcb_keycode_t shift = 0;
    for (int i = 0; i < xcb_get_keyboard_mapping_keysyms_length(mapping) && shift == 0; ++i) {
        if (symbols[i] == ShiftL)
            shift = static_cast<xcb_keycode_t>(setup->min_keycode + i / perCode);
    }
    std::free(mapping);
    if (shift == 0)
        return;

    const auto id = static_cast<xcb_window_t>(window->winId());
    for (const std::uint8_t type : {std::uint8_t(XCB_KEY_PRESS), std::uint8_t(XCB_KEY_RELEASE)}) {
        xcb_key_press_event_t key{};
        key.response_type = type;
        key.detail = shift;
        key.time = XCB_CURRENT_TIME;
        key.root = screen->root;
        key.event = id;
        key.child = XCB_WINDOW_NONE;
        key.same_screen = 1;
        xcb_send_event(connection, 0, id,
                       type == XCB_KEY_PRESS ? XCB_EVENT_MASK_KEY_PRESS : XCB_EVENT_MASK_KEY_RELEASE,
                       reinterpret_cast<const char *>(&key));
    }
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
