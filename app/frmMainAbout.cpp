#include "app/frmMain.h"

#include "about/frmAbout.h"

namespace lanternix {

// The About label's click opens the About box, modally; it is built afresh each time and
// discarded when closed.
void frmMain::Label2_Click() {
    frmAbout box(windowIcon(), platform_, this);
    box.exec();
}

} // namespace lanternix
