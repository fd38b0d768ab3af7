#pragma once

#include <string>
#include <string_view>

namespace lanternix {

// Field values are escaped for the place they land in the page, so that the browser reads back
// exactly what the user typed. A value with none of the named characters is copied unchanged.
// Characters that the page's character set cannot hold become numeric character references
// (&#937;) in markup and \u escapes in script strings.
enum class EscapePlace {
    // Double-quoted attribute (src, NAME, ALT, HREF, TARGET): " becomes &quot;, CR and LF &#13;
    // and &#10;, and an & before # or a letter &amp;, or the browser would read a reference
    // where the user typed a name such as a&quot;b.gif. Other & stay, as in "a.cgi?x=1&2".
    Attribute,
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

// The characters a page may hold as they are: Windows-1252 for the saved page, plain ASCII for
// text that leaves through the clipboard, which reads the same whatever encoding it is pasted
// into.
enum class PageCharset { Windows1252, Ascii };

// False when no place would change the value, in either character set: most values are plain.
bool needsEscaping(std::string_view value);

void appendEscaped(std::string& out, EscapePlace place, std::string_view value,
                   PageCharset charset = PageCharset::Windows1252);

} // namespace lanternix
