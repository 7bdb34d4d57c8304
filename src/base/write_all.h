// Writing a whole buffer to a file descriptor, for the level export and the
// demo recorder.
#pragma once

#include <cstddef>

// Writes all `size` bytes, resuming after signals and partial writes.
// Returns 0, or the errno of the write that failed (ENOSPC for a write that
// wrote nothing). Allocates nothing.
int write_all(int fd, const char* data, size_t size);
