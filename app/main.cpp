#include "app/frmMain.h"
#include "model/Module1.h"
#include "platform/QtPlatform.h"

#include <QApplication>
#include <QFont>

#include <cstdio>
#include <cstdlib>

namespace {

// Picks the windowing system before the toolkit starts, or explains in one line why the
// program cannot start. The editor docks by placing its own window, which X11 allows and
// Wayland does not, so XWayland is preferred where both are present.
bool chooseDisplay() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (x11) {
        qputenv("QT_QPA_PLATFORM", "xcb");
        return true;
    }
    if (wayland)
        return true;
    std::fputs("lanternix: no display to open windows on (DISPLAY is not set); start it from a "
               "desktop session or under xvfb-run.\n",
               stderr);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (!chooseDisplay())
        return EXIT_FAILURE;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lanternix"));
    QApplication::setApplicationVersion(QStringLiteral("2.0.0"));
    // The layouts are laid out in twips for a small sans-serif face of 8 points.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    QApplication::setFont(font);

    lanternix::Module1 module;
    lanternix::QtPlatform platform;
    lanternix::frmMain main(module, platform);
    main.show();
    return QApplication::exec();
}
