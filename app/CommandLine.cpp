#include "app/CommandLine.h"

#include "app/frmMain.h"
#include "project/ProjectFile.h"

#include <QCommandLineParser>
#include <QStringList>

namespace lanternix {

void addProgramOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Builds a web page with a vertical menu bar of picture buttons."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("PROJECT.lxp"),
                                 QStringLiteral("A project file to open at start."),
                                 QStringLiteral("[PROJECT.lxp]"));
}

bool asksForHelpOrVersion(const QStringList& arguments) {
    QCommandLineParser parser;
    addProgramOptions(parser);
    parser.parse(arguments); // the toolkit's own options are not known here, and do not matter
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
           parser.isSet(QStringLiteral("version"));
}

void openStartProject(frmMain& main, const QCommandLineParser& parser) {
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        main.openProjectFile(files.front(), WhenMissing::Fail);
}

} // namespace lanternix
