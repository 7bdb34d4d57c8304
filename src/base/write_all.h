// Writing files whole: a buffer to a file descriptor, for the level export and
// the demo recorder; the folders on the way to a file.
#pragma once

#include <cstddef>

// Writes all `size` bytes, resuming after signals and partial writes.
// Returns 0, or the errno of the write that failed (ENOSPC for a write that
// wrote nothing). Allocates nothing.
int write_all(int fd, const char* data, size_t size);

// Creates every missing folder on the way to the file at `path` (a path that
// ends in "/" names a folder: it is made too). Returns 0 or the errno of the
// folder that could not be made; a folder that exists already is fine, and a
// part of the way that is not a folder shows up when the file is opened.
// Allocates nothing.
int make_folders(const char* path);
