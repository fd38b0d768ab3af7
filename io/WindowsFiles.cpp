// The file tools on Windows: UTF-16 names, binary reads, and saves through a hidden file
// beside the target that replaces it with MoveFileExW.
#include "io/AtomicFile.h"
#include "io/FileReason.h"
#include "io/ReadFile.h"
#include "io/TempName.h"
#include "io/WindowsText.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>

namespace lanternix {

namespace {

class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { reset(); }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now (for the error that closing may report) and takes next.
    bool reset(HANDLE next = INVALID_HANDLE_VALUE) {
        const bool ok = !valid() || CloseHandle(h_);
        h_ = next;
        return ok;
    }

private:
    HANDLE h_;
};

constexpr DWORD ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

Failure cannotWrite(std::string reason) {
    return {Fault::CannotWrite, std::move(reason)};
}

std::string lastReason() {
    return windowsFileReason(GetLastError());
}

// Absolute, with backslashes, and with the \\?\ prefix so that long paths work too.
std::optional<std::wstring> fullPath(const std::string& utf8) {
    const std::optional<std::wstring> path = toUtf16(utf8);
    if (!path || path->empty())
        return std::nullopt;
    DWORD n = GetFullPathNameW(path->c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path->c_str(), n, full.data(), nullptr);
    if (n == 0 || n >= full.size())
        return std::nullopt;
    full.resize(n);
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) // a device such as NUL
        return full;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// A name that is there but cannot be followed is a link to nothing.
bool brokenLink(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Why an open file is not one to read or replace, if it is not.
std::optional<std::string> kindError(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
    if (GetFileType(h) != FILE_TYPE_DISK)
        return fileReason(NotRegularFile);
    if (!GetFileInformationByHandle(h, &info))
        return lastReason();
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return fileReason(EISDIR);
    return std::nullopt;
}

struct Target {
    std::wstring path; // links followed to the end
    bool exists = false;
    DWORD attributes = 0;
};

// Only a regular file without the read-only attribute is replaced; saving through a link
// replaces the file it points to, not the link.
std::optional<std::string> findTarget(const std::wstring& path, Target& t) {
    t.path = path;
    const Handle h(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) {
        const DWORD err = GetLastError();
        if ((err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) && brokenLink(path))
            return fileReason(BrokenLink);
        if (err == ERROR_FILE_NOT_FOUND)
            return std::nullopt; // a new file
        return windowsFileReason(err);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (auto why = kindError(h.get(), info))
        return why;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return fileReason(EACCES);
    t.exists = true;
    t.attributes = info.dwFileAttributes;
    std::wstring final(32768, L'\0');
    const DWORD n = GetFinalPathNameByHandleW(h.get(), final.data(), DWORD(final.size()),
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n > 0 && n < final.size())
        t.path = final.substr(0, n);
    return std::nullopt;
}

std::size_t nameLimit(const std::wstring& folder) {
    const Handle h(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, ShareAll, nullptr,
                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD limit = 0;
    if (h.valid() &&
        GetVolumeInformationByHandleW(h.get(), nullptr, 0, nullptr, &limit, nullptr, nullptr, 0) &&
        limit > 0)
        return limit;
    return 255;
}

// A save in progress holds its temporary file open without sharing deletion, so only the
// files of saves that were killed can be deleted.
void removeStaleTemps(const std::wstring& folder, const std::string& stem) {
    const std::wstring prefix = folder + L"\\" + toUtf16(stem).value_or(L"");
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileExW((prefix + L"*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            isTempOf(toUtf8(found.cFileName), stem))
            DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

std::wstring randomSuffix() {
    static constexpr char Alnum[] =
        "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    static std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Alnum - 2);
    std::wstring s;
    for (std::size_t i = 0; i < TempSuffixLength; ++i)
        s += static_cast<wchar_t>(Alnum[pick(random)]);
    return s;
}

bool writeAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Virus scanners and indexers open a file briefly when it is closed or replaced.
bool moveOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD err = GetLastError();
        if ((err != ERROR_SHARING_VIOLATION && err != ERROR_LOCK_VIOLATION &&
             err != ERROR_ACCESS_DENIED) ||
            attempt == 20) {
            SetLastError(err);
            return false;
        }
        Sleep(50);
    }
}

} // namespace

Result<> writeFileAtomically(const std::string& path, std::string_view bytes) {
    const std::optional<std::wstring> given = fullPath(path);
    if (!given)
        return cannotWrite(invalidFileName());
    Target target;
    if (auto why = findTarget(*given, target))
        return cannotWrite(*why);
    const std::filesystem::path split(target.path);
    const std::wstring folder = split.parent_path().native();
    const std::string stem = tempStem(toUtf8(split.filename().native()), nameLimit(folder), true);
    removeStaleTemps(folder, stem);

    std::wstring tmp;
    Handle file(INVALID_HANDLE_VALUE);
    for (int attempt = 0; !file.valid(); ++attempt) {
        tmp = folder + L"\\" + *toUtf16(stem) + randomSuffix();
        file.reset(CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_HIDDEN, nullptr));
        if (!file.valid() && (GetLastError() != ERROR_FILE_EXISTS || attempt == 100))
            return cannotWrite(lastReason());
    }

    // The new file shows as the old one did (hidden, system), or as a new file does.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = (target.attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED)) |
                           FILE_ATTRIBUTE_ARCHIVE;
    bool ok = writeAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
              SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic);
    DWORD err = ok ? 0 : GetLastError();
    if (!file.reset() && ok) {
        ok = false;
        err = GetLastError();
    }
    if (ok && !moveOver(tmp, target.path)) {
        ok = false;
        err = GetLastError();
    }
    if (!ok) {
        DeleteFileW(tmp.c_str());
        return cannotWrite(windowsFileReason(err));
    }
    return {};
}

namespace {

// The whole file, or with partial only its first maxBytes.
Result<std::string> readRegularFile(const std::string& path, std::size_t maxBytes, bool partial) {
    auto fail = [](std::string why, Fault kind = Fault::CannotRead) {
        return Failure{kind, std::move(why)};
    };
    const std::optional<std::wstring> name = fullPath(path);
    if (!name)
        return fail(invalidFileName());
    // Backup semantics open folders too, to name them as such; opening never waits.
    const Handle h(CreateFileW(name->c_str(), GENERIC_READ, ShareAll, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.valid()) {
        const DWORD err = GetLastError();
        if ((err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) && brokenLink(*name))
            return fail(fileReason(BrokenLink));
        return fail(windowsFileReason(err),
                    err == ERROR_FILE_NOT_FOUND ? Fault::NotFound : Fault::CannotRead);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (auto why = kindError(h.get(), info))
        return fail(*why);

    ULONGLONG size = ULONGLONG(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
    if (size > maxBytes && partial)
        size = maxBytes;
    else if (size > maxBytes)
        return fail(fileReason(EFBIG), Fault::TooLarge);
    std::string bytes(std::size_t(size) + 1, '\0'); // one more, to see a file that grew meanwhile
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxBytes && partial) {
                have = maxBytes;
                break;
            }
            if (have > maxBytes)
                return fail(fileReason(EFBIG), Fault::TooLarge);
            bytes.resize(std::min(maxBytes + 1, have * 2));
        }
        DWORD n = 0;
        const DWORD want = DWORD(std::min<std::size_t>(bytes.size() - have, 1u << 30));
        if (!ReadFile(h.get(), bytes.data() + have, want, &n, nullptr))
            return fail(lastReason());
        if (n == 0)
            break;
        have += n;
    }
    bytes.resize(have);
    return bytes;
}

} // namespace

Result<std::string> readWholeFile(const std::string& path, std::size_t maxBytes) {
    return readRegularFile(path, maxBytes, false);
}

Result<std::string> readFileStart(const std::string& path, std::size_t maxBytes) {
    return readRegularFile(path, maxBytes, true);
}

Result<> createEmptyFile(const std::string& path) {
    const std::optional<std::wstring> name = fullPath(path);
    if (!name)
        return cannotWrite(invalidFileName());
    const Handle h(CreateFileW(name->c_str(), GENERIC_WRITE, ShareAll, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.valid() && GetLastError() != ERROR_FILE_EXISTS)
        return cannotWrite(lastReason());
    return {};
}

} // namespace lanternix
