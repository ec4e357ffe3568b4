// Output files in shared directories (/tmp): a symbolic link that another
// user placed there is never followed, so nobody can make the program
// truncate or replace a file of the user's by naming it in a link. The rule
// is the one Linux applies with fs.protected_symlinks=1, checked here because
// that setting may be off (containers, older systems).
#pragma once

#include <sys/types.h>

#include <string>

namespace textio {

// The reason given when a link is refused, for "cannot write NAME: ...".
inline constexpr const char* planted_link_reason =
    "it is a symbolic link owned by another user in a shared directory, not followed";

// True when `path` is a symbolic link that must not be followed: it lies in
// a sticky, world-writable directory and neither the user nor the
// directory's owner owns it. False for anything else (also when `path` does
// not exist).
bool is_planted_link(const std::string& path);

// open(path, flags, mode) that follows a final symbolic link only where
// is_planted_link() would allow it. Returns the descriptor, or -1 with errno
// set; errno is ELOOP for a refused link (a dangling one included).
int open_unless_planted(const std::string& path, int flags, mode_t mode);

}  // namespace textio
