#include "app/frmMain.h"

#include "editor/frmButton.h"
#include "html/frmHTML.h"
#include "model/Module1.h"
#include "platform/Form.h"
#include "platform/LinkLabel.h"
#include "platform/Platform.h"
#include "platform/TreeView.h"
#include "platform/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace lanternix {

namespace {

const QColor LinkBlue(0, 0, 255);
const QColor LinkPressed(255, 0, 255);

void setTextColor(QLabel* label, const QColor& c) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, c);
    label->setPalette(p);
}

} // namespace

frmMain::frmMain(Module1& module, Platform& platform)
    : CD1(platform, this), CD2(platform, this), module_(module), platform_(platform),
      document_(module) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lanternix 2.0"));
    // From a picture, not a file name: a named icon file makes the toolkit load every image
    // plugin at start.
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/pictures/lanternix.xpm"))));
    resize(toPixels(4560), toPixels(4605));
    setAcceptDrops(true); // a project file dropped on the window opens

    ImageList1.add(QStringLiteral("Open"), QPixmap(QStringLiteral(":/pictures/open.xpm")));
    ImageList1.add(QStringLiteral("Closed"), QPixmap(QStringLiteral(":/pictures/closed.xpm")));
    ImageList1.add(QStringLiteral("Image"), QPixmap(QStringLiteral(":/pictures/image.xpm")));

    List1 = newControl<TreeView>(this, "List1", 120, 120, 2655, 3495);
    List1->setImageList(&ImageList1);

    Label1 = newControl<QLabel>(this, "Label1", 120, 3840, 2655, 615,
                                QStringLiteral("In the HTML the images will arrive according to "
                                               "the Number they have, no the order in this list."));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Command3[1] = newControl<QPushButton>(this, "Command3_1", 2880, 1320, 1575, 375,
                                          QStringLiteral("&Open Project"));
    Command3[0] = newControl<QPushButton>(this, "Command3_0", 2880, 1800, 1575, 375,
                                          QStringLiteral("Save &Project As"));
    Command1[1] = newControl<QPushButton>(this, "Command1_1", 2880, 2280, 1590, 375,
                                          QStringLiteral("&Save HTML As"));
    Command1[0] =
        newControl<QPushButton>(this, "Command1_0", 2880, 2760, 1590, 375, QStringLiteral("E&xit"));
    Command2 = newControl<QPushButton>(this, "Command2", 2760, 3240, 1095, 375,
                                       QStringLiteral("&Add Image"));
    Command4 =
        newControl<QPushButton>(this, "Command4", 3180, 4350, 570, 210, QStringLiteral("HTML"));
    // Save HTML As is this window's Enter button (drawn so; keyPressEvent runs it).
    Command1[1]->setDefault(true);

    Label2 = newControl<LinkLabel>(this, "Label2", 3960, 4320, 510, 240, QStringLiteral("About"));
    QFont linkFont(QStringLiteral("Arial"));
    linkFont.setPointSizeF(9.75);
    linkFont.setUnderline(true);
    Label2->setFont(linkFont);
    Label2->setCursor(Qt::UpArrowCursor);
    setTextColor(Label2, LinkBlue);

    setTabOrder(Command1[0], List1);
    setTabOrder(List1, Command1[1]);
    setTabOrder(Command1[1], Command2);
    setTabOrder(Command2, Command3[0]);
    setTabOrder(Command3[0], Command3[1]);
    setTabOrder(Command3[1], Command4);
    // At start the window itself holds the focus, where the unseen page buffer would stand
    // first in the tab order: no control looks focused, and the first Tab goes to Exit.
    setFocus();

    // F12 anywhere in this window, or the tree's context menu, previews the page in the browser.
    QAction* previewAction = newPreviewAction(this);
    connect(previewAction, &QAction::triggered, this, [this] { PreviewInBrowser(this); });
    List1->addAction(previewAction);
    List1->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    for (int i = 0; i < 2; ++i) {
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(Command3[i], &QPushButton::clicked, this, [this, i] { Command3_Click(i); });
    }
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(List1, &TreeView::NodeClick, this, [this](TreeNode& n) { List1_NodeClick(n); });
    connect(List1, &TreeView::DblClick, this, [this] { List1_DblClick(); });
    connect(Label2, &LinkLabel::MouseDown, this, [this] { Label2_MouseDown(); });
    connect(Label2, &LinkLabel::MouseUp, this, [this] { Label2_MouseUp(); });
    connect(Label2, &LinkLabel::Click, this, [this] { Label2_Click(); });

    // Load steps.
    List1->Nodes().Add(QStringLiteral("r"), QStringLiteral("HTML"), QStringLiteral("Closed"));
    List1->Nodes()(1).setExpanded(true);
    // Html1 is empty when it is made, on first use.
    // The editor is created by editor(), at the latest by the first tick after this window is
    // on screen, which shows it docked: this window appears sooner, and the editor never
    // appears anywhere but at its edge.

    Timer1 = new QTimer(this);
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Timer1->start();
}

frmMain::~frmMain() = default;

QPlainTextEdit& frmMain::pageBuffer() {
    // Made on first use, not with the window: a text box loads the font database, which can wait
    // until the window is on the screen. Below the client area's initial bottom edge, and hidden
    // as well: a maximised window would show it.
    if (!Html1) {
        Html1 = newControl<QPlainTextEdit>(this, "Html1", 240, 4785, 3915, 2775);
        Html1->setFocusPolicy(Qt::NoFocus); // unseen, so it never takes keys
        Html1->hide();
    }
    return *Html1;
}

