#pragma once

class QPlainTextEdit;
class QWidget;

namespace lanternix {

class MenuTable;
class Platform;

// Checks the table and writes the page into the page buffer Html1, assigned once, in plain
// ASCII (what lies beyond it as references and escapes). When an image
// has a name but no default picture, shows "You must enter a Default image for <Name>" (style
// 16, over parent), leaves Html1 as it was and returns false.
bool GenerateHtml(const MenuTable& table, QPlainTextEdit& Html1, Platform& platform,
                  QWidget* parent);

} // namespace lanternix
