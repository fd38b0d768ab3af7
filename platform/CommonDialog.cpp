#include "platform/CommonDialog.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace lanternix {

bool CommonDialog::ShowSave() {
    return show(true);
}
bool CommonDialog::ShowOpen() {
    return show(false);
}

bool CommonDialog::show(bool save) {
    FileDialogRequest req;
    req.mode = save ? FileDialogRequest::Save : FileDialogRequest::Open;
    req.title = DialogTitle;
    req.filter = toolkitFilter(Filter);
    req.flags = Flags;
    req.fileName = FileName;
    req.startFolder = InitDir;
    for (;;) {
        const auto chosen = platform_.fileDialog(owner_, req);
        if (!chosen)
            return false;
        QString name = *chosen;
        const QFileInfo file(name);
        if (save && !DefaultExt.isEmpty() && !name.isEmpty() &&
            !file.fileName().contains(QLatin1Char('.')))
            name += QLatin1Char('.') + DefaultExt;
        // Asked here, after the extension is added: the toolkit's dialog asks about the name as
        // typed, so it is told not to.
        const QFileInfo target(name);
        if (save && (Flags & cdlOFNOverwritePrompt) && target.exists() && !target.isDir() &&
            platform_.ask(owner_,
                          QStringLiteral("%1 already exists. Do you want to replace it?")
                              .arg(QDir::toNativeSeparators(name)),
                          Buttons::YesNo) != Answer::Yes) {
            req.fileName = name;
            continue;
        }
        FileName = name;
        return true;
    }
}

QString CommonDialog::toolkitFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        out << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return out.join(QStringLiteral(";;"));
}

} // namespace lanternix
