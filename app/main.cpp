#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "model/Module1.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFont>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

#ifdef LANTERNIX_XCB
#include <xcb/xcb.h>
#endif
#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifndef _WIN32
// The toolkit aborts with several lines when the X display cannot be opened; one line here.
bool displayAnswers() {
#ifdef LANTERNIX_XCB
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = !xcb_connection_has_error(c);
    xcb_disconnect(c);
    if (!ok)
        std::fprintf(stderr,
                     "lanternix: cannot open the X display \"%s\" named by DISPLAY: no X server "
                     "answers there, or it refused the connection.\n",
                     qgetenv("DISPLAY").constData());
    return ok;
#else
    return true;
#endif
}
#endif

// Picks the windowing system before the toolkit starts, or explains in one line why the
// program cannot start. The editor docks by placing its own window, which X11 allows and
// Wayland does not, so XWayland is preferred where both are present. Windows has one, which
// the toolkit takes unless QT_QPA_PLATFORM names another (Wine passes DISPLAY on).
bool chooseDisplay() {
#ifdef _WIN32
    return true;
#else
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return qgetenv("QT_QPA_PLATFORM") != "xcb" || displayAnswers();
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return displayAnswers();
    }
    if (wayland)
        return true;
    std::fputs("lanternix: no display to open windows on (DISPLAY is not set); start it from a "
               "desktop session or under xvfb-run.\n",
               stderr);
    return false;
#endif
}

// Whether the program can print what it has to say about its command line. It has no console
// of its own on Windows: it prints to the files or pipes it was started with, else to the
// console of the program that started it (cmd.exe, PowerShell). With neither (started from
// Explorer or a shortcut) the toolkit shows its answers in a message box, and so does main().
bool canPrint() {
#ifdef _WIN32
    STARTUPINFOW start{};
    start.cb = sizeof start;
    GetStartupInfoW(&start);
    if ((start.dwFlags & STARTF_USESTDHANDLES) || GetConsoleWindow())
        return true;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    return std::freopen("CONOUT$", "w", stdout) && std::freopen("CONOUT$", "w", stderr);
#else
    return true;
#endif
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Lanternix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LANTERNIX_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (lanternix::asksForHelpOrVersion(arguments)) {
        canPrint();
        QCoreApplication answer(argc, argv);
        QCommandLineParser parser;
        lanternix::addProgramOptions(parser);
        parser.process(answer); // prints the answer and ends the program
    }

    if (!chooseDisplay())
        return EXIT_FAILURE;
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("lanternix"));
    QCommandLineParser parser;
    lanternix::addProgramOptions(parser);
    // A wrong command line is refused where the user can see it; the parser refuses options.
    const bool wrong =
        !parser.parse(QCoreApplication::arguments()) || parser.positionalArguments().size() > 1;
    const bool printing = !wrong || canPrint();
    parser.process(app); // the toolkit has taken its own options out by now
    if (wrong) {
        const QString why = QCoreApplication::applicationName() + // as the parser says it
                            QStringLiteral(": one project file at a time. Try 'lanternix --help'.");
        if (printing)
            std::fprintf(stderr, "%s\n", qPrintable(why));
        else
            QMessageBox::critical(nullptr, QCoreApplication::applicationName(), why);
        return EXIT_FAILURE;
    }
    // The layouts are laid out in twips for a small sans-serif face of 8 points.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    QApplication::setFont(font);

    lanternix::Module1 module;
    lanternix::QtPlatform platform;
    lanternix::frmMain main(module, platform);
    main.show();
    lanternix::openStartProject(main, parser);
    return QApplication::exec();
}