void frmMain::Command2_Click() {
    const auto n = module_.addImage();
    if (!n) {
        platform_.messageBox(this, QStringLiteral("Maximum 99 images"), vbCritical);
        return;
    }
    const QString name = QString::fromStdString(imageKey(*n));
    List1->Nodes().Add(QStringLiteral("r"), TreeNodes::tvwChild, name, name,
                       QStringLiteral("Image"));
}

void frmMain::List1_NodeClick(TreeNode& node) {
    if (node.Key() == QLatin1String("r"))
        return;
    const auto slot = module_.table.findByName(node.Key().toStdString());
    if (!slot)
        return;
    frmButton& e = editor();
    // The image already in the editor keeps what was typed; typing for another is asked about.
    const QString editing = e.Key1->text();
    if (node.Key() == editing)
        return;
    if (e.isModified()) {
        const Answer a = platform_.ask(this, QStringLiteral("Save changes to %1?").arg(editing),
                                       Buttons::YesNoCancel);
        if (a == Answer::Cancel || (a == Answer::Yes && !e.save())) {
            List1->highlight(List1->Nodes().find(editing));
            return;
        }
    }
    e.load(module_.table.slot(*slot));
}

void frmMain::List1_DblClick() {
    List1->Nodes()(1).setExpanded(true);
}

void frmMain::Command1_Click(int Index) {
    if (Index == 1)
        SaveHtmlAs();
    else if (askToSaveChanges())
        platform_.endProgram();
}

void frmMain::Command3_Click(int Index) {
    if (Index == 0)
        SaveProject();
    else
        OpenProject();
}

void frmMain::Label2_MouseDown() {
    setTextColor(Label2, LinkPressed);
}
void frmMain::Label2_MouseUp() {
    setTextColor(Label2, LinkBlue);
}

frmButton& frmMain::editor() {
    if (!frmButton_) {
        frmButton_ = std::make_unique<frmButton>(module_, *List1, platform_, document_);
        frmButton_->setWindowIcon(windowIcon());
        frmButton_->installEventFilter(this);
        // It keeps the keyboard with this window when it first appears.
        frmButton_->setAttribute(Qt::WA_ShowWithoutActivating);
        Form::setPosition(*frmButton_, Form::Left(*this) + Form::Width(*this), Form::Top(*this));
    }
    return *frmButton_;
}

void frmMain::Timer1_Timer() {
    if (!frmButton_ && !testAttribute(Qt::WA_Mapped))
        return; // nothing to dock yet
    frmButton& e = editor();

    // Docking: only while neither window is minimised or maximised.
    if (Form::State(*this) == Form::Normal && Form::State(e) == Form::Normal) {
        QPoint mainAt, editorAt;
        windowPositions_.read(*this, mainAt, e, editorAt);
        const int left = toTwips(mainAt.x()) + Form::Width(*this);
        const int top = toTwips(mainAt.y());
        if (toTwips(editorAt.x()) != left || toTwips(editorAt.y()) != top)
            Form::setPosition(e, left, top);
    }

    // Minimising together; a maximised main window changes nothing.
    if (Form::State(e) == Form::Normal && Form::State(*this) == Form::Minimized)
        Form::setState(e, Form::Minimized);
    if (Form::State(e) == Form::Minimized && Form::State(*this) == Form::Normal)
        Form::setState(e, Form::Normal);

    // Selection state follows Key1; every property is written only when it differs. The boxes
    // take typing only for a selected image, as what is typed belongs to it.
    const QString key = e.Key1->text();
    for (const auto& box : e.boxes())
        if (box.first->isEnabled() == key.isEmpty())
            box.first->setEnabled(!key.isEmpty());
    if (!key.isEmpty()) {
        if (!e.Command1->isEnabled())
            e.Command1->setEnabled(true);
        if (!e.Command2->isEnabled())
            e.Command2->setEnabled(true);
        if (e.windowTitle() != key)
            e.setWindowTitle(key);
    } else if (e.Command1->isEnabled()) {
        e.Command1->setEnabled(false);
        e.Command2->setEnabled(false);
        e.setWindowTitle(QStringLiteral("No image selected"));
    }

    // The editor's first appearance: docked and captioned by the steps above. The keyboard
    // stays with this window, also where no window manager hands it over.
    if (e.isHidden() && testAttribute(Qt::WA_Mapped)) {
        e.show();
        activateWindow();
    }
}

bool frmMain::hasUnsavedChanges() const {
    return document_.hasUnsavedChanges() || (frmButton_ && frmButton_->isModified());
}

bool frmMain::askToSaveChanges(QWidget* over) {
    if (!hasUnsavedChanges())
        return true;
    switch (platform_.ask(over ? over : this, QStringLiteral("Save changes to the project?"),
                          Buttons::SaveDiscardCancel)) {
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    case Answer::Yes:
        break;
    }
    // What is typed in the editor goes into the project first, as its Save would store it.
    if (frmButton_ && frmButton_->isModified() && !frmButton_->save())
        return false;
    return SaveProject();
}

void frmMain::closeEvent(QCloseEvent* e) {
    if (!askToSaveChanges()) {
        e->ignore();
        return;
    }
    e->accept();
    platform_.endProgram();
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
    // Closing the editor ends the program as well, so it asks first in the same way; over the
    // editor, which a window manager keeps the keyboard with.
    if (watched == frmButton_.get() && e->type() == QEvent::Close &&
        !askToSaveChanges(frmButton_.get())) {
        e->ignore();
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void frmMain::keyPressEvent(QKeyEvent* e) {
    // Return runs Save HTML As wherever the focus is, except on a button: as on Windows, a
    // focused button takes Return as its own click. The tree passes Return on to here.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (!enter || (e->modifiers() & ~Qt::KeypadModifier)) {
        QWidget::keyPressEvent(e);
        return;
    }
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    (button ? button : Command1[1])->click();
}

} // namespace lanternix
