#include "hosts/window_host.h"

#include <SDL.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "hosts/window_keys.h"

// Last: Xlib's macros (None, Status, Bool ...) would clash with names above.
#include <X11/Xlib.h>

namespace hosts {

namespace {

constexpr Uint32 flash_milliseconds = 120;
// Room for a title bar and frame when choosing the first scale.
constexpr int decoration_allowance = 64;

std::string sdl_problem(const char* what) { return std::string(what) + ": " + SDL_GetError(); }

void make_nonblocking(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

// How long the program waits, once the display is gone, for the dialogue to
// write its report before it ends all the same.
constexpr auto report_deadline = std::chrono::seconds(10);
constexpr int hang_up_status = 128 + SIGHUP;

// Xlib's fatal I/O error handler has no room for user data.
window_host* host_of_display = nullptr;

// Xlib ends the process when this returns: it must not.
int on_lost_display(Display*) {
  if (host_of_display != nullptr) host_of_display->end_after_lost_display();
  std::_Exit(hang_up_status);
}

Uint32 argb_of(const rgb& colour) {
  return 0xFF000000u | (Uint32{colour.red} << 16) | (Uint32{colour.green} << 8) | colour.blue;
}

}  // namespace

window_host::window_host(const cp437_glyphs& glyphs, textio::key_queue& keys)
    : glyphs_(glyphs), keys_(keys) {
  if (::pipe(wake_pipe_) == 0) {
    make_nonblocking(wake_pipe_[0]);
    make_nonblocking(wake_pipe_[1]);
  } else {
    wake_pipe_[0] = wake_pipe_[1] = -1;
  }
}

window_host::~window_host() {
  shut_window();
  for (int& fd : wake_pipe_) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

std::optional<std::string> window_host::open_window(const std::string& title) {
  // The end signals are ours (the report must be written), the screensaver
  // is the desktop's, and the close button must not end SDL's event flow.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return sdl_problem("cannot open a window");
  request_event_ = SDL_RegisterEvents(1);

  int scale = 1;
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    scale = initial_scale(usable.w, usable.h - decoration_allowance);
  }
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             picture_width * scale, picture_height * scale, SDL_WINDOW_RESIZABLE);
  if (window_ == nullptr) {
    const std::string problem = sdl_problem("cannot open a window");
    shut_window();
    return problem;
  }
  SDL_SetWindowMinimumSize(window_, picture_width, picture_height);
  renderer_ = SDL_CreateRenderer(window_, -1, 0);
  if (renderer_ == nullptr) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  if (renderer_ != nullptr) {
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 picture_width, picture_height);
  }
  if (texture_ == nullptr) {
    const std::string problem = sdl_problem("cannot draw in the window");
    shut_window();
    return problem;
  }
  SDL_StartTextInput();
  // Without this, a display that goes away (the X server ends, the session
  // is killed) would end the program at once and lose the report.
  if (const char* driver = SDL_GetCurrentVideoDriver(); driver != nullptr && std::strcmp(driver, "x11") == 0) {
    host_of_display = this;
    XSetIOErrorHandler(on_lost_display);
  }
  image_ = rasterise(cell_picture::of(textio::screen{}), glyphs_);
  present(false);
  return std::nullopt;
}

void window_host::shut_window() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
  if (window_ != nullptr) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  if (request_event_ != 0) SDL_Quit();
  request_event_ = 0;
}

void window_host::run_events() {
  bool flashing = false;
  Uint64 flash_ends = 0;
  bool swallow_text = false;  // the text of a key already given as a combination
  for (;;) {
    SDL_Event event;
    int got = 0;
    if (flashing) {
      const Uint64 now = SDL_GetTicks64();
      got = now < flash_ends ? SDL_WaitEventTimeout(&event, static_cast<int>(flash_ends - now)) : 0;
      if (got == 0 && SDL_GetTicks64() >= flash_ends) {
        flashing = false;
        present(false);
        continue;
      }
    } else {
      got = SDL_WaitEvent(&event);
    }
    if (got == 0) {
      SDL_Delay(10);  // an error of the event queue: do not spin on it
      continue;
    }

    switch (event.type) {
      case SDL_KEYDOWN: {
        const SDL_Keysym& key = event.key.keysym;
        const auto code = key_of_sdl_key(key.sym, key.scancode, key.mod);
        swallow_text = code && text_follows_combination(key.mod);
        if (code) deliver(*code);
        break;
      }
      case SDL_TEXTINPUT:
        if (swallow_text) {
          swallow_text = false;
          break;
        }
        for (const textio::key_code code : keys_of_sdl_text(event.text.text)) deliver(code);
        break;
      case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
          deliver(textio::key_code::special(textio::scan::close_button));
        } else {
          present(flashing);  // exposed, resized, shown: draw again
        }
        break;
      default:
        if (event.type != request_event_) break;
        switch (static_cast<request>(event.user.code)) {
          case request::repaint:
            take_new_picture();
            present(flashing);
            break;
          case request::flash:
            flashing = true;
            flash_ends = SDL_GetTicks64() + flash_milliseconds;
            present(true);
            break;
          case request::finish:
            shut_window();
            return;
        }
        break;
    }
  }
}

