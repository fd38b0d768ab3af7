#include "app/frmMain.h"

#include "editor/frmButton.h"
#include "model/Module1.h"
#include "platform/Platform.h"
#include "platform/TreeView.h"
#include "project/ProjectFile.h"

#include <QFile>

namespace lanternix {

namespace {

const QString ProjectFilter = QStringLiteral("Lanternix Projects | *.lxp");

std::string localPath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

} // namespace

// Save Project As: everything that can refuse the save is checked before the file is touched,
// and the file is replaced in one step, so a failure never costs the previous project.
bool frmMain::SaveProject() {
    CD2.DialogTitle = QStringLiteral("Save Lanternix Project as");
    CD2.Filter = ProjectFilter;
    CD2.Flags = cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn;
    if (!CD2.ShowSave())
        return false;
    if (CD2.FileName.isEmpty())
        return false;
    if (const auto error = saveProjectFile(localPath(CD2.FileName), module_.table)) {
        platform_.messageBox(this, QString::fromStdString(*error), vbCritical);
        return false;
    }
    savedTable_ = module_.table;
    return true;
}

// Open Project: unsaved changes are asked about before the dialog. CurrentIndex is left alone.
void frmMain::OpenProject() {
    if (!askToSaveChanges())
        return;
    CD2.DialogTitle = QStringLiteral("Open Lanternix Project");
    CD2.Filter = ProjectFilter;
    CD2.FileName.clear();
    CD2.ShowOpen();
    if (!CD2.FileName.isEmpty())
        openProjectFile(CD2.FileName);
}

bool frmMain::openProjectFile(const QString& path) {
    ProjectRead read = readProjectFile(localPath(path), WhenMissing::CreateEmpty);
    if (read.error) {
        platform_.messageBox(this, QString::fromStdString(*read.error), vbCritical);
        return false;
    }
    module_.table = std::move(read.table);
    savedTable_ = module_.table;

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
    return true;
}

} // namespace lanternix
