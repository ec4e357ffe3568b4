#include "serve/guarded_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace serve {
namespace {

// Whether the socket becomes ready for `events` within `ms` milliseconds.
bool ready(socket_t sock, short events, int ms) {
  pollfd p{sock, events, 0};
  int n = 0;
  do {
    n = ::poll(&p, 1, ms);
  } while (n < 0 && errno == EINTR);
  return n > 0 && (p.revents & (events | POLLHUP)) != 0;
}

void address_of(const sockaddr_storage& a, std::string& ip, int& port) {
  char text[INET6_ADDRSTRLEN] = "";
  if (a.ss_family == AF_INET) {
    const auto* v4 = reinterpret_cast<const sockaddr_in*>(&a);
    inet_ntop(AF_INET, &v4->sin_addr, text, sizeof text);
    port = ntohs(v4->sin_port);
  } else if (a.ss_family == AF_INET6) {
    const auto* v6 = reinterpret_cast<const sockaddr_in6*>(&a);
    inet_ntop(AF_INET6, &v6->sin6_addr, text, sizeof text);
    port = ntohs(v6->sin6_port);
  }
  ip = text;
}

// A socket stream with a read budget per request, buffered (the library
// reads header lines a byte at a time).
class budget_stream : public httplib::Stream {
 public:
  budget_stream(socket_t sock, int read_ms, int write_ms)
      : sock_(sock), read_ms_(read_ms), write_ms_(write_ms) {}

  void new_request() { budget_ = guarded_server::max_request_bytes; }
  bool exhausted() const { return exhausted_; }
  bool buffered() const { return begin_ < end_; }

  bool is_readable() const override { return begin_ < end_ || ready(sock_, POLLIN, read_ms_); }
  bool is_writable() const override { return ready(sock_, POLLOUT, write_ms_); }

  ssize_t read(char* ptr, size_t size) override {
    if (budget_ == 0) {
      exhausted_ = true;
      return -1;
    }
    if (begin_ == end_) {
      if (!ready(sock_, POLLIN, read_ms_)) return -1;
      ssize_t n = 0;
      do {
        n = ::recv(sock_, buffer_, sizeof buffer_, 0);
      } while (n < 0 && errno == EINTR);
      if (n <= 0) return n;
      begin_ = 0;
      end_ = static_cast<std::size_t>(n);
    }
    const std::size_t count = std::min({size, end_ - begin_, budget_});
    std::memcpy(ptr, buffer_ + begin_, count);
    begin_ += count;
    budget_ -= count;
    return static_cast<ssize_t>(count);
  }

  ssize_t write(const char* ptr, size_t size) override {
    if (!is_writable()) return -1;
    ssize_t n = 0;
    do {
      n = ::send(sock_, ptr, size, MSG_NOSIGNAL);
    } while (n < 0 && errno == EINTR);
    return n;
  }

  void get_remote_ip_and_port(std::string& ip, int& port) const override {
    sockaddr_storage a{};
    socklen_t length = sizeof a;
    if (getpeername(sock_, reinterpret_cast<sockaddr*>(&a), &length) == 0) address_of(a, ip, port);
  }
  void get_local_ip_and_port(std::string& ip, int& port) const override {
    sockaddr_storage a{};
    socklen_t length = sizeof a;
    if (getsockname(sock_, reinterpret_cast<sockaddr*>(&a), &length) == 0) address_of(a, ip, port);
  }
  socket_t socket() const override { return sock_; }

 private:
  socket_t sock_;
  int read_ms_;
  int write_ms_;
  char buffer_[4096];
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  std::size_t budget_ = 0;
  bool exhausted_ = false;
};

int milliseconds(time_t sec, time_t usec) { return static_cast<int>(sec * 1000 + usec / 1000); }

}  // namespace

bool guarded_server::process_and_close_socket(socket_t sock) {
  budget_stream stream(sock, milliseconds(read_timeout_sec_, read_timeout_usec_),
                       milliseconds(write_timeout_sec_, write_timeout_usec_));
  bool served = false;
  // The next request is awaited in short steps, so that a stopping server
  // does not wait out an idle connection's keep-alive timeout.
  const auto next_request = [&] {
    constexpr int step_ms = 100;
    for (int waited = 0; !stream.buffered(); waited += step_ms) {
      if (svr_sock_ == INVALID_SOCKET || waited >= keep_alive_timeout_sec_ * 1000) return false;
      if (ready(sock, POLLIN, step_ms)) return true;
    }
    return true;
  };
  for (std::size_t left = keep_alive_max_count_; left > 0 && next_request(); --left) {
    stream.new_request();
    bool closed = false;
    served = process_request(stream, left == 1, closed, [&](httplib::Request& req) {
      stream.get_remote_ip_and_port(req.remote_addr, req.remote_port);
      stream.get_local_ip_and_port(req.local_addr, req.local_port);
    });
    if (!served || closed || stream.exhausted()) break;
  }
  ::shutdown(sock, SHUT_RDWR);
  ::close(sock);
  return served;
}

}  // namespace serve