void window_host::take_new_picture() {
  cell_picture newest;
  {
    const std::lock_guard hold(picture_lock_);
    newest = latest_;
    repaint_sent_ = false;
  }
  if (shown_ && *shown_ == newest) return;
  shown_ = newest;
  image_ = rasterise(newest, glyphs_);
}

void window_host::present(bool inverted) {
  if (renderer_ == nullptr || texture_ == nullptr) return;
  const Uint32 background = argb_of(window_palette[inverted ? 1 : 0]);
  const Uint32 foreground = argb_of(window_palette[inverted ? 0 : 1]);
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) == 0) {
    for (int y = 0; y < picture_height; ++y) {
      auto* line = reinterpret_cast<Uint32*>(static_cast<unsigned char*>(pixels) +
                                             static_cast<std::ptrdiff_t>(y) * pitch);
      const std::uint8_t* source = image_.data() + static_cast<std::ptrdiff_t>(y) * picture_width;
      for (int x = 0; x < picture_width; ++x) line[x] = source[x] ? foreground : background;
    }
    SDL_UnlockTexture(texture_);
  }
  int width = 0;
  int height = 0;
  SDL_GetRendererOutputSize(renderer_, &width, &height);
  const placement where = place_picture(width, height);
  const SDL_Rect target{where.x, where.y, picture_width * where.scale, picture_height * where.scale};
  SDL_SetRenderDrawColor(renderer_, static_cast<Uint8>(background >> 16), static_cast<Uint8>(background >> 8),
                         static_cast<Uint8>(background), 0xFF);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, &target);
  SDL_RenderPresent(renderer_);
}

void window_host::send(request what) {
  SDL_Event event{};
  event.type = request_event_;
  event.user.code = static_cast<Sint32>(what);
  SDL_PushEvent(&event);
}

void window_host::deliver(textio::key_code key) {
  keys_.push(key);
  if (wake_pipe_[1] >= 0) {
    const char wake = 1;
    [[maybe_unused]] const auto written = ::write(wake_pipe_[1], &wake, 1);
  }
}

std::optional<int> window_host::wait_for_keys(textio::key_queue&, std::chrono::milliseconds) {
  if (const auto n = signals_.caught()) return 128 + *n;
  if (display_lost_) return hang_up_status;
  pollfd fds[2] = {{wake_pipe_[0], POLLIN, 0}, {signals_.fd(), POLLIN, 0}};
  ::poll(fds, 2, -1);  // a key, a signal, or EINTR
  char drained[64];
  while (wake_pipe_[0] >= 0 && ::read(wake_pipe_[0], drained, sizeof drained) > 0) {
  }
  if (const auto n = signals_.caught()) return 128 + *n;
  if (display_lost_) return hang_up_status;
  return std::nullopt;
}

void window_host::paint(const textio::screen& cells) {
  if (closing_) return;
  const cell_picture shot = cell_picture::of(cells);
  {
    const std::lock_guard hold(picture_lock_);
    latest_ = shot;
    if (repaint_sent_) return;  // the event thread has not taken the last one yet
    repaint_sent_ = true;
  }
  send(request::repaint);
}

void window_host::beep() {
  if (!closing_) send(request::flash);
}

void window_host::close() {
  if (!closing_.exchange(true) && !display_lost_) send(request::finish);
}

void window_host::finish(int status) {
  close();
  const std::lock_guard hold(finish_lock_);
  finish_status_ = status;
  finished_.notify_all();
}

void window_host::end_after_lost_display() {
  std::fputs("vollfarbe: the connection to the display was lost\n", stderr);
  display_lost_ = true;
  if (wake_pipe_[1] >= 0) {
    const char wake = 1;
    [[maybe_unused]] const auto written = ::write(wake_pipe_[1], &wake, 1);
  }
  std::unique_lock hold(finish_lock_);
  finished_.wait_for(hold, report_deadline, [this] { return finish_status_.has_value(); });
  std::_Exit(finish_status_.value_or(hang_up_status));
}

}  // namespace hosts

extern "C" hosts::window_session* vollfarbe_window_session_v1(const hosts::cp437_glyphs& glyphs,
                                                              textio::key_queue& keys) {
  return new hosts::window_host(glyphs, keys);
}
