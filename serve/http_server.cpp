// The page server: cpp-httplib on 127.0.0.1 and ::1, the page's files and
// the JSON API (api_routes.h), until SIGINT or SIGTERM.
//
// It answers this machine's browsers only, and only what a page needs:
// - it listens on the loopback addresses alone;
// - a Host header other than its own address gets 421, so that a page of
//   another site cannot reach it through a name that resolves to 127.0.0.1
//   (DNS rebinding); no CORS headers, so other origins cannot read answers;
// - GET and HEAD only (405 otherwise), no request body (413);
// - a request's bytes are bounded (guarded_server.h), and so are its target,
//   the number of its headers and their size (414, 431); cpp-httplib
//   answers a malformed request with 400 and goes on;
// - a fixed number of worker threads and a queue of fixed length.
#include <pthread.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>

#include "serve/api_routes.h"
#include "serve/bounded_task_queue.h"
#include "serve/guarded_server.h"
#include "serve/page_assets.h"
#include "serve/server_module.h"

namespace serve {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t worker_threads = 6;         // per address
constexpr std::size_t queued_connections = 32;    // per address
constexpr std::size_t max_target_bytes = 2048;    // path and query
constexpr std::size_t max_headers = 64;
constexpr std::size_t max_header_bytes = 16384;   // names and values together

std::string lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return text;
}

void refuse(httplib::Response& res, int status, std::string_view message) {
  res.status = status;
  res.set_content(json_error(message), "application/json; charset=utf-8");
}

// What every answer carries: no sniffing of types, no framing by other
// sites, no caching of computed results, no referrer leaving the page.
void common_headers(httplib::Response& res) {
  res.set_header("X-Content-Type-Options", "nosniff");
  res.set_header("X-Frame-Options", "DENY");
  res.set_header("Referrer-Policy", "no-referrer");
  res.set_header("Cache-Control", "no-store");
  res.set_header("Content-Security-Policy",
                 "default-src 'self'; img-src 'self' data: blob:; style-src 'self'; "
                 "script-src 'self'; connect-src 'self'; frame-ancestors 'none'; base-uri 'none'; "
                 "form-action 'self'");
}

class page_server {
 public:
  // The names a request may give, once the port is known (before any
  // request can arrive).
  void set_own_hosts(std::vector<std::string> hosts) { own_hosts_ = std::move(hosts); }

  void configure(httplib::Server& server) const {
    server.new_task_queue = [] { return new bounded_task_queue(worker_threads, queued_connections); };
    server.set_keep_alive_max_count(100);
    server.set_keep_alive_timeout(2);
    server.set_read_timeout(5);
    server.set_write_timeout(5);
    server.set_payload_max_length(0);
    // The head and the body of an answer go out as two writes: without
    // TCP_NODELAY the body waits for the client's delayed ACK (40 ms),
    // longer than a drag may take to redraw.
    server.set_tcp_nodelay(true);
    // cpp-httplib's default adds SO_REUSEPORT, which would let a second
    // server (any process of the same user) share the port and take some of
    // its connections; SO_REUSEADDR alone lets a restart take the port
    // back from connections still in TIME_WAIT.
    server.set_socket_options([](socket_t sock) {
      int yes = 1;
      setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    server.set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
      return admit(req, res) ? httplib::Server::HandlerResponse::Unhandled
                             : httplib::Server::HandlerResponse::Handled;
    });
    server.Get(".*", [](const httplib::Request& req, httplib::Response& res) { answer(req, res); });
    server.set_exception_handler(
        [](const httplib::Request&, httplib::Response& res, std::exception_ptr) {
          refuse(res, 500, "the server could not compute this answer");
        });
    server.set_post_routing_handler(
        [](const httplib::Request&, httplib::Response& res) { common_headers(res); });
  }

 private:
  bool admit(const httplib::Request& req, httplib::Response& res) const {
    if (req.method != "GET" && req.method != "HEAD") {
      res.set_header("Allow", "GET, HEAD");
      refuse(res, 405, "only GET and HEAD");
      return false;
    }
    const std::string host = lower(req.get_header_value("Host"));
    bool own = false;
    for (const auto& h : own_hosts_) own = own || host == h;
    if (!own) {
      refuse(res, 421, "this server answers only its own address");
      return false;
    }
    if (req.target.size() > max_target_bytes) {
      refuse(res, 414, "the request target is too long");
      return false;
    }
    std::size_t header_bytes = 0;
    for (const auto& [name, value] : req.headers) header_bytes += name.size() + value.size();
    if (req.headers.size() > max_headers || header_bytes > max_header_bytes) {
      refuse(res, 431, "too many or too long headers");
      return false;
    }
    if (req.has_header("Content-Length") && req.get_header_value("Content-Length") != "0") {
      refuse(res, 413, "a request has no body here");
      return false;
    }
    return true;
  }

