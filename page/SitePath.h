#pragma once

#include "io/Result.h"

#include <optional>
#include <string>
#include <string_view>

namespace lanternix {

// How a page's addresses lead to files, and files back to addresses, from the folder the site
// is published from. Paths are UTF-8.

// "http:", "mailto:", "file:" ...: two letters at least, so that "C:" stays a drive; or "".
std::string_view addressScheme(std::string_view address);
// An address on another server: a scheme other than file:, or // and a host.
bool isElsewhere(std::string_view address);
// A drive, a path from the root of this computer, or a file: address. Asked only of addresses
// that name no other server.
bool isLocalPlace(std::string_view address);
// The file part of a relative address as a browser reads it: no query or fragment, %XX
// decoded, backslashes as slashes.
std::string fileOfAddress(std::string_view address);

// The file a relative address names under the site's folder, in the system's own form, whether
// it exists or not; nullopt for an address on another server, a place on this computer, or one
// that climbs out of the folder.
std::optional<std::string> fileInSite(std::string_view address, const std::string& siteFolder);

// A file's address relative to the site's folder, as a page names it: forward slashes, and %,
// #, ? and \ escaped, so that a browser reads the name as it stands. NotInSite, with a message
// that says what to do, for a file outside the folder or while no folder is known ("").
Result<std::string> addressInSite(const std::string& file, const std::string& siteFolder);

} // namespace lanternix
