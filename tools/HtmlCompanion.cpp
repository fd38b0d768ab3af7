#include "tools/HtmlCompanion.h"

#include "html/HtmlGenerator.h"
#include "io/PageFile.h"
#include "io/PictureCheck.h"
#include "io/Utf8Path.h"
#include "project/ProjectFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace lanternix {

const char* const HtmlCompanion::Usage =
    "Usage: lanternix-html [-o PAGE] [--check] PROJECT.lxp\n"
    "Writes the menu page of a Lanternix project file to standard output, or with -o to the\n"
    "file PAGE, in Windows-1252 with CR LF line ends. The project file is only read.\n"
    "\n"
    "  -o PAGE     write the page to PAGE, replacing it whole, instead of standard output\n"
    "  --check     list, one per line, what would break once the page is published from its\n"
    "              folder (PAGE's, or the current one): missing pictures and pages, names in\n"
    "              other capitals, backslashes, places on this computer, mouse-over pictures\n"
    "              of another size; writes no page unless -o is given too\n"
    "  -h, --help  show this help\n"
    "  --version   show the version\n"
    "\n"
    "Exit status:\n"
    "  0  the page was written (with --check: and nothing was found)\n"
    "  1  an image has no default picture; nothing was written\n"
    "  2  the project file cannot be read or is not a project, the page cannot be written,\n"
    "     or the command line is wrong\n"
    "  3  --check found something\n";

namespace {

// Through links, and on Windows by the file's identity (its C library's stat gives every file
// the inode 0).
bool sameFile(const std::string& a, const std::string& b) {
    try {
        std::error_code ec;
        return std::filesystem::equivalent(pathFromUtf8(a), pathFromUtf8(b), ec);
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
    bool check = false;
    bool optionsDone = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsDone && (a == "-h" || a == "--help")) {
            out_ << Usage;
            out_.flush();
            return Written;
        }
        if (!optionsDone && a == "--version") {
            out_ << "lanternix-html " LANTERNIX_VERSION "\n";
            out_.flush();
            return Written;
        }
        if (!optionsDone && a == "--") {
            optionsDone = true;
        } else if (!optionsDone && a == "--check") {
            check = true;
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
    if (read.warning)
        err_ << "lanternix-html: warning: " << *read.warning << '\n';

    if (output) {
        if (sameFile(*output, *project))
            return fail("the page would replace the project file \"" + *project + "\".");
        if (const auto error = savePageFile(*output, read.table)) {
            if (!error->missingDefault)
                return fail(error->message);
            err_ << error->message << '\n';
            return CheckFailed;
        }
    } else if (check) {
        if (const auto name = firstMissingDefault(read.table)) {
            err_ << missingDefaultMessage(*name) << '\n';
            return CheckFailed;
        }
    }
    if (check) {
        namespace fs = std::filesystem;
        const fs::path folder = output ? pathFromUtf8(*output).parent_path() : fs::path();
        std::error_code ec;
        // In the system's own form: backslashes on Windows.
        fs::path shown =
            fs::absolute(folder.empty() ? fs::path(".") : folder, ec).lexically_normal();
        if (!shown.has_filename())
            shown = shown.parent_path(); // no separator at the end, unless it is the root
        const std::vector<std::string> findings = checkPictures(read.table, utf8FromPath(shown));
        for (const std::string& f : findings)
            out_ << f << '\n';
        out_.flush();
        return findings.empty() ? Written : Findings;
    }
    if (output)
        return Written;
    const PageBytes page = encodePage(read.table);
    if (page.missingDefaultFor) {
        err_ << missingDefaultMessage(*page.missingDefaultFor) << '\n';
        return CheckFailed;
    }
    errno = 0;
    out_.write(page.bytes.data(), static_cast<std::streamsize>(page.bytes.size()));
    out_.flush();
    if (!out_)
        return fail(std::string("Cannot write the page to standard output") +
                    (errno ? std::string(": ") + std::strerror(errno) : std::string()) + ".");
    return Written;
}

} // namespace lanternix
