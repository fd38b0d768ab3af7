#include "page/Preview.h"

#include "html/HtmlEscape.h"
#include "io/AtomicFile.h"
#include "io/Utf8Path.h"
#include "page/SavePage.h"
#include "text/Ascii.h"
#include "text/Windows1252.h"

#include <cstdio>

namespace lanternix {

std::string folderUrl(const std::string& folder) {
    const std::u8string generic = pathFromUtf8(folder).generic_u8string();
    std::string url = generic.starts_with(u8"/") ? "file://" : "file:///";
    for (const char8_t b : generic) {
        const char c = static_cast<char>(b);
        if (isAsciiAlnum(c) || std::string_view("-._~/:").find(c) != std::string_view::npos) {
            url += c;
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned>(b));
            url += hex;
        }
    }
    return url.ends_with('/') ? url : url + '/';
}

Result<> writePreview(const std::string& file, const MenuTable& table,
                      const std::string& siteFolder) {
    Result<std::string> page = encodePage(table);
    if (!page)
        return page.failure();
    std::string base = "<BASE HREF=\"";
    appendEscaped(base, EscapePlace::Attribute, folderUrl(siteFolder));
    std::string& bytes = page.value();
    bytes.insert(bytes.find('\n') + 1, encodeWindows1252(base) + "\">\r\n");
    if (const Result<> written = writeFileAtomically(file, bytes); !written)
        return cannotSavePage(file, written.failure());
    return {};
}

} // namespace lanternix
