#pragma once

#include <QMargins>

#include <optional>

class QWindow;

// The title bar and borders a window manager will draw around a top-level
// window, asked for before the window is mapped (the EWMH request
// _NET_REQUEST_FRAME_EXTENTS), in the window's logical pixels. Qt learns a
// window's frame only some time after mapping it; with this answer the client
// area can be sized and placed so that the outer frame comes up where it
// belongs at once. Empty when the platform is not X11, no window manager runs,
// or it does not answer in a short time; a window manager that draws no frame
// answers with zero margins.
std::optional<QMargins> RequestFrameExtents(QWindow &window);
