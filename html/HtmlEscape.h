#pragma once

#include <string>
#include <string_view>

namespace lanternix {

// Field values are escaped for the place they land in the page, so that the browser reads back
// exactly what the user typed. A value with none of the named characters is copied unchanged.
// Each function appends to out.

// Double-quoted attribute (src, NAME, ALT, HREF, TARGET): " becomes &quot;. An & stays, so
// links such as "a.cgi?x=1&y=2" keep their bytes.
void appendAttribute(std::string& out, std::string_view value);

// Single-quoted script string inside a double-quoted event attribute
// (window.status='...', lightup('...')): \ ' CR LF get script escapes, then " becomes &quot;.
void appendHandlerString(std::string& out, std::string_view value);

// Double-quoted script string of a preload (.src="..."): \ " < CR LF get script escapes;
// < as \x3C so that a value can never close the script block.
void appendScriptString(std::string& out, std::string_view value);

// Inside an HTML comment: > becomes &gt;, so a value cannot end the comment early.
void appendComment(std::string& out, std::string_view value);

} // namespace lanternix
