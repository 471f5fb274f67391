// Starts a program on the X display named by DISPLAY and reports, on one line,
//   <milliseconds from its start to its first painted window> <peak RSS in KiB>
// the peak being read after the program has run a while longer (--settle, 2000 ms by default),
// then ends the program.
//
// Painted means: a top-level window of that process is mapped, and the pixels sampled across it
// are no longer all the colour of a window nobody has drawn into yet. Qt creates its windows
// without a background, so until the program draws, the server shows the root window's colour
// there; an empty window of any other single colour counts as painted too.
//
// Usage: bench_firstpaint [--settle ms] [--timeout ms] program [arguments...]
// Exit status: 0 on success, 1 when the program died or never painted in time, 2 on misuse.

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

struct Candidate
{
    xcb_window_t window;
    bool ours; // _NET_WM_PID names the process we started, or is absent
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
        c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

bool belongsTo(xcb_connection_t *c, xcb_window_t w, xcb_atom_t pidAtom, pid_t pid)
{
    if (pidAtom == xcb_atom_t{XCB_ATOM_NONE})
        return true;
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    bool ours = true;
    if (r && xcb_get_property_value_length(r) >= 4) {
        uint32_t value = 0;
        std::memcpy(&value, xcb_get_property_value(r), 4);
        ours = static_cast<pid_t>(value) == pid;
    }
    std::free(r);
    return ours;
}

// Three full-width rows across the window: one round trip each, and enough to tell a drawn
// window from an undrawn one.
bool painted(xcb_connection_t *c, xcb_window_t w, uint32_t unpainted)
{
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (!g)
        return false;
    const uint16_t width = g->width, height = g->height;
    std::free(g);
    xcb_get_image_cookie_t rows[3];
    for (int k = 0; k < 3; ++k)
        rows[k] = xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, w, 0,
                                static_cast<int16_t>(height * (k + 1) / 4), width, 1, ~0u);
    bool drawn = false;
    for (xcb_get_image_cookie_t cookie : rows) {
        xcb_get_image_reply_t *r = xcb_get_image_reply(c, cookie, nullptr);
        if (!r)
            continue;
        const uint8_t *data = xcb_get_image_data(r);
        const int length = xcb_get_image_data_length(r);
        for (int i = 0; !drawn && i + 4 <= length; i += 4) {
            uint32_t p;
            std::memcpy(&p, data + i, 4);
            drawn = (p & 0xFFFFFFu) != unpainted;
        }
        std::free(r);
    }
    return drawn;
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
    int first = 1;
    for (; first + 1 < argc && argv[first][0] == '-'; first += 2) {
        if (std::strcmp(argv[first], "--settle") == 0)
            settleMs = std::strtol(argv[first + 1], nullptr, 10);
        else if (std::strcmp(argv[first], "--timeout") == 0)
            timeoutMs = std::strtol(argv[first + 1], nullptr, 10);
        else
            break;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: %s [--settle ms] [--timeout ms] program [args...]\n", argv[0]);
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
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");
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

    std::vector<Candidate> mapped;
    std::optional<Clock::time_point> shown;
    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMs);
    while (!shown && Clock::now() < deadline) {
        while (xcb_generic_event_t *e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY) {
                const auto *m = reinterpret_cast<xcb_map_notify_event_t *>(e);
                if (m->event == root)
                    mapped.push_back({m->window, belongsTo(c, m->window, pidAtom, pid)});
            }
            std::free(e);
        }
        for (const Candidate &w : mapped)
            if (w.ours && painted(c, w.window, *unpainted)) {
                shown = Clock::now();
                break;
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
        std::fprintf(stderr, "firstpaint: %s painted nothing in %ld ms\n", argv[first], timeoutMs);
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
