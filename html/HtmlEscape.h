#pragma once

#include <string>
#include <string_view>

namespace lanternix {

// Field values are escaped for the place they land in the page, so that the browser reads back
// exactly what the user typed. A value with none of the named characters is copied unchanged.
// Characters that Windows-1252 cannot hold become numeric character references (&#937;) in
// markup and \u escapes in script strings; the page text then always fits the code page.
enum class EscapePlace {
    // Double-quoted address attribute (src, NAME, HREF, TARGET): " becomes &quot;, CR and LF
    // &#13; and &#10;. An & stays, so links such as "a.cgi?x=1&y=2" keep their bytes.
    Attribute,
    // The ALT text: as Attribute, and an & that would start a reference becomes &amp;, so it
    // reads as typed, as the status bar shows it.
    AltText,
    // Single-quoted script string inside a double-quoted event attribute
    // (window.status='...', lightup('...')): \ ' CR LF get script escapes, " becomes &quot;,
    // and an & before # or a letter becomes &amp;, or the browser would decode a reference
    // before the script sees it.
    Handler,
    // Double-quoted script string of a preload (.src="..."): \ " < CR LF get script escapes;
    // < as \x3C so that a value can never close the script block.
    Script,
    // Inside an HTML comment: > becomes &gt;, so a value cannot end the comment early; CR and
    // LF become spaces, as every line ends in CR LF.
    Comment,
};

// False when no place would change the value: most values are plain.
bool needsEscaping(std::string_view value);

void appendEscaped(std::string& out, EscapePlace place, std::string_view value);

} // namespace lanternix
