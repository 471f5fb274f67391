// Starts a program on the X display named by DISPLAY and reports, on one line,
//   <milliseconds from its start to its first painted window> <peak RSS in KiB>
// the peak being read after the program has run a while longer (--settle, 2000 ms by default),
// then ends the program.
//
// Painted means: a top-level window of that process (its _NET_WM_PID names the process, as Qt
// sets it) is viewable, and each of nine rows sampled across it, from its top to its bottom
// row, has a pixel that is not the colour of a window nobody has drawn into yet. Qt creates its
// windows without a background, so until the program draws, the server shows the root window's
// colour there; an empty window of any other single colour counts as painted too. Every row
// must be drawn because a frame may reach the server in bands.
//
// With --maximised the window counts only once the window manager has maximised it: its size
// is the work area less the frame the window manager puts around it (_NET_WORKAREA,
// _NET_FRAME_EXTENTS), so a paint at the size the program first asked for does not count. A
// window manager must be running; the window is then a child of the manager's frame, which is
// why the program's windows are found by their creation on the root and not by their mapping.
//
// Usage: bench_firstpaint [--settle ms] [--timeout ms] [--maximised] program [arguments...]
// Exit status: 0 on success, 1 when the program died or never painted in time, 2 on misuse or
// when --maximised finds no window manager.

#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A window created on the root by some client: the program's own windows are among these, and
// whose they are is known once the program has named its process on them.
struct Candidate
{
    enum class Owner { Unknown, Ours, Other };
    xcb_window_t window;
    Owner owner = Owner::Unknown;
};

struct Atoms
{
    xcb_atom_t pid, workArea, frameExtents, currentDesktop, wmCheck;
};

std::optional<uint32_t> pixelAt(xcb_connection_t *c, xcb_window_t w, int16_t x, int16_t y)
{
    xcb_get_image_reply_t *r = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, x, y, 1, 1, ~0u), nullptr);
    if (!r)
        return std::nullopt;
    uint32_t p = 0;
    if (xcb_get_image_data_length(r) >= 4)
        std::memcpy(&p, xcb_get_image_data(r), 4);
    std::free(r);
    return p & 0xFFFFFFu;
}

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

// The 32-bit values of a property, none when it is absent or of another type.
std::vector<uint32_t> values(xcb_get_property_reply_t *r, xcb_atom_t type)
{
    std::vector<uint32_t> v;
    if (r && r->type == type && r->format == 32) {
        v.resize(static_cast<std::size_t>(xcb_get_property_value_length(r)) / 4);
        std::memcpy(v.data(), xcb_get_property_value(r), v.size() * 4);
    }
    std::free(r);
    return v;
}

std::vector<uint32_t> property(xcb_connection_t *c, xcb_window_t w, xcb_atom_t name,
                               xcb_atom_t type, uint32_t count)
{
    return values(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, count), nullptr), type);
}

// A manager that follows the window manager hints names a window of its own on the root, and
// names that window on itself.
bool windowManagerRunning(xcb_connection_t *c, xcb_window_t root, const Atoms &a)
{
    const std::vector<uint32_t> check = property(c, root, a.wmCheck, XCB_ATOM_WINDOW, 1);
    if (check.empty())
        return false;
    const std::vector<uint32_t> self = property(c, check[0], a.wmCheck, XCB_ATOM_WINDOW, 1);
    return !self.empty() && self[0] == check[0];
}

// Names the process on each window whose owner is not known yet; one round trip for all.
void identify(xcb_connection_t *c, std::vector<Candidate> &candidates, xcb_atom_t pidAtom,
              pid_t pid)
{
    std::vector<xcb_get_property_cookie_t> cookies;
    for (const Candidate &w : candidates)
        if (w.owner == Candidate::Owner::Unknown)
            cookies.push_back(xcb_get_property(c, 0, w.window, pidAtom, XCB_ATOM_CARDINAL, 0, 1));
    std::size_t k = 0;
    for (Candidate &w : candidates) {
        if (w.owner != Candidate::Owner::Unknown)
            continue;
        const std::vector<uint32_t> v =
            values(xcb_get_property_reply(c, cookies[k++], nullptr), XCB_ATOM_CARDINAL);
        if (!v.empty())
            w.owner =
                static_cast<pid_t>(v[0]) == pid ? Candidate::Owner::Ours : Candidate::Owner::Other;
    }
}

