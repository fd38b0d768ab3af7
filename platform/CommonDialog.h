#pragma once

#include <QString>

class QWidget;

namespace lanternix {

class Platform;

// A file dialog whose settings persist between uses, like a dialog control on a form.
class CommonDialog {
public:
    explicit CommonDialog(Platform& platform, QWidget* owner = nullptr)
        : platform_(platform), owner_(owner) {}

    QString DialogTitle;
    QString Filter; // "Description | *.a;*.b" pairs separated by '|'
    int Flags = 0;
    QString FileName;   // kept between uses; a cancel leaves it as it was
    QString InitDir;    // where the dialog starts when FileName names no folder
    QString DefaultExt; // added to a name saved without an extension: "htm"

    // True when the user chose a file (FileName then holds it), false on cancel. Saving with
    // cdlOFNOverwritePrompt asks before an existing file is chosen; No shows the dialog again.
    bool ShowSave();
    bool ShowOpen();

    // "HTML files | *.htm;*.html" -> "HTML files (*.htm *.html)", one filter per line.
    static QString toolkitFilter(const QString& filter);

private:
    bool show(bool save);

    Platform& platform_;
    QWidget* owner_;
};

} // namespace lanternix
