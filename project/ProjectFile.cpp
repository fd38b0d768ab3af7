#include "project/ProjectFile.h"

#include "io/AtomicFile.h"
#include "io/ReadFile.h"
#include "project/ProjectCodec.h"

namespace lanternix {

namespace {

Failure notAProject(const std::string& path, const std::string& why) {
    return {Fault::NotAProject, "\"" + path + "\" is not a valid Lanternix project: " + why + "."};
}

} // namespace

Result<MenuTable> readProjectFile(const std::string& path, WhenMissing missing) {
    const Result<std::string> file = readWholeFile(path, MaxProjectFileSize);
    if (!file && file.failure().kind == Fault::NotFound && missing == WhenMissing::CreateEmpty) {
        if (const Result<> created = createEmptyFile(path); !created)
            return Failure{Fault::CannotWrite, "Cannot open the project file \"" + path +
                                                   "\": " + created.failure().message + "."};
        return MenuTable{};
    }
    if (!file && file.failure().kind == Fault::TooLarge)
        return notAProject(path, "it is larger than any project");
    if (!file)
        return Failure{file.failure().kind, "Cannot open the project file \"" + path +
                                                "\": " + file.failure().message + "."};

    Result<DecodedProject> d = decodeProject(file.value());
    if (!d)
        return notAProject(path, d.failure().message);
    Result<MenuTable> read = std::move(d->table);
    if (d->longTextsDropped)
        read.warnings.push_back("The long texts saved in \"" + path +
                                "\" were dropped: another program has changed the file since, "
                                "and only its shortened texts could be read.");
    return read;
}

Result<> saveProjectFile(const std::string& path, const MenuTable& table) {
    const Result<std::string> bytes = encodeProject(table);
    if (!bytes)
        return bytes.failure();
    if (const Result<> written = writeFileAtomically(path, bytes.value()); !written)
        return Failure{Fault::CannotWrite, "Cannot save the project to \"" + path +
                                               "\": " + written.failure().message + "."};
    return {};
}

} // namespace lanternix
