#include "project/ProjectFile.h"

#include "io/AtomicFile.h"
#include "io/ReadFile.h"
#include "project/ProjectCodec.h"

namespace lanternix {

namespace {

// Far beyond any project, and still quick to refuse: a file this big is something else.
constexpr std::size_t MaxProjectFileBytes = 16 << 20;

std::string cannotOpen(const std::string& path, const std::string& reason) {
    return "Cannot open the project file \"" + path + "\": " + reason + ".";
}

} // namespace

ProjectRead readProjectFile(const std::string& path, WhenMissing missing) {
    ProjectRead r;
    const FileBytes file = readWholeFile(path, MaxProjectFileBytes);
    if (file.missing && missing == WhenMissing::CreateEmpty) {
        if (auto reason = createEmptyFile(path))
            r.error = cannotOpen(path, *reason);
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