  static void answer(const httplib::Request& req, httplib::Response& res) {
    if (const page_asset* asset = page_asset_at(req.path)) {
      res.set_content(asset->body.data(), asset->body.size(), std::string(asset->content_type).c_str());
      return;
    }
    if (req.path.rfind("/api/", 0) == 0) {
      const query_parameters query(req.params.begin(), req.params.end());
      if (auto answered = answer_api(req.path, query)) {
        res.status = answered->status;
        res.set_content(std::move(answered->body), answered->content_type.c_str());
        return;
      }
    }
    refuse(res, 404, "no such page");
  }

  std::vector<std::string> own_hosts_;
};

std::vector<std::string> own_hosts(int port) {
  const std::string p = std::to_string(port);
  std::vector<std::string> hosts{"127.0.0.1:" + p, "localhost:" + p, "[::1]:" + p};
  if (port == 80) hosts.insert(hosts.end(), {"127.0.0.1", "localhost", "[::1]"});
  return hosts;
}

// Written by the handler of SIGINT and SIGTERM, read by the main thread.
int ending_pipe[2] = {-1, -1};

void end_signal_arrived(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(ending_pipe[1], &byte, 1);
  errno = saved;
}

int run_server(const server_settings& settings) {
  // The signals that end the server wake the main thread through a pipe,
  // whichever thread takes them: a thread the program did not start (a
  // sanitizer's, say) would take a signal that sigwait waits for and drop
  // it. A client that goes away must not end the server with SIGPIPE.
  if (::pipe2(ending_pipe, O_CLOEXEC) != 0) {
    std::fprintf(settings.err, "vollfarbe serve: %s\n", std::strerror(errno));
    return 1;
  }
  struct sigaction on_ending {};
  on_ending.sa_handler = end_signal_arrived;
  sigemptyset(&on_ending.sa_mask);
  struct sigaction before_int {}, before_term {};
  sigaction(SIGINT, &on_ending, &before_int);
  sigaction(SIGTERM, &on_ending, &before_term);
  const auto restore = [&] {
    sigaction(SIGINT, &before_int, nullptr);
    sigaction(SIGTERM, &before_term, nullptr);
    ::close(ending_pipe[0]);
    ::close(ending_pipe[1]);
  };
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGPIPE, &ignore, nullptr);

  page_server pages;
  auto v4 = std::make_unique<guarded_server>();
  pages.configure(*v4);
  int port = settings.port;
  errno = 0;
  if (port == 0) {
    port = v4->bind_to_any_port("127.0.0.1");
  } else if (!v4->bind_to_port("127.0.0.1", port)) {
    port = -1;
  }
  if (port <= 0) {
    std::fprintf(settings.err, "vollfarbe serve: cannot listen on 127.0.0.1:%d: %s\n",
                 settings.port, errno != 0 ? std::strerror(errno) : "the port is taken");
    restore();
    return 1;
  }
  pages.set_own_hosts(own_hosts(port));
  // ::1 on the same port where the machine has IPv6; without it the page is
  // still at 127.0.0.1.
  auto v6 = std::make_unique<guarded_server>();
  pages.configure(*v6);
  if (!v6->bind_to_port("::1", port)) v6.reset();

  // Nobody could find a server whose address was not written: end then.
  if (std::fprintf(settings.out, "http://127.0.0.1:%d/\n", port) < 0 || std::fflush(settings.out) != 0) {
    std::fprintf(settings.err, "vollfarbe serve: cannot write the address: %s\n", std::strerror(errno));
    restore();
    return 1;
  }

  // A listener's server and whether its thread has ended.
  struct listener {
    guarded_server* server;
    std::atomic<bool> ended{false};
    std::thread thread;
  };
  std::array<listener, 2> listeners{};
  listeners[0].server = v4.get();
  listeners[1].server = v6.get();
  for (listener& l : listeners) {
    if (l.server == nullptr) continue;
    l.thread = std::thread([&l] {
      l.server->listen_after_bind();
      l.ended = true;
    });
  }

  char signalled = 0;
  while (::read(ending_pipe[0], &signalled, 1) < 0 && errno == EINTR) {
  }
  // The library's stop() does nothing to a server that is not running yet:
  // a signal that came before a listener's thread got to listen would leave
  // that thread listening and the join below waiting for ever. Each server
  // is stopped once it runs (or its thread has ended without running).
  for (listener& l : listeners) {
    if (l.server == nullptr) continue;
    while (!l.server->is_running() && !l.ended) std::this_thread::sleep_for(1ms);
    l.server->stop();
    l.thread.join();
  }
  restore();
  return 0;
}

const server_entry entry{run_server};

}  // namespace
}  // namespace serve

const serve::server_entry* vollfarbe_server_v1() { return &serve::entry; }
