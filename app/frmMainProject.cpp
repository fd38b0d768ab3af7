#include "app/frmMain.h"

namespace lanternix {

// Save Project As and Open Project.
void frmMain::SaveProject() {}
void frmMain::OpenProject() {}

} // namespace lanternix
