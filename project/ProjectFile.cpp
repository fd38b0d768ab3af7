#include "project/ProjectFile.h"

#include "io/AtomicFile.h"
#include "io/ReadFile.h"
#include "project/ProjectCodec.h"
#include "text/Ascii.h"
#include "text/Printable.h"

namespace lanternix {

namespace {

std::string quoted(const std::string& path) {
    return "\"" + printable(path) + "\"";
}

// The plain words first, for people who never saw the file's insides; the detail after them.
Failure refused(const std::string& path, Fault kind, std::string detail) {
    detail[0] = asciiUpper(detail[0]);
    return {kind, quoted(path) +
                      (kind == Fault::NotAProject ? " is not a Lanternix project file. "
                                                  : " is a damaged Lanternix project file. ") +
                      detail + "."};
}

} // namespace

Result<MenuTable> readProjectFile(const std::string& path, WhenMissing missing) {
    const Result<std::string> file = readWholeFile(path, MaxProjectFileSize);
    if (!file && file.failure().kind == Fault::NotFound && missing == WhenMissing::CreateEmpty) {
        if (const Result<> created = createEmptyFile(path); !created)
            return Failure{Fault::CannotWrite, "Cannot open the project file " + quoted(path) +
                                                   ": " + created.failure().message + "."};
        return MenuTable{};
    }
    if (!file && file.failure().kind == Fault::TooLarge)
        return refused(path, Fault::NotAProject, "it is larger than any project");
    if (!file)
        return Failure{file.failure().kind, "Cannot open the project file " + quoted(path) + ": " +
                                                file.failure().message + "."};

    Result<DecodedProject> d = decodeProject(file.value());
    if (!d)
        return refused(path, d.failure().kind, d.failure().message);
    Result<MenuTable> read = std::move(d->table);
    if (d->longTextsDropped)
        read.warnings.push_back("The long texts saved in " + quoted(path) +
                                " were dropped: another program has changed the file since, "
                                "and only its shortened texts could be read.");
    return read;
}

Result<> saveProjectFile(const std::string& path, const MenuTable& table) {
    const Result<std::string> bytes = encodeProject(table);
    if (!bytes)
        return bytes.failure();
    if (const Result<> written = writeFileAtomically(path, bytes.value()); !written)
        return Failure{Fault::CannotWrite, "Cannot save the project to " + quoted(path) + ": " +
                                               written.failure().message + "."};
    return {};
}

} // namespace lanternix
