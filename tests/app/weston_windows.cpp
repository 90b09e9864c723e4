// A weston module for the Wayland test: a test sees the compositor's windows
// the way xdotool shows them on X11. Every 100 ms it writes the titles of the
// mapped toplevel windows, one a line, to $XDG_RUNTIME_DIR/windows, and asks
// the windows titled as the line in $XDG_RUNTIME_DIR/close to close, as their
// close button does, then removes that file.
#include <libweston-desktop/libweston-desktop.h>
#include <libweston/libweston.h>
#include <wayland-server-core.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

constexpr int kPeriodMs = 100;

struct Watch {
  weston_compositor* compositor = nullptr;
  wl_event_source* timer = nullptr;
  std::string dir;
};

int Tick(void* data) {
  auto* watch = static_cast<Watch*>(data);
  std::string close;  // a request is acted on once
  if (std::getline(std::ifstream(watch->dir + "/close"), close))
    std::remove((watch->dir + "/close").c_str());
  const std::string list = watch->dir + "/windows";
  {
    std::ofstream out(list + ".new");
    weston_view* view = nullptr;
    wl_list_for_each(view, &watch->compositor->view_list, link) {
      weston_desktop_surface* window = weston_surface_get_desktop_surface(view->surface);
      const char* title = window ? weston_desktop_surface_get_title(window) : nullptr;
      if (!title || !weston_surface_is_mapped(view->surface)) continue;
      if (close == title) weston_desktop_surface_close(window);
      out << title << '\n';
    }
  }
  std::rename((list + ".new").c_str(), list.c_str());
  wl_event_source_timer_update(watch->timer, kPeriodMs);
  return 0;
}

}  // namespace

extern "C" WL_EXPORT int wet_module_init(weston_compositor* compositor, int*, char**) {
  const char* dir = std::getenv("XDG_RUNTIME_DIR");
  if (!dir) return -1;
  auto* watch = new Watch{compositor, nullptr, dir};  // lives as long as weston
  watch->timer =
      wl_event_loop_add_timer(wl_display_get_event_loop(compositor->wl_display), Tick, watch);
  wl_event_source_timer_update(watch->timer, kPeriodMs);
  return 0;
}
