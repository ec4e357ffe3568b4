// The page server as a loadable module (vollfarbe_server.so): cpp-httplib
// and what it brings (OpenSSL, zlib, brotli) are mapped only by `vollfarbe
// serve`; a table, the dialogue, --help and --version never load them. The
// program finds the module's one exported function by name. A change of
// these types is a new entry name (_v2), so that a module of another
// version fails to load with a message instead of misbehaving.
#pragma once

#include <cstdio>

namespace serve {

struct server_settings {
  int port = 0;  // 0: a free port
  std::FILE* out = nullptr;  // the address goes here, as the first line
  std::FILE* err = nullptr;  // messages
};

struct server_entry {
  // Serves until SIGINT or SIGTERM; returns the exit status (0 then, 1 when
  // the port could not be taken).
  int (*run)(const server_settings& settings);
};

inline constexpr char server_entry_name[] = "vollfarbe_server_v1";

}  // namespace serve

extern "C" [[gnu::visibility("default")]] const serve::server_entry* vollfarbe_server_v1();
