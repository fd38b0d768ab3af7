#include "platform/MemoryRegistry.h"

#include "text/Ascii.h"

#include <algorithm>
#include <cstring>

namespace lanternix {

namespace {

std::string folded(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), asciiLower);
    return s;
}

} // namespace

void MemoryRegistry::addKey(RegKey root, const std::string& subKey) {
    keys_[{root, folded(subKey)}];
}

void MemoryRegistry::setValue(RegKey root, const std::string& subKey, const std::string& name,
                              Value value) {
    keys_[{root, folded(subKey)}][folded(name)] = std::move(value);
}

long MemoryRegistry::openKey(RegKey root, const std::string& subKey, std::uint32_t access,
                             RegKey& key) {
    lastAccess_ = access;
    KeyId id{root, folded(subKey)};
    if (keys_.count(id) == 0)
        return ErrorFileNotFound;
    key = nextHandle_++;
    open_.emplace(key, std::move(id));
    return Success;
}

long MemoryRegistry::queryValue(RegKey key, const std::string& valueName, std::uint32_t& type,
                                char* data, std::uint32_t& size) {
    const auto handle = open_.find(key);
    if (handle == open_.end())
        return ErrorInvalidHandle;
    const auto& values = keys_.at(handle->second);
    const auto value = values.find(folded(valueName));
    if (value == values.end())
        return ErrorFileNotFound;
    const auto& bytes = value->second.bytes;
    type = value->second.type;
    if (bytes.size() > size) {
        size = static_cast<std::uint32_t>(bytes.size());
        return ErrorMoreData;
    }
    std::memcpy(data, bytes.data(), bytes.size());
    size = static_cast<std::uint32_t>(bytes.size());
    return Success;
}

long MemoryRegistry::closeKey(RegKey key) {
    return open_.erase(key) != 0 ? Success : ErrorInvalidHandle;
}

} // namespace lanternix
