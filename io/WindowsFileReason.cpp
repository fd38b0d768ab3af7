// Why a file could not be read or written, on Windows: in the words the C library uses on
// Linux, so that a message reads the same on every system.
#include "io/FileReason.h"
#include "io/WindowsText.h"

#include <windows.h>

#include <cerrno>

namespace lanternix {

// Only the numbers windowsFileReason gives, in glibc's words (the Windows C library's differ).
std::string errnoReason(int err) {
    switch (err) {
    case ENOENT:
        return "No such file or directory";
    case EACCES:
        return "Permission denied";
    case EISDIR:
        return "Is a directory";
    case ENOSPC:
        return "No space left on device";
    case EROFS:
        return "Read-only file system";
    case ENAMETOOLONG:
        return "File name too long";
    case ELOOP:
        return "Too many levels of symbolic links";
    case EFBIG:
        return "File too large";
    case EIO:
        return "Input/output error";
    case ENOMEM:
        return "Cannot allocate memory";
    }
    return "Error " + std::to_string(err);
}

std::string invalidFileName() {
    return "Invalid file name";
}

std::string windowsFileReason(unsigned long error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return fileReason(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
        return fileReason(EACCES);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return fileReason(ENOSPC);
    case ERROR_WRITE_PROTECT:
        return fileReason(EROFS);
    case ERROR_FILENAME_EXCED_RANGE:
        return fileReason(ENAMETOOLONG);
    case ERROR_CANT_RESOLVE_FILENAME:
        return fileReason(ELOOP);
    case ERROR_FILE_TOO_LARGE:
        return fileReason(EFBIG);
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
        return fileReason(EIO);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return fileReason(ENOMEM);
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "The file is in use by another program";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return invalidFileName();
    }
    // Anything rarer in the system's own words, without the closing full stop.
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string s = n ? toUtf8(std::wstring_view(text, n)) : std::string();
    LocalFree(text);
    while (!s.empty() &&
           (s.back() == '.' || s.back() == ' ' || s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    return s.empty() ? "Windows error " + std::to_string(error) : s;
}

} // namespace lanternix
