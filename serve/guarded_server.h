// cpp-httplib's server with the bytes of each request bounded. The library
// (0.11 in Debian 12) reads a request's header lines without limit, so one
// connection sending megabytes of headers grew the server by that much (16 MB
// of headers: 180 MB resident). This server reads each connection through a
// stream that hands the library at most `max_request_bytes` per request;
// past that the request is malformed (400) and the connection is closed.
// Keep-alive as the library does it: up to the keep-alive count of requests,
// each awaited for the keep-alive timeout.
#pragma once

#include <cstddef>

#include <httplib.h>

namespace serve {

class guarded_server : public httplib::Server {
 public:
  static constexpr std::size_t max_request_bytes = 32768;

 private:
  bool process_and_close_socket(socket_t sock) override;
};

}  // namespace serve
