#include "platform/QtPlatform.h"

#ifdef _WIN32
#include "platform/WindowsRegistry.h"
#else
#include "platform/MemoryRegistry.h"
#endif

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

namespace lanternix {

namespace {

// What the dialog flags forbid, as a message, or empty when the choice is acceptable.
QString refusal(const FileDialogRequest& req, const QString& path) {
    const QFileInfo info(path);
    if ((req.flags & cdlOFNPathMustExist) && !info.absoluteDir().exists())
        return QStringLiteral("The folder of %1 does not exist.").arg(path);
    if ((req.flags & cdlOFNFileMustExist) && !info.exists())
        return QStringLiteral("%1 does not exist.").arg(path);
    if ((req.flags & cdlOFNNoReadOnlyReturn) && info.exists() && !info.isWritable())
        return QStringLiteral("%1 is read-only. Choose another name.").arg(path);
    return {};
}

} // namespace

std::optional<QString> QtPlatform::fileDialog(QWidget* parent, const FileDialogRequest& req) {
    QFileDialog dlg(parent, req.title);
    dlg.setNameFilter(req.filter);
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    dlg.setAcceptMode(req.mode == FileDialogRequest::Save ? QFileDialog::AcceptSave
                                                          : QFileDialog::AcceptOpen);
    dlg.setFileMode((req.flags & cdlOFNFileMustExist) ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
    if (!req.fileName.isEmpty())
        dlg.selectFile(req.fileName);
    for (;;) {
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
            return std::nullopt;
        const QString path = dlg.selectedFiles().constFirst();
        const QString why = refusal(req, path);
        if (why.isEmpty())
            return path;
        QMessageBox::warning(&dlg, req.title, why);
    }
}

void QtPlatform::messageBox(QWidget* parent, const QString& text, int style) {
    const QMessageBox::Icon icon = style == vbCritical      ? QMessageBox::Critical
                                   : style == vbExclamation ? QMessageBox::Warning
                                   : style == vbInformation ? QMessageBox::Information
                                                            : QMessageBox::NoIcon;
    QMessageBox box(icon, AppTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

Answer QtPlatform::ask(QWidget* parent, const QString& text, Buttons buttons) {
    const bool save = buttons == Buttons::SaveDiscardCancel;
    const QMessageBox::StandardButton yes = save ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = save ? QMessageBox::Discard : QMessageBox::No;
    QMessageBox box(QMessageBox::Question, AppTitle, text, yes | no | QMessageBox::Cancel, parent);
    box.setDefaultButton(yes);
    box.setEscapeButton(QMessageBox::Cancel);
    if (save) { // letters to press, as Yes and No have
        box.button(yes)->setText(QStringLiteral("&Save"));
        box.button(no)->setText(QStringLiteral("&Discard"));
    }
    const int chosen = box.exec();
    return chosen == yes ? Answer::Yes : chosen == no ? Answer::No : Answer::Cancel;
}

void QtPlatform::endProgram() {
    // Leaves every running event loop, modal ones included.
    QCoreApplication::exit(0);
}

// The registry, files and programs the About box's System Info uses.

QtPlatform::QtPlatform()
#ifdef _WIN32
    : registry_(std::make_unique<WindowsRegistry>())
#else
    // No system registry here: one that stays empty, so System Info says it is unavailable.
    : registry_(std::make_unique<MemoryRegistry>())
#endif
{
}

QtPlatform::~QtPlatform() = default;

Registry& QtPlatform::registry() {
    return *registry_;
}

bool QtPlatform::fileExists(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

bool QtPlatform::startProgram(const QString& path) {
    return !path.isEmpty() && QProcess::startDetached(path, {});
}

bool QtPlatform::openUrl(const QString& url) {
    return QDesktopServices::openUrl(QUrl(url));
}

} // namespace lanternix
