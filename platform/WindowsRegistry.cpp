#include "platform/WindowsRegistry.h"

#include <windows.h>

#include <string>

namespace lanternix {

namespace {

// The "A" calls take texts in the system code page.
std::wstring widen(std::string_view s, UINT codePage) {
    if (s.empty())
        return {};
    const int n =
        MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string narrow(const std::wstring& w, UINT codePage) {
    if (w.empty())
        return {};
    const int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::string toCodePage(const std::string& utf8) {
    return narrow(widen(utf8, CP_UTF8), CP_ACP);
}

HKEY hkey(RegKey k) {
    return reinterpret_cast<HKEY>(k);
}

} // namespace

long WindowsRegistry::openKey(RegKey root, const std::string& subKey, std::uint32_t access,
                              RegKey& key) {
    HKEY opened = nullptr;
    const LONG r = RegOpenKeyExA(hkey(root), toCodePage(subKey).c_str(), 0, access, &opened);
    if (r == ERROR_SUCCESS)
        key = reinterpret_cast<RegKey>(opened);
    return r;
}

long WindowsRegistry::queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                 char* data, std::uint32_t& size) {
    DWORD t = 0;
    DWORD n = size;
    const LONG r = RegQueryValueExA(hkey(key), toCodePage(valueName).c_str(), nullptr, &t,
                                    reinterpret_cast<LPBYTE>(data), &n);
    type = t;
    size = n;
    return r;
}

long WindowsRegistry::closeKey(RegKey key) {
    return RegCloseKey(hkey(key));
}

std::string WindowsRegistry::textToUtf8(std::string_view bytes) const {
    return narrow(widen(bytes, CP_ACP), CP_UTF8);
}

} // namespace lanternix
