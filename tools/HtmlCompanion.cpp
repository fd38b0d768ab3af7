#include "tools/HtmlCompanion.h"

#include "html/HtmlGenerator.h"
#include "io/AtomicFile.h"
#include "io/Windows1252.h"
#include "project/ProjectFile.h"

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <ostream>

namespace lanternix {

const char* const HtmlCompanion::Usage =
    "Usage: lanternix-html [-o PAGE] PROJECT.lxp\n"
    "Writes the menu page of a Lanternix project file to standard output, or with -o to the\n"
    "file PAGE, in Windows-1252 with CR LF line ends. The project file is only read.\n"
    "\n"
    "  -o PAGE     write the page to PAGE, replacing it whole, instead of standard output\n"
    "  -h, --help  show this help\n"
    "\n"
    "Exit status:\n"
    "  0  the page was written\n"
    "  1  an image has no default picture; nothing was written\n"
    "  2  the project file cannot be read or is not a project, the page cannot be written,\n"
    "     or the command line is wrong\n";

namespace {

// Through links, and on Windows by the file's identity (its C library's stat gives every file
// the inode 0).
bool sameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    const auto path = [](const std::string& utf8) {
#ifdef _WIN32
        return fs::path(std::u8string(utf8.begin(), utf8.end()));
#else
        return fs::path(utf8);
#endif
    };
    try {
        std::error_code ec;
        return fs::equivalent(path(a), path(b), ec);
    } catch (const std::exception&) {
        return false; // not UTF-8, so no file's name
    }
}

} // namespace

int HtmlCompanion::fail(const std::string& message) {
    err_ << "lanternix-html: " << message << '\n';
    return FileFault;
}

int HtmlCompanion::run(const std::vector<std::string>& args) {
    std::optional<std::string> project;
    std::optional<std::string> output;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsDone && (a == "-h" || a == "--help")) {
            out_ << Usage;
            out_.flush();
            return Written;
        }
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && a == "-o") {
            if (i + 1 == args.size())
                return fail("-o needs the name of the page file. Try 'lanternix-html --help'.");
            output = args[++i];
        } else if (!optionsDone && a.size() > 1 && a[0] == '-') {
            return fail("unknown option " + a + ". Try 'lanternix-html --help'.");
        } else if (project) {
            return fail("one project file only. Try 'lanternix-html --help'.");
        } else {
            project = a;
        }
    }
    if (!project)
        return fail("no project file given. Try 'lanternix-html --help'.");

    const ProjectRead read = readProjectFile(*project, WhenMissing::Fail);
    if (read.error)
        return fail(*read.error);

    const HtmlPage page = generateHtmlPage(read.table);
    if (!page.ok()) {
        err_ << missingDefaultMessage(*page.missingDefaultFor) << '\n';
        return CheckFailed;
    }
    // Every text came out of a Windows-1252 file, so this holds unless the generator broke.
    const Windows1252Result bytes = encodeWindows1252(page.text);
    if (bytes.error)
        return fail("the page holds " + describeCharacter(bytes.error->character) +
                    ", which Windows-1252 cannot hold.");

    if (output) {
        if (sameFile(*output, *project))
            return fail("the page would replace the project file \"" + *project + "\".");
        if (auto reason = writeFileAtomically(*output, bytes.bytes))
            return fail("Cannot write the page to \"" + *output + "\": " + *reason + ".");
        return Written;
    }
    errno = 0;
    out_.write(bytes.bytes.data(), static_cast<std::streamsize>(bytes.bytes.size()));
    out_.flush();
    if (!out_)
        return fail(std::string("Cannot write the page to standard output") +
                    (errno ? std::string(": ") + std::strerror(errno) : std::string()) + ".");
    return Written;
}

} // namespace lanternix
