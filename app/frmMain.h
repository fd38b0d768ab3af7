#pragma once

#include "platform/CommonDialog.h"
#include "platform/ImageList.h"

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
enum class WhenMissing;

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
    QPlainTextEdit* Html1;                // page buffer, below the visible client area
    QTimer* Timer1;
    ImageList ImageList1;
    CommonDialog CD1; // Save HTML As
    CommonDialog CD2; // Save Project As, Open Project

    frmButton& editor() { return *frmButton_; }
    Module1& module() { return module_; }
    Platform& platform() { return platform_; }

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
    void SaveProject();
    void OpenProject();
    // Open Project after its dialog: the whole file is decoded first, and only a good file
    // replaces the table, the tree and the editor; a bad one is named in a message. Also
    // used for a project named on the command line or dropped on the window.
    bool openProjectFile(const QString& path, WhenMissing missing);

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    Module1& module_;
    Platform& platform_;
    std::unique_ptr<frmButton> frmButton_;
};

} // namespace lanternix
