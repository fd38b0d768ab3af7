#include "tools/HtmlCompanion.h"

#include "io/Utf8Path.h"
#include "page/SavePage.h"
#include "project/ProjectFile.h"
#include "text/Printable.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

namespace lanternix {

const char* const HtmlCompanion::Usage =
    "Usage: lanternix-html [-o PAGE] [--check] [--ascii] PROJECT.lxp\n"
    "Writes the menu page of a Lanternix project file to standard output, or with -o to the\n"
    "file PAGE, in Windows-1252 with CR LF line ends. The project file is only read.\n"
    "\n"
    "  -o PAGE     write the page to PAGE, replacing it whole, instead of standard output\n"
    "  --check     list, one per line, what would break once the page is published from its\n"
    "              folder (PAGE's, or the current one): missing pictures and pages, names in\n"
    "              other capitals, backslashes, places on this computer or outside that\n"
    "              folder, what is no file, mouse-over pictures of another size; writes no\n"
    "              page unless -o is given too\n"
    "  --ascii     write only ASCII, the rest as character references and script escapes:\n"
    "              the page as the code window shows it, which reads the same whatever\n"
    "              encoding an editor saves it in\n"
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

// The core's messages show control characters as escapes already; the companion's own name
// what was typed, which may hold them too.
int HtmlCompanion::fail(const std::string& message) {
    err_ << "lanternix-html: " << printable(message) << '\n';
    return FileFault;
}

int HtmlCompanion::run(const std::vector<std::string>& args) {
    std::optional<std::string> project;
    std::optional<std::string> output;
    bool check = false;
    PageCharset charset = PageCharset::Windows1252;
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
        } else if (!optionsDone && a == "--ascii") {
            charset = PageCharset::Ascii;
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

    const Result<MenuTable> read = readProjectFile(*project, WhenMissing::Fail);
    if (!read)
        return fail(read.failure().message);
    for (const std::string& warning : read.warnings)
        err_ << "lanternix-html: warning: " << warning << '\n';
    const MenuTable& table = read.value();

    // An image without a default picture is the user's to mend, not a fault of the file.
    auto missingDefault = [this](const Failure& f) {
        err_ << f.message << '\n';
        return CheckFailed;
    };
    std::vector<std::string> findings;
    if (output) {
        if (sameFile(*output, *project))
            return fail("the page would replace the project file \"" + *project + "\".");
        const Result<SavedPage> saved = savePage(*output, table, charset);
        if (!saved)
            return saved.failure().kind == Fault::MissingDefault ? missingDefault(saved.failure())
                                                                 : fail(saved.failure().message);
        findings = saved->findings;
    } else if (check) {
        std::error_code ec;
        const Result<std::vector<std::string>> checked =
            checkPage(table, utf8FromPath(std::filesystem::current_path(ec)));
        if (!checked)
            return missingDefault(checked.failure());
        findings = checked.value();
    } else {
        const Result<std::string> page = encodePage(table, charset);
        if (!page)
            return missingDefault(page.failure());
        errno = 0;
        out_.write(page->data(), static_cast<std::streamsize>(page->size()));
        out_.flush();
        if (!out_)
            return fail(std::string("Cannot write the page to standard output") +
                        (errno ? std::string(": ") + std::strerror(errno) : std::string()) + ".");
        return Written;
    }
    if (!check)
        return Written;
    for (const std::string& f : findings)
        out_ << f << '\n';
    out_.flush();
    return findings.empty() ? Written : Findings;
}

} // namespace lanternix
