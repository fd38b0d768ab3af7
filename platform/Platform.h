#pragma once

#include "io/Result.h"

#include <QString>

#include <optional>

class QWidget;

namespace lanternix {

class Registry;

inline const QString AppTitle = QStringLiteral("Lanternix v2.0");

// Message-box styles the program uses.
enum MsgBoxStyle { vbOKOnly = 0, vbCritical = 16, vbExclamation = 48, vbInformation = 64 };

// Common-dialog flags the program uses.
enum DialogFlags {
    cdlOFNOverwritePrompt = 0x2,
    cdlOFNFileMustExist = 0x1000,
    cdlOFNPathMustExist = 0x800,
    cdlOFNNoReadOnlyReturn = 0x8000,
};

// The buttons of a question, and the answer; Save and Discard answer as Yes and No. YesNo is
// for a question whose safe answer is No: No is its default, and Esc answers No.
enum class Buttons { YesNoCancel, SaveDiscardCancel, YesNo };
enum class Answer { Yes, No, Cancel };

struct FileDialogRequest {
    enum Mode { Save, Open } mode = Save;
    QString title;
    QString filter; // the toolkit's form: "HTML files (*.htm *.html)"
    int flags = 0;
    QString fileName;    // shown as the proposed name
    QString startFolder; // where the dialog starts unless the proposed name has a folder
};

// Everything that would block on a person or leave the process goes through here, so the
// windows can be driven by tests with a fake.
class Platform {
public:
    virtual ~Platform() = default;

    // The chosen path, or nullopt when the user cancelled.
    virtual std::optional<QString> fileDialog(QWidget* parent, const FileDialogRequest& req) = 0;
    // Modal; titled AppTitle; one OK button; style as in MsgBoxStyle.
    virtual void messageBox(QWidget* parent, const QString& text, int style) = 0;
    // Modal; titled AppTitle; the first button is the default, Esc or the close box cancels
    // (YesNo: as described there).
    virtual Answer ask(QWidget* parent, const QString& text, Buttons buttons) = 0;
    // Ends the whole program at once, asking nothing.
    virtual void endProgram() = 0;

    // The registry, read only.
    virtual Registry& registry() = 0;
    // True when a normal file (not a folder, not hidden) exists at path.
    virtual bool fileExists(const QString& path) = 0;
    // Starts a program by its full path, shown normally, without waiting for it; false when
    // it could not be started.
    virtual bool startProgram(const QString& path) = 0;
    // Opens a URL in the desktop's default program for it (a web page in the browser); false
    // when none could be started.
    virtual bool openUrl(const QString& url) = 0;
};

} // namespace lanternix

namespace lanternix {

// Shows a failure's message in an error box over parent; true when there was none.
template <class T> bool succeeded(Platform& platform, QWidget* parent, const Result<T>& result) {
    if (!result)
        platform.messageBox(parent, QString::fromStdString(result.failure().message), vbCritical);
    return result.ok();
}

} // namespace lanternix
