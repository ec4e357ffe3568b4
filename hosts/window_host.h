// The host for a window of its own (SDL2): the 80x30 cells drawn with the
// code page 437 glyphs in a 640x480 picture, scaled by whole multiples and
// centred when the window is larger, two colours, the cursor mark during line
// entry, a short flash for the beep.
//
// Two threads. The thread that opens the window runs its events (SDL wants
// them there): keys and the close button go into the shared key queue, and
// pictures are drawn. The dialogue runs on another thread and uses the host
// interface: paint() hands over a copy of the cells, wait_for_keys() sleeps
// until a key or an end signal arrives, close() ends the event loop.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "hosts/end_signal_watch.h"
#include "hosts/unifont_glyphs.h"
#include "hosts/window_picture.h"
#include "hosts/window_session.h"
#include "textio/host.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace hosts {

class window_host final : public window_session {
 public:
  // Keys go into `keys`, which the dialogue's services share; end signals
  // are caught from here on.
  window_host(const cp437_glyphs& glyphs, textio::key_queue& keys);
  ~window_host() override;
  window_host(const window_host&) = delete;
  window_host& operator=(const window_host&) = delete;

  std::optional<std::string> open_window(const std::string& title) override;
  void run_events() override;

  // The dialogue's side (another thread).
  // Sleeps until a key arrives (no polling; `timeout` is not needed) or an
  // end signal; 128 + n on signal n.
  std::optional<int> wait_for_keys(textio::key_queue& keys, std::chrono::milliseconds timeout) override;
  void paint(const textio::screen& cells) override;
  void beep() override;
  // Ends the event loop, which closes the window. Safe to call again.
  void close() override;
  void finish(int status) override;

  // The connection to the display is lost (Xlib's fatal I/O error, on the
  // event thread): the dialogue ends as on a hang-up, with its report
  // written, and then the process. Does not return.
  [[noreturn]] void end_after_lost_display();

 private:
  enum class request : int { repaint = 1, flash, finish };
  void send(request what);
  void deliver(textio::key_code key);  // event thread: into the queue, wake the dialogue
  void take_new_picture();
  void present(bool inverted);
  void shut_window();

  const cp437_glyphs& glyphs_;
  textio::key_queue& keys_;
  end_signal_watch signals_;
  int wake_pipe_[2] = {-1, -1};

  // Handed from the dialogue's thread to the event thread.
  std::mutex picture_lock_;
  cell_picture latest_;
  bool repaint_sent_ = false;
  std::atomic<bool> closing_ = false;
  std::atomic<bool> display_lost_ = false;
  std::mutex finish_lock_;
  std::condition_variable finished_;
  std::optional<int> finish_status_;

  // The event thread's own.
  std::uint32_t request_event_ = 0;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::optional<cell_picture> shown_;
  picture image_;
};

}  // namespace hosts
