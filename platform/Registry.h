#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lanternix {

// A registry key handle as the system's calls see it; root keys are sign-extended 32-bit values.
using RegKey = std::intptr_t;

// HKEY_LOCAL_MACHINE (0x80000002 as a signed 32-bit value).
inline constexpr RegKey HKeyLocalMachine =
    static_cast<RegKey>(static_cast<std::int32_t>(0x80000002u));

// The registry, read only, in the shape of its three system calls: each returns 0 on success
// or a system error code. Key and value names are UTF-8.
class Registry {
public:
    static constexpr long Success = 0;
    static constexpr long ErrorFileNotFound = 2;
    static constexpr long ErrorInvalidHandle = 6;
    static constexpr long ErrorMoreData = 234;

    static constexpr std::uint32_t RegSz = 1;    // text
    static constexpr std::uint32_t RegDword = 4; // 32-bit number

    virtual ~Registry() = default;

    // Opens subKey below root with the access mask; fills in key.
    virtual long openKey(RegKey root, const std::string& subKey, std::uint32_t access,
                         RegKey& key) = 0;
    // Reads a value's type and bytes into data (size bytes room); size becomes the number of
    // bytes written, or needed when the buffer is too small.
    virtual long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                            char* data, std::uint32_t& size) = 0;
    virtual long closeKey(RegKey key) = 0;

    // Text bytes as the registry returns them (the system code page) turned into UTF-8.
    virtual std::string textToUtf8(std::string_view bytes) const = 0;
};

} // namespace lanternix
