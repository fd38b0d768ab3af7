#pragma once

#include "platform/CommonDialog.h"
#include "platform/ImageList.h"
#include "platform/WindowPositions.h"
#include "project/ProjectDocument.h"

#include <QWidget>

#include <array>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace lanternix {

struct Module1;
class Platform;
class TreeView;
class TreeNode;
class LinkLabel;
class frmButton;

// The main window: the project tree, the commands, the hidden page buffer Html1, and the
// timer that keeps the editor docked and its state current.
class frmMain : public QWidget {
    Q_OBJECT
public:
    frmMain(Module1& module, Platform& platform);
    ~frmMain() override;

    TreeView* List1;
    QLabel* Label1;
    std::array<QPushButton*, 2> Command3; // 0 Save Project As, 1 Open Project
    std::array<QPushButton*, 2> Command1; // 0 Exit, 1 Save HTML As
    QPushButton* Command2;                // Add Image
    QPushButton* Command4;                // HTML
    LinkLabel* Label2;                    // About
    QPlainTextEdit* Html1 = nullptr;      // page buffer, never shown; see pageBuffer()
    QTimer* Timer1;
    ImageList ImageList1;
    CommonDialog CD1; // Save HTML As
    CommonDialog CD2; // Save Project As, Open Project

    // The image editor, created on first use.
    frmButton& editor();
    // Html1, created on first use.
    QPlainTextEdit& pageBuffer();
    const ProjectDocument& document() const { return document_; }

    // Event handlers, named after their controls.
    void Command2_Click();
    void List1_NodeClick(TreeNode& node);
    void List1_DblClick();
    void Command1_Click(int Index);
    void Command3_Click(int Index);
    void Command4_Click();
    void Label2_MouseDown();
    void Label2_MouseUp();
    void Label2_Click();
    void Timer1_Timer();

    // The commands behind the buttons.
    void SaveHtmlAs();
    // F12, or the tree's and the code box's context menus: the page, with a BASE line naming
    // the folder it will be saved in, shown by the browser from a temporary copy. Messages go
    // over the given window.
    void PreviewInBrowser(QWidget* over);
    // True when the project was written.
    bool SaveProject();
    void OpenProject();
    // Open Project after its dialog: the whole file is decoded first, and only a good file
    // replaces the table, the tree and the editor, and then counts as saved; a bad one is
    // named in a message. Also used for a project named on the command line or dropped on
    // the window (after askToSaveChanges).
    void openProjectFile(const QString& path, WhenMissing missing);

    // The project differs from the one last saved or opened, or the editor holds typing.
    bool hasUnsavedChanges() const;
    // Before the project is closed or replaced: asks about unsaved changes (over the given
    // window, this one by default) and saves them if wanted. True when the caller may go on;
    // false when the user cancelled or the save failed.
    bool askToSaveChanges(QWidget* over = nullptr);

    const WindowPositions& windowPositions() const { return windowPositions_; }
    // Where the file dialogs start: the project's folder once it was saved or opened, else the
    // user's documents.
    QString workFolder() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    Module1& module_;
    Platform& platform_;
    ProjectDocument document_;
    std::unique_ptr<frmButton> frmButton_;
    WindowPositions windowPositions_;
};

} // namespace lanternix
