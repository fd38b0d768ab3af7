#include "app/frmMain.h"

#include "html/GenerateHtml.h"
#include "html/frmHTML.h"
#include "io/PageFile.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace lanternix {

// The HTML button: the code window directly below this one, modal. Qt's application modality
// blocks input to the other windows without a nested event loop; nothing here follows the show.
void frmMain::Command4_Click() {
    Command1[0]->setFocus();
    // Created on first use and discarded when closed.
    frmHTML* w = findChild<frmHTML*>();
    if (!w) {
        w = new frmHTML(
            *this,
            [this](QWidget* parent) {
                return GenerateHtml(module_.table, *Html1, platform_, parent).has_value();
            },
            *Html1);
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->setWindowModality(Qt::ApplicationModal);
    }
    // Below this window, left edges aligned; moved up or left just enough to stay whole on
    // this window's screen. Its frame is taken to be like this window's.
    const QRect frame = frameGeometry();
    const QRect screenArea = screen()->availableGeometry();
    QRect place(frame.bottomLeft() + QPoint(0, 1), w->size() + frame.size() - size());
    place.moveRight(std::min(place.right(), screenArea.right()));
    place.moveBottom(std::min(place.bottom(), screenArea.bottom()));
    place.moveLeft(std::max(place.left(), screenArea.left()));
    place.moveTop(std::max(place.top(), screenArea.top()));
    Form::setPosition(*w, toTwips(place.left()), toTwips(place.top()));
    w->show();
}

// Writes the page to the chosen file, in Windows-1252, whole or not at all.
void frmMain::SaveHtmlAs() {
    CD1.DialogTitle = QStringLiteral("Save HTML As");
    CD1.Filter = QStringLiteral("HTML files | *.htm;*.html");
    CD1.Flags = cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn; // no overwrite prompt
    if (!CD1.ShowSave())
        return; // cancelled: nothing changes
    const QString file = CD1.FileName;
    if (const auto error = savePageFile(file.toStdString(), module_.table)) {
        platform_.messageBox(this, QString::fromStdString(error->message), vbCritical);
        return;
    }
    setWindowTitle(QString::fromStdString(PathHead(file.toStdString())));
}

} // namespace lanternix
