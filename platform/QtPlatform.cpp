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
#include <QStandardPaths>
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
    if (!req.startFolder.isEmpty())
        dlg.setDirectory(req.startFolder);
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
    const bool save = buttons == Buttons::SaveDiscardCancel, safeNo = buttons == Buttons::YesNo;
    const QMessageBox::StandardButton yes = save ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = save ? QMessageBox::Discard : QMessageBox::No;
    const QMessageBox::StandardButton cancel = safeNo ? no : QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, AppTitle, text, yes | no | cancel, parent);
    box.setDefaultButton(safeNo ? no : yes);
    box.setEscapeButton(cancel);
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
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // The toolkit starts xdg-open and forgets it, so a desktop without a browser that runs
    // looked like success. Its status is waited for here, for two seconds at most: a browser
    // that xdg-open keeps running in its foreground has started. Run from a shell, which the
    // timer ends, so that xdg-open and the browser live on.
    if (!QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) {
        static const char* const waitForOpener = "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &\n"
                                                 "opener=$!\n"
                                                 "(sleep 2; kill $$) >/dev/null 2>&1 &\n"
                                                 "wait $opener\n"
                                                 "status=$?\n"
                                                 "kill $! 2>/dev/null\n"
                                                 "exit $status\n";
        QProcess opener;
        opener.start(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), QString::fromLatin1(waitForOpener), QStringLiteral("sh"), url});
        if (!opener.waitForStarted())
            return false;
        return !opener.waitForFinished(10000) || opener.exitStatus() == QProcess::CrashExit ||
               opener.exitCode() == 0;
    }
#endif
    return QDesktopServices::openUrl(QUrl(url));
}

} // namespace lanternix
