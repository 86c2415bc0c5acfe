#pragma once
// The system calls of the file replacement, one small file per system:
// replacement_file_posix.cpp and replacement_file_windows.cpp. Each call
// returns 0 or the failure's error number (errno's values on every system,
// so that one table says every cause in French).

#include <cstddef>
#include <filesystem>

namespace velmora::replacement_system {

// Creates `path`, failing with EEXIST when it exists, for writing only. It
// takes the permission bits of `replaced` when that is a regular file.
int createNewFile(const std::filesystem::path& path, const std::filesystem::path& replaced, int& descriptor);

int writeAll(int descriptor, const char* bytes, std::size_t size);

// Forces what was written to the disk: fdatasync on Linux, fsync on other
// POSIX systems, FlushFileBuffers on Windows.
int syncToDisk(int descriptor);

int closeFile(int descriptor);

// Puts `from` in the place of `to` in one step, replacing it, never writing
// through a link in its place: rename, MoveFileExW.
int replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

void removeFile(const std::filesystem::path& path);

long currentProcess();
bool processIsGone(long process);

}  // namespace velmora::replacement_system
