#include "platform/CommonDialog.h"
#include "platform/QtPlatform.h"
#include "support/Controls.h"
#include "support/Golden.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

using namespace lanternix;

namespace {

using Step = std::function<void(QWidget&)>;

// Runs each step on the next modal dialog to open, from a timer of that dialog's event loop; one
// still open a second after the last step fails and is closed: nothing waits on a person.
struct Dialogs : QObject {
    std::vector<Step> steps;
    std::size_t next = 0;
    QWidget* last = nullptr;
    QElapsedTimer idle;
    explicit Dialogs(std::vector<Step> s) : steps(std::move(s)) { startTimer(10), idle.start(); }
    ~Dialogs() override { EXPECT_EQ(next, steps.size()) << "dialogs that never opened"; }
    void timerEvent(QTimerEvent*) override {
        QWidget* w = QApplication::activeModalWidget();
        if (w && w != last && next < steps.size()) {
            last = w;
            idle.start();
            steps[next++](*w);
        } else if (w && idle.hasExpired(1000)) {
            ADD_FAILURE() << "left open: " << w->windowTitle().toStdString();
            static_cast<QDialog*>(w)->done(QDialog::Rejected);
        }
    }
};

// A message box as a transcript line: title, text, icon, the button captions sorted with the
// default one starred, and what answers it: the button of that caption, or the key Esc or Return.
Step answer(QString& log, const QString& press) {
    return [&log, press](QWidget& w) {
        auto& box = static_cast<QMessageBox&>(w);
        QStringList buttons;
        for (const QAbstractButton* b : box.buttons())
            buttons << b->text() + (b == box.defaultButton() ? "*" : "");
        buttons.sort();
        log += QString("box \"%1\": %2 (icon %3; %4) %5\n")
                   .arg(box.windowTitle(), box.text(), QString::number(box.icon()),
                        buttons.join(' '), press);
        if (press == "Esc" || press == "Return")
            return QTest::keyClick(&box, press == "Esc" ? Qt::Key_Escape : Qt::Key_Return);
        for (QAbstractButton* b : box.buttons())
            if (b->text() == press)
                return b->click();
        ADD_FAILURE() << "no button " << press.toStdString();
    };
}

} // namespace

// Every box and answer as tests/data/messages/qt-boxes.txt shows it: the four icons, then each
// kind of question answered by each button, Return and Esc.
TEST(QtPlatform, MessageBoxesQuestionsAndTheEnd) {
    QtPlatform platform;
    QString log;
    for (int style : {vbOKOnly, vbInformation, vbExclamation, vbCritical}) {
        Dialogs d({answer(log, "OK")});
        platform.messageBox(nullptr, "Saved.", style);
    }
    const std::pair<Buttons, QStringList> questions[] = {
        {Buttons::YesNoCancel, {"&Yes", "&No", "Cancel", "Return", "Esc"}},
        {Buttons::SaveDiscardCancel, {"&Save", "&Discard", "Cancel", "Return", "Esc"}},
        {Buttons::YesNo, {"&Yes", "&No", "Return", "Esc"}}};
    for (const auto& [buttons, presses] : questions)
        for (const QString& press : presses) {
            Dialogs d({answer(log, press)});
            log += QString("answer %1\n").arg(int(platform.ask(nullptr, "Save?", buttons)));
        }
    EXPECT_TRUE(test::matchesGolden("messages/qt-boxes.txt", log.toStdString()));

    // Ending the program leaves every running event loop at once, a modal one's included.
    bool boxClosed = false;
    QTimer::singleShot(0, [&] {
        platform.messageBox(nullptr, "Saved.", vbOKOnly);
        boxClosed = true;
    });
    Dialogs d({[&](QWidget&) { platform.endProgram(); }});
    QObject thisTest; // the guard goes with it, so that it ends no later test's loop
    QTimer::singleShot(5000, &thisTest, [] { QCoreApplication::exit(9); }); // should it not end
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(boxClosed);
}

// What System Info looks for and starts: a visible file, a program that exists.
TEST(QtPlatform, FilesAndPrograms) {
    test::TempFolder dir;
    for (const char* name : {"MSINFO32.EXE", ".hidden"})
        test::writeBytes(dir.file(name), "");
    QtPlatform p;
    const auto in = [&](const char* name) { return QString::fromStdString(dir.file(name)); };
#ifdef _WIN32
    const QString program = qEnvironmentVariable("SystemRoot") + "\\System32\\hostname.exe";
#else
    const QString program = "/bin/true";
#endif
    EXPECT_EQ((std::array{p.fileExists(in("MSINFO32.EXE")), p.fileExists(in(".hidden")),
                          p.fileExists(in("")), p.fileExists(in("none")), p.startProgram(program),
                          p.startProgram(""), p.startProgram(in("none"))}),
              (std::array{true, false, false, false, true, false, false}));
#ifndef _WIN32
    // A page opens through xdg-open, whose failure (no browser that runs) is failure.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir.path.c_str() + (":" + path));
    for (const char* status : {"3", "0"}) {
        test::writeBytes(dir.file("xdg-open"),
                         "#!/bin/sh\necho \"$1\" >\"$0.url\"\nexit " + std::string(status) + "\n");
        std::filesystem::permissions(dir.file("xdg-open"), std::filesystem::perms::owner_all);
        EXPECT_EQ(p.openUrl("file:///a%20b.htm"), *status == '0');
        EXPECT_EQ(test::readBytes(dir.file("xdg-open.url")), "file:///a%20b.htm\n");
    }
    qputenv("PATH", path);
#endif
}

