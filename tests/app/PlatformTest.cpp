#include "platform/CommonDialog.h"
#include "platform/QtPlatform.h"
#include "platform/TreeView.h"
#include "support/FakePlatform.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace lanternix;

namespace {

using Step = std::function<void(QWidget&)>;

// Runs each step on the next modal dialog to open, from a timer of that dialog's own event loop.
// A dialog still open a second after the last step is closed as a failure: nothing waits on a
// person.
class Dialogs : public QObject {
public:
    explicit Dialogs(std::vector<Step> steps) : steps_(std::move(steps)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (w && w != last_ && next_ < steps_.size()) {
                last_ = w;
                idle_.start();
                steps_[next_++](*w);
            } else if (w && idle_.hasExpired(1000)) {
                ADD_FAILURE() << "left open: " << w->windowTitle().toStdString();
                qobject_cast<QDialog*>(w)->done(QDialog::Rejected);
            }
        });
        timer_.start(10);
        idle_.start();
    }
    ~Dialogs() override { EXPECT_EQ(next_, steps_.size()) << "dialogs that never opened"; }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    QWidget* last_ = nullptr;
    QTimer timer_;
    QElapsedTimer idle_;
};

// The button captions of a message box, sorted, and the default one marked with a star.
QString buttonsOf(const QMessageBox& box) {
    QStringList captions;
    for (const QAbstractButton* b : box.buttons())
        captions << b->text() +
                        (b == static_cast<QAbstractButton*>(box.defaultButton()) ? "*" : "");
    captions.sort();
    return captions.join(' ');
}

// What a message box shows, then the button or key that answers it.
Step answer(QString& seen, const QString& press) {
    return [&seen, press](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        seen =
            QStringList{box.windowTitle(), box.text(), QString::number(box.icon()), buttonsOf(box)}
                .join('|');
        if (press == "Esc" || press == "Return")
            return QTest::keyClick(&box, press == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        for (QAbstractButton* b : box.buttons())
            if (b->text() == press)
                return b->click();
    };
}

} // namespace

TEST(QtPlatform, MessageBoxesAndQuestions) {
    QtPlatform platform;
    QString seen;
    const std::pair<int, QString> styles[] = {
        {vbOKOnly, "0"}, {vbCritical, "3"}, {vbExclamation, "2"}, {vbInformation, "1"}};
    for (const auto& [style, icon] : styles) {
        Dialogs d({answer(seen, "OK")});
        platform.messageBox(nullptr, "Saved.", style);
        EXPECT_EQ(seen, "Lanternix v2.0|Saved.|" + icon + "|OK");
    }

    const QString yesNo = "Lanternix v2.0|Save?|4|&No &Yes* Cancel";
    const QString saveDiscard = "Lanternix v2.0|Save?|4|&Discard &Save* Cancel";
    const struct {
        Buttons buttons;
        QString press, shown;
        Answer answer;
    } questions[] = {{Buttons::YesNoCancel, "&Yes", yesNo, Answer::Yes},
                     {Buttons::YesNoCancel, "&No", yesNo, Answer::No},
                     {Buttons::YesNoCancel, "Cancel", yesNo, Answer::Cancel},
                     {Buttons::YesNoCancel, "Return", yesNo, Answer::Yes},
                     {Buttons::SaveDiscardCancel, "&Save", saveDiscard, Answer::Yes},
                     {Buttons::SaveDiscardCancel, "&Discard", saveDiscard, Answer::No},
                     {Buttons::SaveDiscardCancel, "Esc", saveDiscard, Answer::Cancel}};
    for (const auto& q : questions) {
        Dialogs d({answer(seen, q.press)});
        EXPECT_EQ(platform.ask(nullptr, "Save?", q.buttons), q.answer) << q.press.toStdString();
        EXPECT_EQ(seen, q.shown);
    }
}

