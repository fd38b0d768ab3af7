#include "app/frmMain.h"

namespace lanternix {

// The About label's click opens the About box.
void frmMain::Label2_Click() {}

} // namespace lanternix
