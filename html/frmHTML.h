#pragma once

#include "platform/ClickTracker.h"

#include <QWidget>

#include <functional>

class QAction;
class QLineEdit;
class QPlainTextEdit;

namespace lanternix {

// "Preview in Browser", F12 anywhere in the window of the widget it is added to.
QAction* newPreviewAction(QObject* parent);

// The HTML code window: an empty code box behind a "Click to generate HTML" overlay; a click
// (or a resize while the overlay shows) runs the generator once and shows the page.
class frmHTML : public QWidget {
    Q_OBJECT
public:
    // Runs the generator, its message included (shown over the given window); true when the
    // page buffer holds a new page.
    using Generator = std::function<bool(QWidget* messageParent)>;
    // Shows the page in the browser, with messages over the given window.
    using Previewer = std::function<void(QWidget* messageParent)>;

    // mainWindow owns the window and lends it its icon; Html1 is its page buffer, only read.
    frmHTML(QWidget& mainWindow, Generator generateHtml, const QPlainTextEdit& Html1,
            Previewer preview);

    QPlainTextEdit* Text1; // the code box
    QLineEdit* Text2;      // the overlay

    // Copies the page into the code box, after running the generator, while the overlay shows.
    void ok();

    void Form_Resize();
    void Form_Activate();
    void Text1_Click();
    void Text2_Click();
    void Text2_GotFocus();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    Generator generateHtml_;
    const QPlainTextEdit& Html1_;
    // Activate belongs to the window becoming the application's active window once it is shown,
    // not to every return from a message box or from another program.
    bool activatePending_ = false;
    ClickTracker codeBoxClicks_, overlayClicks_;
};

} // namespace lanternix
