// What the process needs before anything else runs: descriptors 0, 1 and 2
// that belong to nobody else, and no death by a file-size limit.
#pragma once

namespace app {

// A closed descriptor 0, 1 or 2 would be taken by the next file the program
// opens (the report, a signal pipe), which would then be read as keys or
// written as output. Each closed one is opened on /dev/null for reading, so
// that it still behaves closed: stdin gives end of input, writes to stdout
// or stderr fail with EBADF.
void open_standard_descriptors();

// SIGXFSZ would kill the program in the middle of a write; ignored, the
// write fails with EFBIG and is reported like any output that failed.
void ignore_file_size_signal();

}  // namespace app
