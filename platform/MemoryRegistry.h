#pragma once

#include "platform/Registry.h"

#include <map>
#include <set>
#include <string>
#include <utility>

namespace lanternix {

// A registry held in memory. It starts empty; tests fill it. Names compare without regard to
// ASCII case, as the system's registry does.
class MemoryRegistry : public Registry {
public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };

    // Creates the key if needed and sets one value in it.
    void setValue(RegKey root, const std::string& subKey, const std::string& name, Value value);
    void setText(RegKey root, const std::string& subKey, const std::string& name,
                 const std::string& text) {
        setValue(root, subKey, name, {RegSz, text + '\0'});
    }
    // An existing key without values.
    void addKey(RegKey root, const std::string& subKey);

    long openKey(RegKey root, const std::string& subKey, std::uint32_t access,
                 RegKey& key) override;
    long queryValue(RegKey key, const std::string& valueName, std::uint32_t& type, char* data,
                    std::uint32_t& size) override;
    long closeKey(RegKey key) override;
    std::string textToUtf8(std::string_view bytes) const override { return std::string(bytes); }

    // What callers asked for, so tests can check it.
    std::size_t openCount() const { return open_.size(); }
    std::uint32_t lastAccess() const { return lastAccess_; }

private:
    using KeyId = std::pair<RegKey, std::string>;

    std::map<KeyId, std::map<std::string, Value>> keys_;
    std::map<RegKey, KeyId> open_;
    RegKey nextHandle_ = 0x1000;
    std::uint32_t lastAccess_ = 0;
};

} // namespace lanternix
