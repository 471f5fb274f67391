#pragma once

#include <QMargins>

#include <optional>

class QWindow;

// The frame the window manager puts around a maximised window, asked for before the window is
// mapped: the window sends the manager a _NET_REQUEST_FRAME_EXTENTS message, and the manager
// writes the frame's four widths in the window's _NET_FRAME_EXTENTS property. A maximised screen
// then lays itself out, and loads its faces, at the size it is going to get, while the manager
// maps it. Only under X11, and only from a manager that answers: otherwise nothing is
// asked and nothing is known.

// Asks, for a window made but not yet shown, the frame it will have once maximised.
void chiediCornice(QWindow &finestra);
// The manager's answer, when it has given one.
std::optional<QMargins> cornice(const QWindow &finestra);
