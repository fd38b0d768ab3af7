#include "platform/QtPlatform.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

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
    QMessageBox box(style == vbCritical ? QMessageBox::Critical : QMessageBox::NoIcon, AppTitle,
                    text, QMessageBox::Ok, parent);
    box.exec();
}

void QtPlatform::endProgram() {
    // Leaves every running event loop, modal ones included.
    QCoreApplication::exit(0);
}

} // namespace lanternix