// The window's size, when it is viewable and, if it must be maximised, is.
std::optional<std::pair<uint16_t, uint16_t>>
shownSize(xcb_connection_t *c, xcb_window_t root, xcb_window_t w, const Atoms &a, bool maximised)
{
    const xcb_get_window_attributes_cookie_t attributes = xcb_get_window_attributes(c, w);
    const xcb_get_geometry_cookie_t geometry = xcb_get_geometry(c, w);
    const xcb_get_property_cookie_t extents =
        xcb_get_property(c, 0, w, a.frameExtents, XCB_ATOM_CARDINAL, 0, 4);
    const xcb_get_property_cookie_t desktop =
        xcb_get_property(c, 0, root, a.currentDesktop, XCB_ATOM_CARDINAL, 0, 1);
    const xcb_get_property_cookie_t area =
        xcb_get_property(c, 0, root, a.workArea, XCB_ATOM_CARDINAL, 0, 4 * 64);

    xcb_get_window_attributes_reply_t *ar = xcb_get_window_attributes_reply(c, attributes, nullptr);
    const bool viewable = ar && ar->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(ar);
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, geometry, nullptr);
    std::optional<std::pair<uint16_t, uint16_t>> size;
    if (g)
        size.emplace(g->width, g->height);
    std::free(g);
    const std::vector<uint32_t> frame =
        values(xcb_get_property_reply(c, extents, nullptr), XCB_ATOM_CARDINAL);
    const std::vector<uint32_t> current =
        values(xcb_get_property_reply(c, desktop, nullptr), XCB_ATOM_CARDINAL);
    const std::vector<uint32_t> areas =
        values(xcb_get_property_reply(c, area, nullptr), XCB_ATOM_CARDINAL);

    if (!viewable || !size)
        return std::nullopt;
    if (!maximised)
        return size;
    // _NET_WORKAREA holds x, y, width, height for each desktop; _NET_FRAME_EXTENTS holds the
    // frame's left, right, top and bottom.
    const std::size_t d = current.empty() ? 0 : current[0];
    if (frame.size() < 4 || areas.size() < 4 * (d + 1))
        return std::nullopt;
    const long width = static_cast<long>(areas[4 * d + 2]) - frame[0] - frame[1];
    const long height = static_cast<long>(areas[4 * d + 3]) - frame[2] - frame[3];
    if (size->first != width || size->second != height)
        return std::nullopt;
    return size;
}

// Nine full-width rows from the top to the bottom of the window, each of which must hold a
// drawn pixel. Asked for one at a time, so that a window not drawn yet costs one row.
bool painted(xcb_connection_t *c, xcb_window_t w, std::pair<uint16_t, uint16_t> size,
             uint32_t unpainted)
{
    const auto [width, height] = size;
    constexpr int rows = 9;
    for (int k = 0; k < rows; ++k) {
        const int y = k + 1 < rows ? height * k / (rows - 1) : height - 1;
        xcb_get_image_reply_t *r =
            xcb_get_image_reply(c,
                                xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0,
                                              static_cast<int16_t>(y), width, 1, ~0u),
                                nullptr);
        if (!r)
            return false;
        const uint8_t *data = xcb_get_image_data(r);
        const int length = xcb_get_image_data_length(r);
        bool drawn = false;
        for (int i = 0; !drawn && i + 4 <= length; i += 4) {
            uint32_t p;
            std::memcpy(&p, data + i, 4);
            drawn = (p & 0xFFFFFFu) != unpainted;
        }
        std::free(r);
        if (!drawn)
            return false;
    }
    return true;
}

long peakRssKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

bool alive(pid_t pid)
{
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

void finish(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200 && alive(pid); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (alive(pid)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    long settleMs = 2000, timeoutMs = 20000;
    bool maximised = false;
    int first = 1;
    for (; first < argc && argv[first][0] == '-'; ++first) {
        if (std::strcmp(argv[first], "--maximised") == 0)
            maximised = true;
        else if (std::strcmp(argv[first], "--settle") == 0 && first + 1 < argc)
            settleMs = std::strtol(argv[++first], nullptr, 10);
        else if (std::strcmp(argv[first], "--timeout") == 0 && first + 1 < argc)
            timeoutMs = std::strtol(argv[++first], nullptr, 10);
        else
            break;
    }
    if (first >= argc || argv[first][0] == '-') {
        std::fprintf(stderr,
                     "usage: %s [--settle ms] [--timeout ms] [--maximised] program [args...]\n",
                     argv[0]);
        return 2;
    }

    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "firstpaint: cannot open the display\n");
        return 2;
    }
    fcntl(xcb_get_file_descriptor(c), F_SETFD, FD_CLOEXEC);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    const Atoms atoms{atom(c, "_NET_WM_PID"), atom(c, "_NET_WORKAREA"),
                      atom(c, "_NET_FRAME_EXTENTS"), atom(c, "_NET_CURRENT_DESKTOP"),
                      atom(c, "_NET_SUPPORTING_WM_CHECK")};

    if (maximised) {
        // The manager may still be starting; this wait is not part of the measure.
        const Clock::time_point giveUp = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!windowManagerRunning(c, root, atoms) && Clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!windowManagerRunning(c, root, atoms)) {
            std::fprintf(stderr, "firstpaint: --maximised needs a window manager running\n");
            return 2;
        }
    }

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const std::optional<uint32_t> unpainted = pixelAt(c, root, 0, 0);
    if (!unpainted) {
        std::fprintf(stderr, "firstpaint: cannot read the root window\n");
        return 2;
    }
    xcb_flush(c);

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[first], argv + first);
        std::perror("firstpaint: exec");
        _exit(127);
    }
    if (pid < 0) {
        std::perror("firstpaint: fork");
        return 2;
    }

    std::vector<Candidate> created;
    std::optional<Clock::time_point> shown;
    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    while (!shown && Clock::now() < deadline) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7F) == XCB_CREATE_NOTIFY) {
                const auto *n = reinterpret_cast<xcb_create_notify_event_t *>(e);
                if (n->parent == root && !n->override_redirect)
                    created.push_back({n->window});
            }
            std::free(e);
        }
        identify(c, created, atoms.pid, pid);
        for (const Candidate &w : created) {
            if (w.owner != Candidate::Owner::Ours)
                continue;
            const auto size = shownSize(c, root, w.window, atoms, maximised);
            if (size && painted(c, w.window, *size, *unpainted)) {
                shown = Clock::now();
                break;
            }
        }
        if (!shown) {
            if (!alive(pid)) {
                std::fprintf(stderr, "firstpaint: %s ended before painting\n", argv[first]);
                return 1;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    }
    if (!shown) {
        std::fprintf(stderr, "firstpaint: %s painted no%s window in %ld ms\n", argv[first],
                     maximised ? " maximised" : "", timeoutMs);
        finish(pid);
        return 1;
    }

    const Clock::time_point settled = *shown + std::chrono::milliseconds(settleMs);
    while (Clock::now() < settled && alive(pid))
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const long rss = peakRssKib(pid);
    finish(pid);
    xcb_disconnect(c);
    if (rss < 0) {
        std::fprintf(stderr, "firstpaint: %s ended while settling\n", argv[first]);
        return 1;
    }
    const double ms = std::chrono::duration<double, std::milli>(*shown - start).count();
    std::printf("%.2f %ld\n", ms, rss);
    return 0;
}
