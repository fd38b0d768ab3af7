#include "html/frmHTML.h"

#include "platform/Twips.h"

#include <QAction>
#include <QEvent>
#include <QFont>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>

namespace lanternix {

namespace {

// The code box copies plain text only: an editor that prefers a rich-text copy would paste the
// page as formatted text, its markup escaped, rather than as the page.
class CodeBox : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    QMimeData* createMimeDataFromSelection() const override {
        auto* copied = new QMimeData;
        copied->setText(textCursor().selection().toPlainText());
        return copied;
    }
};

} // namespace

QAction* newPreviewAction(QObject* parent) {
    auto* a = new QAction(QStringLiteral("&Preview in Browser"), parent);
    a->setObjectName(QStringLiteral("Preview"));
    a->setShortcut(Qt::Key_F12); // the key web editors use for it
    a->setShortcutContext(Qt::WindowShortcut);
    return a;
}

frmHTML::frmHTML(QWidget& mainWindow, Generator generateHtml, const QPlainTextEdit& Html1,
                 Previewer preview)
    : QWidget(&mainWindow, Qt::Window), generateHtml_(std::move(generateHtml)), Html1_(Html1) {
    setObjectName(QStringLiteral("frmHTML"));
    setWindowTitle(QStringLiteral("HTML Code"));
    resize(toPixels(4635), toPixels(3195));

    Text1 = newControl<CodeBox>(this, "Text1", 0, 0, 4635, 3210);
    Text1->setReadOnly(true); // and no input method
    // Read-only, yet the user selects and copies the page with mouse or keyboard.
    Text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    Text2 = newControl<QLineEdit>(this, "Text2", 420, 1245, 3945, 480,
                                  QStringLiteral("Click to generate HTML"));
    Text2->setReadOnly(true);
    QFont overlayFont(QStringLiteral("Arial Black")); // of normal weight, upright, plain
    overlayFont.setPointSizeF(14.25);
    Text2->setFont(overlayFont);
    Text2->setCursor(Qt::PointingHandCursor);
    Text2->raise();

    // F12, and the code box's context menu, preview the page in the browser.
    QAction* previewAction = newPreviewAction(this);
    connect(previewAction, &QAction::triggered, this, [this, preview] { preview(this); });
    Text1->addAction(previewAction);
    Text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Text1, &QWidget::customContextMenuRequested, this, [this, previewAction](QPoint at) {
        QMenu* menu = Text1->createStandardContextMenu();
        menu->addSeparator();
        menu->addAction(previewAction);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(Text1->viewport()->mapToGlobal(at));
    });

    setTabOrder(Text1, Text2);
    Text1->viewport()->installEventFilter(this);
    Text2->installEventFilter(this);

    // Load: the main window's icon.
    setWindowIcon(mainWindow.windowIcon());
}

void frmHTML::ok() {
    // The overlay's own flag: during the first resize the window itself is not shown yet.
    if (Text2->isHidden())
        return;
    if (generateHtml_(this))
        Text1->setPlainText(Html1_.toPlainText());
}

void frmHTML::Form_Resize() {
    ok();
    Text2->hide();
    // The code box fills the client area: the outer size less the 120 by 400 twips of the
    // sizable frame this layout was drawn for. Measured from the client area, it fits whatever
    // frame the window manager draws, or none, rather than leaving a band or hiding under one.
    Text1->resize(size());
}

void frmHTML::Form_Activate() {
    Text1->clear();
    Text2->show();
}

void frmHTML::Text1_Click() {
    ok();
    Text2->hide();
}

void frmHTML::Text2_Click() {
    ok();
    Text2->hide();
}

void frmHTML::Text2_GotFocus() {
    Text1->setFocus();
}

void frmHTML::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Form_Resize();
}

void frmHTML::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    activatePending_ = true;
}

bool frmHTML::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate && activatePending_) {
        activatePending_ = false;
        Form_Activate();
    }
    return handled;
}

bool frmHTML::eventFilter(QObject* watched, QEvent* e) {
    ClickTracker& clicks = watched == Text2 ? overlayClicks_ : codeBoxClicks_;
    if (e->type() == QEvent::MouseButtonPress) {
        clicks.press(*static_cast<QMouseEvent*>(e));
    } else if (e->type() == QEvent::MouseButtonRelease) {
        if (clicks.release(*static_cast<QMouseEvent*>(e), *static_cast<QWidget*>(watched)).click)
            watched == Text2 ? Text2_Click() : Text1_Click();
    } else if (e->type() == QEvent::FocusIn && watched == Text2) {
        Text2_GotFocus();
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace lanternix
