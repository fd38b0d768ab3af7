#pragma once

#include <QStringList>

class QCommandLineParser;

namespace lanternix {

class frmMain;

// The program's command line: lanternix [PROJECT.lxp], --help, --version.
void addProgramOptions(QCommandLineParser& parser);

// True when the arguments ask for --help or --version, which are answered without a display.
bool asksForHelpOrVersion(const QStringList& arguments);

// Opens the project the command line names, if any, as Open Project opens a file; a missing or
// bad file is named in a message and the project stays empty. Nothing is unsaved yet, so
// nothing is asked.
void openStartProject(frmMain& main, const QCommandLineParser& parser);

} // namespace lanternix
