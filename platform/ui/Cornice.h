#pragma once

#include <QMargins>

#include <optional>

class QWindow;

// The frame the window manager puts around a maximised window, asked for before the window is
// mapped (_NET_REQUEST_FRAME_EXTENTS, in the window managers' common specification). A maximised
// screen then lays itself out, and loads its faces, at the size it is going to get, while the
// manager maps it. Only under X11, and only from a manager that answers: otherwise nothing is
// asked and nothing is known.

// Asks, for a window made but not yet shown, the frame it will have once maximised.
void chiediCornice(QWindow &finestra);
// The manager's answer, when it has given one.
std::optional<QMargins> cornice(const QWindow &finestra);
