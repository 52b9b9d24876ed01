#include "qt/frame_extents.h"

#include <QGuiApplication>
#include <QWindow>

#if defined(IDCHART_HAVE_XCB) && QT_CONFIG(xcb)
#define IDCHART_X11_FRAMES 1
#include <xcb/xcb.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>
#endif

#ifdef IDCHART_X11_FRAMES
namespace {

// A window manager answers in a few milliseconds; a busy one is not waited
// for longer than this, and the frame is then set right after mapping.
constexpr std::chrono::milliseconds kAnswerWait {250};
constexpr std::chrono::milliseconds kPollInterval {2};

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t *c, std::string_view name)
{
    const ReplyPtr<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.data()), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t {XCB_ATOM_NONE};
}

// The 32-bit items of a window property of the given type.
std::vector<uint32_t> Property(xcb_connection_t *c, xcb_window_t window, xcb_atom_t property,
                               xcb_atom_t type)
{
    const ReplyPtr<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->type != type || reply->format != 32)
        return {};
    const auto *items = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {items, items + xcb_get_property_value_length(reply.get()) / 4};
}

// A window manager runs (its check window names itself) and takes the request.
bool ManagerTakesRequest(xcb_connection_t *c, xcb_window_t root, xcb_atom_t request)
{
    const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
    const std::vector<uint32_t> manager = Property(c, root, check, XCB_ATOM_WINDOW);
    if (manager.size() != 1 || Property(c, manager[0], check, XCB_ATOM_WINDOW) != manager)
        return false;
    for (uint32_t atom : Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM))
        if (atom == request)
            return true;
    return false;
}

} // namespace
#endif

std::optional<QMargins> RequestFrameExtents(QWindow &window)
{
#ifdef IDCHART_X11_FRAMES
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return std::nullopt;
    xcb_connection_t *c = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const ReplyPtr<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr), &std::free);
    if (!geometry)
        return std::nullopt;
    const xcb_atom_t request = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = Atom(c, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE
        || !ManagerTakesRequest(c, geometry->root, request))
        return std::nullopt;

    // An answer left from an earlier mapping may be out of date: ask afresh.
    xcb_delete_property(c, id, extents);
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(c, 0, geometry->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);

    const auto deadline = std::chrono::steady_clock::now() + kAnswerWait;
    while (std::chrono::steady_clock::now() < deadline) {
        const std::vector<uint32_t> ltrb = Property(c, id, extents, XCB_ATOM_CARDINAL);
        if (ltrb.size() == 4) {
            // Left, right, top, bottom in device pixels.
            const qreal ratio = window.devicePixelRatio();
            const auto logical = [ratio](uint32_t pixels) {
                return static_cast<int>(std::lround(pixels / ratio));
            };
            return QMargins(logical(ltrb[0]), logical(ltrb[2]), logical(ltrb[1]), logical(ltrb[3]));
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return std::nullopt;
#else
    (void)window;
    return std::nullopt;
#endif
}
