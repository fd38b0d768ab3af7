#include "app/frmMain.h"

#include "html/GenerateHtml.h"
#include "html/HtmlGenerator.h"
#include "html/frmHTML.h"
#include "io/AtomicFile.h"
#include "io/PageFile.h"
#include "io/PictureCheck.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
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
                return GenerateHtml(module_.table, *Html1, platform_, parent).has_value();
            },
            *Html1, [this](QWidget* over) { PreviewInBrowser(over); });
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
    CD1.Flags = cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn; // no overwrite prompt
    if (!CD1.ShowSave())
        return; // cancelled: nothing changes
    const QString file = CD1.FileName;
    if (const auto error = savePageFile(file.toStdString(), module_.table)) {
        platform_.messageBox(this, QString::fromStdString(error->message), vbCritical);
        return;
    }
    setWindowTitle(QString::fromStdString(PathHead(file.toStdString())));
    pageFolder_ = QFileInfo(file).absolutePath();

    const std::vector<std::string> findings =
        checkPictures(module_.table, QDir::toNativeSeparators(pageFolder_).toStdString());
    if (findings.empty())
        return;
    constexpr std::size_t Shown = 15; // a message box taller than the screen helps nobody
    QString text = QStringLiteral("The page is saved. Once it is published from %1, this may not "
                                  "work:\n")
                       .arg(QDir::toNativeSeparators(pageFolder_));
    for (std::size_t i = 0; i < std::min(findings.size(), Shown); ++i)
        text += QStringLiteral("\n\u2022 ") + QString::fromStdString(findings[i]);
    if (findings.size() > Shown)
        text += QStringLiteral("\n... and %1 more.").arg(findings.size() - Shown);
    platform_.messageBox(this, text, vbInformation);
}

void frmMain::PreviewInBrowser(QWidget* over) {
    const QString folder = !pageFolder_.isEmpty()      ? pageFolder_
                           : !projectFolder_.isEmpty() ? projectFolder_
                                                       : QDir::currentPath();
    const QString base =
        QUrl::fromLocalFile(folder + QLatin1Char('/')).toString(QUrl::FullyEncoded);
    const PageBytes page = encodePreview(module_.table, base.toStdString());
    if (page.missingDefaultFor) {
        platform_.messageBox(over,
                             QString::fromStdString(missingDefaultMessage(*page.missingDefaultFor)),
                             vbCritical);
        return;
    }
    if (!previewFolder_)
        previewFolder_ = std::make_unique<QTemporaryDir>();
    const QString file = previewFolder_->filePath(QStringLiteral("menu-preview.htm"));
    std::optional<std::string> failure;
    if (!previewFolder_->isValid())
        failure = previewFolder_->errorString().toStdString();
    else
        failure = writeFileAtomically(file.toStdString(), page.bytes);
    if (failure) {
        platform_.messageBox(
            over, QString::fromStdString(cannotSavePage(file.toStdString(), *failure)), vbCritical);
        return;
    }
    if (!platform_.openUrl(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded)))
        platform_.messageBox(over,
                             QStringLiteral("No web browser could be started to show %1.")
                                 .arg(QDir::toNativeSeparators(file)),
                             vbCritical);
}

} // namespace lanternix
