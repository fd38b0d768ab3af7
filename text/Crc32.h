#pragma once

#include <cstdint>
#include <string_view>

namespace lanternix {

// The CRC-32 of zip and PNG (reflected polynomial 0xEDB88320); "123456789" gives 0xCBF43926.
std::uint32_t crc32(std::string_view bytes);

} // namespace lanternix
