#include "app/frmMain.h"

#include "editor/frmButton.h"
#include "io/Utf8Path.h"
#include "model/Module1.h"
#include "platform/Platform.h"
#include "platform/TreeView.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace lanternix {

namespace {

const QString ProjectFilter = QStringLiteral("Lanternix Projects | *.lxp");

// The project file a drag carries: one local file named *.lxp, or nothing.
QString draggedProject(const QMimeData* data) {
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return path.endsWith(QLatin1String(".lxp"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

// Save Project As: everything that can refuse the save is checked before the file is touched,
// and the file is replaced in one step, so a failure never costs the previous project.
bool frmMain::SaveProject() {
    CD2.DialogTitle = QStringLiteral("Save Lanternix Project as");
    CD2.Filter = ProjectFilter;
    CD2.Flags = cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn | cdlOFNOverwritePrompt;
    CD2.DefaultExt = QStringLiteral("lxp");
    CD2.InitDir = workFolder();
    if (!CD2.ShowSave() || CD2.FileName.isEmpty())
        return false;
    return succeeded(platform_, this, document_.saveAs(CD2.FileName.toStdString()));
}

// Open Project: unsaved changes are asked about before the dialog. CurrentIndex is left alone.
void frmMain::OpenProject() {
    if (!askToSaveChanges())
        return;
    CD2.DialogTitle = QStringLiteral("Open Lanternix Project");
    CD2.Filter = ProjectFilter;
    CD2.FileName.clear();
    CD2.InitDir = workFolder();
    CD2.ShowOpen();
    if (!CD2.FileName.isEmpty())
        openProjectFile(CD2.FileName, WhenMissing::CreateEmpty);
}

QString frmMain::workFolder() const {
    if (!document_.projectFile().empty())
        return QString::fromStdString(folderOf(document_.projectFile()));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void frmMain::openProjectFile(const QString& path, WhenMissing missing) {
    const Result<> opened = document_.open(path.toStdString(), missing);
    if (!succeeded(platform_, this, opened))
        return;
    TreeNodes& nodes = List1->Nodes();
    nodes.Remove(1);
    nodes.Add(QStringLiteral("r"), QStringLiteral("HTML"), QStringLiteral("Closed"));
    nodes(1).setExpanded(true);
    for (int n = 1; n <= MenuTable::SlotCount; ++n) {
        if (!module_.table.isUsed(n))
            continue;
        const QString name = QString::fromStdString(*module_.table.slot(n).Name);
        nodes.Add(QStringLiteral("r"), TreeNodes::tvwChild, name, name, QStringLiteral("Image"));
    }
    editor().clear();
    for (const std::string& warning : opened.warnings)
        platform_.messageBox(this, QString::fromStdString(warning), vbExclamation);
}

void frmMain::dragEnterEvent(QDragEnterEvent* e) {
    if (!draggedProject(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

// A dropped project opens once the drop is over, so that a message about a bad file does not
// hold up the program the file came from.
void frmMain::dropEvent(QDropEvent* e) {
    const QString path = draggedProject(e->mimeData());
    if (path.isEmpty())
        return;
    e->acceptProposedAction();
    QTimer::singleShot(0, this, [this, path] {
        if (askToSaveChanges())
            openProjectFile(path, WhenMissing::Fail);
    });
}

} // namespace lanternix
