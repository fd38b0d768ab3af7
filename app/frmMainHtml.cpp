#include "app/frmMain.h"

#include "html/GenerateHtml.h"
#include "html/frmHTML.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "text/Printable.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

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
                return GenerateHtml(module_.table, pageBuffer(), platform_, parent);
            },
            pageBuffer(), [this](QWidget* over) { PreviewInBrowser(over); });
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

// Writes the page to the chosen file, in Windows-1252, whole or not at all; then says what
// would break once it is published from there.
void frmMain::SaveHtmlAs() {
    CD1.DialogTitle = QStringLiteral("Save HTML As");
    CD1.Filter = QStringLiteral("HTML files | *.htm;*.html");
    CD1.Flags = cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn | cdlOFNOverwritePrompt;
    CD1.DefaultExt = QStringLiteral("htm");
    CD1.InitDir = workFolder();
    if (!CD1.ShowSave())
        return; // cancelled: nothing changes
    const std::string file = CD1.FileName.toStdString();
    const Result<SavedPage> saved = document_.savePage(file);
    if (!succeeded(platform_, this, saved))
        return;
    setWindowTitle(QString::fromStdString(PathHead(file)));
    if (saved->findings.empty())
        return;
    constexpr std::size_t Shown = 15; // a message box taller than the screen helps nobody
    QString text = QStringLiteral("The page is saved. Once it is published from %1, this may not "
                                  "work:\n")
                       .arg(QString::fromStdString(printable(saved->folder)));
    for (std::size_t i = 0; i < std::min(saved->findings.size(), Shown); ++i)
        text += QStringLiteral("\n\u2022 ") + QString::fromStdString(saved->findings[i]);
    if (saved->findings.size() > Shown)
        text += QStringLiteral("\n... and %1 more.").arg(saved->findings.size() - Shown);
    platform_.messageBox(this, text, vbInformation);
}

void frmMain::PreviewInBrowser(QWidget* over) {
    const Result<std::string> file = document_.writePreview();
    if (!succeeded(platform_, over, file))
        return;
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.value()));
    if (!platform_.openUrl(url.toString(QUrl::FullyEncoded)))
        platform_.messageBox(over,
                             QStringLiteral("No web browser could be started to show %1.")
                                 .arg(QDir::toNativeSeparators(url.toLocalFile())),
                             vbCritical);
}

} // namespace lanternix
