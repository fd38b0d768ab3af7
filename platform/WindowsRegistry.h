#pragma once

#include "platform/Registry.h"

namespace lanternix {

// The system's registry through RegOpenKeyExA, RegQueryValueExA and RegCloseKey. Built on
// Windows only.
class WindowsRegistry : public Registry {
public:
    long openKey(RegKey root, const std::string& subKey, std::uint32_t access,
                 RegKey& key) override;
    long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                    std::uint32_t& size) override;
    long closeKey(RegKey key) override;
    std::string textToUtf8(std::string_view bytes) const override;
};

} // namespace lanternix
