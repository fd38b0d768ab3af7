#pragma once

#include <string>

namespace lanternix {

// Why a file could not be read or written, as the end of a message ("... : Is a directory.").
// Windows errors are given the words the C library uses on Linux, so that a message reads the
// same on every system.

// Reasons of our own, beside the C library's error numbers.
inline constexpr int NotRegularFile = -1; // a device, a pipe, a socket
inline constexpr int BrokenLink = -2;     // a symbolic link that points to nothing

// An errno value or one of the reasons above.
std::string fileReason(int err);

// An errno value in the words of the C library on Linux (PosixFiles.cpp, WindowsFileReason.cpp).
std::string errnoReason(int err);

#ifdef _WIN32
// A GetLastError() value.
std::string windowsFileReason(unsigned long error);
// A name Windows cannot take.
std::string invalidFileName();
#endif

} // namespace lanternix
