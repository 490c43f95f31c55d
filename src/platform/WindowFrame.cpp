#include "platform/WindowFrame.h"

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

namespace vtg::platform {

namespace {

// The window manager answers at once in practice; this only bounds a manager that
// announces the request but never answers it.
constexpr auto kAnswerWait = std::chrono::milliseconds(100);
constexpr auto kPollStep = std::chrono::microseconds(250);

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  const auto cookie = xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
  const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(reply);
  return a;
}

// Whether the running window manager lists `wanted` among what it supports.
bool managerSupports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t supported, xcb_atom_t wanted) {
  const auto cookie = xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 1024);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
  bool found = false;
  if (reply && reply->format == 32) {
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
    const int count = xcb_get_property_value_length(reply) / 4;
    for (int i = 0; i < count && !found; ++i) found = atoms[i] == wanted;
  }
  std::free(reply);
  return found;
}

// The four numbers of _NET_FRAME_EXTENTS (left, right, top, bottom), once set.
std::optional<QMargins> frameExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents) {
  const auto cookie = xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
  std::optional<QMargins> frame;
  if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
    // A frame thicker than any screen is no frame this program can use.
    if (v[0] < 4096 && v[1] < 4096 && v[2] < 4096 && v[3] < 4096)
      frame = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3]));
  }
  std::free(reply);
  return frame;
}

}  // namespace

std::optional<QMargins> frameBeforeShowing(QWidget& window) {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return std::nullopt;
  const auto native = xcb_window_t(window.winId());
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (!native || !screen) return std::nullopt;

  const xcb_atom_t supported = atom(c, "_NET_SUPPORTED");
  const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
  if (!supported || !request || !extents || !managerSupports(c, screen->root, supported, request))
    return std::nullopt;

  xcb_client_message_event_t message;
  std::memset(&message, 0, sizeof message);
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = native;
  message.type = request;
  xcb_send_event(c, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c);

  const auto until = std::chrono::steady_clock::now() + kAnswerWait;
  for (;;) {
    if (auto frame = frameExtents(c, native, extents)) return frame;
    if (std::chrono::steady_clock::now() >= until) return std::nullopt;
    std::this_thread::sleep_for(kPollStep);
  }
}

}  // namespace vtg::platform
