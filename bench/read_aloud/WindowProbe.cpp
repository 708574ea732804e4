// How long a window leaves a freshly uncovered spot unpainted: a measure of
// how long its event thread is away. For the given seconds it repeatedly
// covers a few pixels of the window with a red window of its own, uncovers
// them, and reads one of them back from the screen until the window has
// painted it again. Prints the longest and the median wait in ms and the
// number of tries.
//   bench_window_probe WINDOW X Y SECONDS

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Free {
    void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T>
using Owned = std::unique_ptr<T, Free>;

constexpr uint32_t kRed = 0xff0000;
constexpr int kSide = 6;

class Probe {
public:
    Probe(xcb_window_t target, int x, int y)
    {
        int screenNumber = 0;
        connection_ = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection_))
            fail("no X display");
        screen_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        Owned<xcb_translate_coordinates_reply_t> where{
            xcb_translate_coordinates_reply(connection_,
                                            xcb_translate_coordinates(connection_, target, screen_->root,
                                                                      static_cast<int16_t>(x), static_cast<int16_t>(y)),
                                            nullptr)};
        if (!where)
            fail("no such window");
        x_ = where->dst_x;
        y_ = where->dst_y;
        cover_ = xcb_generate_id(connection_);
        const uint32_t values[] = {kRed, 1};
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, cover_, screen_->root, static_cast<int16_t>(x_),
                          static_cast<int16_t>(y_), kSide, kSide, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          screen_->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    }
    ~Probe() { xcb_disconnect(connection_); }

    // One cover and uncover; the wait until the spot is repainted, or -1
    // when the cover never showed.
    double once(Clock::time_point giveUp)
    {
        xcb_map_window(connection_, cover_);
        if (pixel() != kRed) {
            xcb_unmap_window(connection_, cover_);
            return -1;
        }
        xcb_unmap_window(connection_, cover_);
        const Clock::time_point uncovered = Clock::now();
        while (pixel() == kRed && Clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return std::chrono::duration<double, std::milli>(Clock::now() - uncovered).count();
    }

private:
    [[noreturn]] static void fail(const char* why)
    {
        std::fprintf(stderr, "bench_window_probe: %s\n", why);
        std::exit(1);
    }

    // The colour of the middle of the spot, as the screen shows it now.
    uint32_t pixel()
    {
        Owned<xcb_get_image_reply_t> image{xcb_get_image_reply(
            connection_,
            xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root, static_cast<int16_t>(x_ + kSide / 2),
                          static_cast<int16_t>(y_ + kSide / 2), 1, 1, ~0u),
            nullptr)};
        if (!image || xcb_get_image_data_length(image.get()) < 4)
            fail("cannot read the screen");
        uint32_t value = 0;
        std::memcpy(&value, xcb_get_image_data(image.get()), sizeof value);
        return value & 0xffffff;
    }

    xcb_connection_t* connection_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    xcb_window_t cover_ = 0;
    int x_ = 0, y_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fputs("usage: bench_window_probe WINDOW X Y SECONDS\n", stderr);
        return 2;
    }
    Probe probe(static_cast<xcb_window_t>(std::strtoul(argv[1], nullptr, 0)), std::atoi(argv[2]), std::atoi(argv[3]));
    const Clock::time_point end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(std::atof(argv[4])));
    std::vector<double> waits;
    while (Clock::now() < end) {
        const double wait = probe.once(end + std::chrono::seconds(20));
        if (wait >= 0)
            waits.push_back(wait);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (waits.empty()) {
        std::fputs("bench_window_probe: the cover never showed\n", stderr);
        return 1;
    }
    std::sort(waits.begin(), waits.end());
    std::printf("%.1f %.1f %zu\n", waits.back(), waits[waits.size() / 2], waits.size());
    return 0;
}
