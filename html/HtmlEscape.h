#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lanternix {

// Field values are escaped for the place they land in the page, so that the browser reads back
// exactly what the user typed. A value with none of the named characters is copied unchanged.
enum class EscapePlace {
    // Double-quoted attribute (src, NAME, ALT, HREF, TARGET): " becomes &quot;. An & stays,
    // so links such as "a.cgi?x=1&y=2" keep their bytes.
    Attribute,
    // Single-quoted script string inside a double-quoted event attribute
    // (window.status='...', lightup('...')): \ ' CR LF get script escapes, then " becomes
    // &quot;.
    Handler,
    // Double-quoted script string of a preload (.src="..."): \ " < CR LF get script escapes;
    // < as \x3C so that a value can never close the script block.
    Script,
    // Inside an HTML comment: > becomes &gt;, so a value cannot end the comment early.
    Comment,
};

// False when no place would change the value; the common case, checked eight bytes at a time.
bool needsEscaping(std::string_view value);

std::size_t escapedSize(EscapePlace place, std::string_view value);
// Writes the escaped value at out (escapedSize bytes) and returns the end.
char* writeEscaped(EscapePlace place, std::string_view value, char* out);

void appendEscaped(std::string& out, EscapePlace place, std::string_view value);

} // namespace lanternix