// A choice the flags forbid is refused in a message titled as the dialog, which asks again;
// each dialog, refusal and outcome as tests/data/messages/qt-file-dialogs.txt shows it. The name
// shown without its folder: the dialog may or may not have moved to the folder yet.
TEST(QtPlatform, FileDialogAsksAgainUntilTheFlagsAllowTheChoice) {
    test::TempFolder dir;
    // As the dialogs give paths back: with slashes.
    const QString d = QDir::fromNativeSeparators(QString::fromStdString(dir.path.string())) + "/",
                  none;
    test::writeBytes(dir.file("old.htm"), "old");
#ifdef _WIN32
    const QString readOnly = d + "ro/osrelease"; // the read-only attribute binds everyone
    std::filesystem::create_directory(dir.path / "ro");
    test::writeBytes(dir.file("ro/osrelease"), "");
    QFile::setPermissions(readOnly, QFile::ReadOwner);
#else
    const QString readOnly = "/proc/sys/kernel/osrelease"; // not writable even for root
#endif
    QString log;
    QStringList names; // chosen in turn, a null one cancels
    const Step step = [&](QWidget& w) {
        if (qobject_cast<QMessageBox*>(&w))
            return answer(log, "Return")(w);
        auto& dlg = static_cast<QFileDialog&>(w);
        QLineEdit* name = dlg.findChild<QLineEdit*>("fileNameEdit");
        const bool save = dlg.acceptMode() == QFileDialog::AcceptSave;
        const QString chosen = names.takeFirst();
        log += QString("%1 dialog \"%2\" (%3, %4) showing \"%5\": %6\n")
                   .arg(save ? "Save" : "Open", dlg.windowTitle(), dlg.nameFilters().join(";;"),
                        dlg.fileMode() == QFileDialog::ExistingFile ? "existing file" : "any file",
                        QFileInfo(name->text()).fileName(), chosen.isNull() ? "cancel" : chosen);
        name->setText(chosen);
        QDialog& asDialog = dlg; // its accept() is public there
        // Saving, the dialog checks the name itself first (and must not ask to overwrite); an
        // open dialog gives it back unchecked, as a system's own may.
        chosen.isNull() ? asDialog.reject() : save ? asDialog.accept() : asDialog.done(1);
    };
    auto html = [](int flags, const QString& name) {
        return FileDialogRequest{
            FileDialogRequest::Save, "Save HTML As", "HTML files (*.htm *.html)", flags, name, {}};
    };
    const std::tuple<const char*, FileDialogRequest, QStringList> rows[] = {
        {"the folder must exist, no read-only file",
         html(cdlOFNPathMustExist | cdlOFNNoReadOnlyReturn, "menu.htm"),
         {d + "gone/x.htm", d + "old.htm"}},
        {"no read-only file", html(cdlOFNNoReadOnlyReturn, ""), {readOnly, none}},
        {"the file must exist",
         {FileDialogRequest::Open, "Open", "P (*.lxp)", cdlOFNFileMustExist, "", {}},
         {d + "new.lxp", none}},
        {"any file", {FileDialogRequest::Open, "Open", "P (*.lxp)", 0, "", {}}, {d + "new.lxp"}}};
    QtPlatform platform;
    for (const auto& [what, request, chosen] : rows) {
        names = chosen;
        log += QString("> %1\n").arg(what);
        Dialogs watch(std::vector<Step>(2 * names.size() - 1, step)); // refusals between
        log += "gives " + platform.fileDialog(nullptr, request).value_or("nothing") + "\n";
    }
#ifdef _WIN32
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner); // to be removed
#endif
    const QString readOnlyFolder = readOnly.chopped(QString("/osrelease").size());
    EXPECT_TRUE(test::matchesGolden(
        "messages/qt-file-dialogs.txt",
        test::FakePlatform::named(log, {{readOnlyFolder, "<read-only>"}, {d.chopped(1), "<dir>"}})
            .toStdString()));
}

// A project may name two images alike; the tree keeps one node a key. Removing the highlighted
// node takes the highlight along, to no neighbour.
TEST(TreeNodes, RefuseATakenKeyAndRemoveTheHighlight) {
    TreeView view;
    view.Nodes().Add("r", "HTML", "Closed");
    for (const char* key : {"Image1", "Image2", "Image2", "Image3"})
        view.Nodes().Add("r", TreeNodes::tvwChild, key, key, "Image");
    view.expandItem(view.Nodes()(1).item());
    view.collapseItem(view.Nodes()(1).item()); // and stays so as images come
    view.Nodes().Add("r", TreeNodes::tvwChild, "Image4", "Image4", "Image");
    EXPECT_EQ(test::treeText(view), "rHTML- Image1 Image2 Image3 Image4");
    view.highlight(view.Nodes().find("Image2"));
    view.Nodes().Remove(5); // another node: the highlight stays
    EXPECT_EQ(view.currentItem(), view.Nodes().find("Image2")->item());
    view.Nodes().Remove(3);
    EXPECT_EQ(std::pair(view.currentItem(), view.selectedItems().size()),
              std::pair(static_cast<QTreeWidgetItem*>(nullptr), qsizetype(0)));
}

// Filters as the toolkit writes them, from "caption|patterns" pairs.
TEST(CommonDialog, TakesEveryFilterPair) {
    EXPECT_EQ(CommonDialog::toolkitFilter(" A | *.a ; *.b;|B|*.c|odd"), "A (*.a *.b);;B (*.c)");
}
