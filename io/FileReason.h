#pragma once

#include <string>

namespace lanternix {

// Why a file could not be read or written, as the end of a message ("... : Is a directory.").
// Windows errors are given the words the C library uses on Linux, so that a message reads the
// same on every system.

// Reasons of our own, beside the C library's error numbers.
inline constexpr int NotRegularFile = -1; // a device, a pipe, a socket
inline constexpr int BrokenLink = -2;     // a symbolic link that points to nothing
inline constexpr int FileInUse = -3;      // Windows: another program holds the file
inline constexpr int InvalidFileName = -4;

// An errno value or one of the reasons above.
std::string fileReason(int err);

#ifdef _WIN32
// A GetLastError() value.
std::string windowsFileReason(unsigned long error);
#endif

} // namespace lanternix
