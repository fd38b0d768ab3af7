#include "app/frmMain.h"

namespace lanternix {

// The HTML button and Save HTML As.
void frmMain::Command4_Click() {}
void frmMain::SaveHtmlAs() {}

} // namespace lanternix
