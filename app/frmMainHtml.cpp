#include "app/frmMain.h"

#include "html/GenerateHtml.h"
#include "html/frmHTML.h"
#include "io/AtomicFile.h"
#include "io/Windows1252.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <utility>

namespace lanternix {

namespace {

// The first field on the page that Windows-1252 cannot hold, named as the editor labels it.
QString unencodableField(const MenuTable& table, char32_t* character) {
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        const MenuImage& m = table.slot(n);
        if (text(m.DefaultImage).empty())
            continue; // not on the page
        const std::array<std::pair<const Field*, const char*>, 6> fields = {{
            {&m.Name, "name"},
            {&m.DefaultImage, "Default image"},
            {&m.OverImage, "OnOver Image"},
            {&m.Target, "Frameset Target"},
            {&m.StatusText, "Status Text/ALT"},
            {&m.HyperLink, "HyperLink"},
        }};
        for (const auto& [field, label] : fields) {
            const Windows1252Result r = encodeWindows1252(text(*field));
            if (r.error) {
                *character = r.error->character;
                const QString image = QString::fromStdString(text(m.Name));
                return QStringLiteral("the %1 of %2")
                    .arg(QLatin1String(label),
                         image.isEmpty() ? QStringLiteral("image %1").arg(n) : image);
            }
        }
    }
    return {};
}

} // namespace

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

    const std::optional<std::string> page = GenerateHtml(module_.table, *Html1, platform_, this);
    if (!page)
        return;

    const Windows1252Result bytes = encodeWindows1252(*page);
    if (bytes.error) {
        char32_t c = bytes.error->character;
        const QString where = unencodableField(module_.table, &c);
        platform_.messageBox(
            this,
            QStringLiteral("Cannot save %1: %2 holds the character %3 (%4), which an HTML page in "
                           "Windows-1252 cannot hold. Nothing was written.")
                .arg(file, where.isEmpty() ? QStringLiteral("the page") : where,
                     QString::fromUcs4(&c, 1), QString::fromStdString(describeCharacter(c))),
            vbCritical);
        return;
    }
    if (const auto failure =
            writeFileAtomically(QFile::encodeName(file).toStdString(), bytes.bytes)) {
        platform_.messageBox(this,
                             QStringLiteral("Cannot save %1: %2. Nothing was written.")
                                 .arg(file, QString::fromStdString(*failure)),
                             vbCritical);
        return;
    }
    setWindowTitle(QString::fromStdString(PathHead(file.toStdString())));
}

} // namespace lanternix
