#include "project/ProjectFile.h"

#include "io/AtomicFile.h"
#include "io/ReadFile.h"
#include "project/ProjectCodec.h"

namespace lanternix {

namespace {

std::string cannotOpen(const std::string& path, const std::string& reason) {
    return "Cannot open the project file \"" + path + "\": " + reason + ".";
}

} // namespace

ProjectRead readProjectFile(const std::string& path, WhenMissing missing) {
    ProjectRead r;
    const FileBytes file = readWholeFile(path, MaxProjectFileSize);
    if (file.missing && missing == WhenMissing::CreateEmpty) {
        if (auto reason = createEmptyFile(path))
            r.error = cannotOpen(path, *reason);
        return r;
    }
    if (file.tooLarge) {
        r.error =
            "\"" + path + "\" is not a valid Lanternix project: it is larger than any project.";
        return r;
    }
    if (file.error) {
        r.error = cannotOpen(path, *file.error);
        return r;
    }

    DecodedProject d = decodeProject(file.bytes);
    if (d.fault) {
        r.error =
            "\"" + path + "\" is not a valid Lanternix project: " + describeFault(*d.fault) + ".";
        return r;
    }
    if (d.longTextsDropped)
        r.warning = "The long texts saved in \"" + path +
                    "\" were dropped: another program has changed the file since, and only its "
                    "shortened texts could be read.";
    r.table = std::move(d.table);
    return r;
}

std::optional<std::string> saveProjectFile(const std::string& path, const MenuTable& table) {
    EncodedProject e = encodeProject(table);
    if (e.error)
        return e.error;
    if (auto reason = writeFileAtomically(path, e.bytes))
        return "Cannot save the project to \"" + path + "\": " + *reason + ".";
    return std::nullopt;
}

} // namespace lanternix