// A choice the flags forbid is refused in a message titled as the dialog, which asks again.
TEST(QtPlatform, FileDialogAsksAgainUntilTheFlagsAllowTheChoice) {
    test::TempFolder dir;
    const QString d = QString::fromStdString(dir.path.string()) + "/";
    test::writeBytes(dir.file("old.htm"), "old");
    const QString readOnly = "/proc/sys/kernel/osrelease"; // not writable even for root
    QStringList seen;
    auto choose = [&seen](const QString& path, bool validated = true) -> Step {
        return [&seen, path, validated](QWidget& w) {
            auto& dlg = static_cast<QFileDialog&>(w);
            QDialog& asDialog = dlg; // its accept() is public there
            QLineEdit* name = dlg.findChild<QLineEdit*>("fileNameEdit");
            // The name only: the dialog may or may not have moved to the folder yet.
            seen << QStringList{dlg.windowTitle(), dlg.nameFilters().join(";;"),
                                dlg.acceptMode() == QFileDialog::AcceptSave ? "save" : "open",
                                dlg.fileMode() == QFileDialog::ExistingFile ? "existing" : "any",
                                QFileInfo(name->text()).fileName()}
                        .join('|');
            name->setText(path);
            if (!validated) // as a system's own dialog may give it back
                return asDialog.done(QDialog::Accepted);
            path.isNull() ? asDialog.reject() : asDialog.accept();
        };
    };
    QString refusal;
    const Step refused = [&](QWidget& w) {
        answer(refusal, "OK")(w);
        seen << refusal;
    };
    const QString html = "Save HTML As|HTML files (*.htm *.html)|save|any|";
    const struct {
        FileDialogRequest request;
        std::vector<Step> steps;
        std::optional<QString> chosen;
        QStringList shown;
    } rows[] = {
        {{FileDialogRequest::Save, "Save HTML As", "HTML files (*.htm *.html)",
          cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn, "menu.htm"},
         {choose(d + "gone/x.htm"), refused, choose(d + "old.htm")},
         d + "old.htm",
         {html + "menu.htm", "Save HTML As|The folder of " + d + "gone/x.htm does not exist.|2|OK*",
          html + "x.htm"}},
        {{FileDialogRequest::Save, "Save HTML As", "HTML files (*.htm *.html)",
          cdlOFNNoReadOnlyReturn, ""},
         {choose(readOnly), refused, choose(QString())},
         std::nullopt,
         {html, "Save HTML As|" + readOnly + " is read-only. Choose another name.|2|OK*",
          html + "osrelease"}},
        {{FileDialogRequest::Open, "Open", "P (*.lxp)", cdlOFNFileMustExist, ""},
         {choose(d + "new.lxp", false), refused, choose(QString())},
         std::nullopt,
         {"Open|P (*.lxp)|open|existing|", "Open|" + d + "new.lxp does not exist.|2|OK*",
          "Open|P (*.lxp)|open|existing|new.lxp"}},
        {{FileDialogRequest::Open, "Open", "P (*.lxp)", 0, ""},
         {choose(d + "new.lxp")},
         d + "new.lxp",
         {"Open|P (*.lxp)|open|any|"}},
    };
    QtPlatform platform;
    for (const auto& row : rows) {
        seen.clear();
        Dialogs dialogs(row.steps);
        EXPECT_EQ(platform.fileDialog(nullptr, row.request), row.chosen);
        EXPECT_EQ(seen, row.shown);
    }
}

// Ending the program leaves every running event loop at once, a modal one's included.
TEST(QtPlatform, EndProgramLeavesEveryEventLoop) {
    QtPlatform platform;
    bool boxClosed = false;
    QTimer::singleShot(0, [&] {
        platform.messageBox(nullptr, "Saved.", vbOKOnly);
        boxClosed = true;
    });
    Dialogs d({[&](QWidget&) { platform.endProgram(); }});
    QTimer::singleShot(5000, [] { QCoreApplication::exit(9); }); // should it not end
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(boxClosed);
}

TEST(CommonDialog, KeepsSettingsBetweenUsesAndTellsCancelApart) {
    test::FakePlatform platform;
    CommonDialog cd(platform);
    cd.DialogTitle = "Save HTML As";
    cd.Filter = "HTML files | *.htm;*.html| All | *.*";
    cd.Flags = 0x8800;
    platform.fileAnswers = {QString("/tmp/a.htm"), QString()};
    EXPECT_TRUE(cd.ShowSave());
    EXPECT_FALSE(cd.ShowOpen());
    EXPECT_EQ(cd.FileName, "/tmp/a.htm"); // a cancel keeps the last name
    ASSERT_EQ(platform.fileRequests.size(), 2u);
    const FileDialogRequest& r = platform.fileRequests[1];
    EXPECT_EQ(QStringList({r.mode == FileDialogRequest::Open ? "open" : "save", r.title, r.filter,
                           QString::number(r.flags), r.fileName}),
              QStringList({"open", "Save HTML As", "HTML files (*.htm *.html);;All (*.*)", "34816",
                           "/tmp/a.htm"}));
    EXPECT_EQ(platform.fileRequests[0].mode, FileDialogRequest::Save);
}

TEST(TreeNodes, KeysIndexesAndRemovalWithChildren) {
    TreeView view;
    TreeNodes& n = view.Nodes();
    ASSERT_TRUE(n.Add("r", "HTML", "Closed"));
    n(1).setExpanded(true);
    ASSERT_TRUE(n.Add("r", TreeNodes::tvwChild, "Image1", "Image1", "Image"));
    ASSERT_TRUE(n.Add("r", TreeNodes::tvwChild, "Image2", "Image2", "Image"));
    EXPECT_EQ(n.Add("r", TreeNodes::tvwChild, "Image2", "again", "Image"), nullptr);
    EXPECT_EQ(n.Add("nope", TreeNodes::tvwChild, "Image3", "Image3", "Image"), nullptr);
    EXPECT_EQ(n.Add("r", 1, "Image3", "Image3", "Image"), nullptr);
    EXPECT_TRUE(n(1).item()->isExpanded()) << "expanded before it had children";
    n.Remove(2);
    n.Remove(3); // out of range: nothing
    ASSERT_EQ(n.Count(), 2);
    EXPECT_EQ(n(2).Key(), "Image2"); // later indexes move up
    n.Remove(1);                     // the root takes its children along
    EXPECT_EQ(n.Count() + view.topLevelItemCount(), 0);
}
