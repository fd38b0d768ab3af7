#include "project/ProjectDocument.h"

#include "io/Utf8Path.h"
#include "model/Module1.h"
#include "page/Preview.h"

#include <random>

namespace lanternix {

namespace fs = std::filesystem;

ProjectDocument::ProjectDocument(Module1& module) : module_(module), saved_(module.table) {}

ProjectDocument::~ProjectDocument() {
    std::error_code ec;
    if (!previewFolder_.empty())
        fs::remove_all(previewFolder_, ec);
}

MenuTable& ProjectDocument::table() {
    return module_.table;
}

const MenuTable& ProjectDocument::table() const {
    return module_.table;
}

bool ProjectDocument::hasUnsavedChanges() const {
    return module_.table != saved_;
}

Result<> ProjectDocument::open(const std::string& path, WhenMissing missing) {
    Result<MenuTable> read = readProjectFile(path, missing);
    if (!read)
        return read.failure();
    module_.table = std::move(read.value());
    saved_ = module_.table;
    projectFile_ = path;
    Result<> opened;
    opened.warnings = std::move(read.warnings);
    return opened;
}

Result<> ProjectDocument::saveAs(const std::string& path) {
    Result<> saved = saveProjectFile(path, module_.table);
    if (saved) {
        saved_ = module_.table;
        projectFile_ = path;
    }
    return saved;
}

Result<SavedPage> ProjectDocument::savePage(const std::string& path) {
    Result<SavedPage> saved = lanternix::savePage(path, module_.table);
    if (saved)
        pageFolder_ = saved->folder;
    return saved;
}

std::string ProjectDocument::siteFolder() const {
    if (!pageFolder_.empty() || projectFile_.empty())
        return pageFolder_;
    return folderOf(projectFile_);
}

Result<std::string> ProjectDocument::writePreview() {
    std::error_code ec;
    // Made once, for the document's life: private to the user, as a browser may show it.
    for (int attempt = 0; previewFolder_.empty() && attempt < 100; ++attempt) {
        const fs::path p = fs::temp_directory_path(ec) /
                           ("lanternix-preview-" + std::to_string(std::random_device()()));
        if (!ec && fs::create_directory(p, ec)) {
            fs::permissions(p, fs::perms::owner_all, ec);
            previewFolder_ = p;
        }
    }
    if (previewFolder_.empty())
        return Failure{Fault::CannotWrite, "Cannot make a folder for the preview: " +
                                               (ec ? ec.message() : std::string("no name free")) +
                                               "."};
    const std::string file = utf8FromPath(previewFolder_ / "menu-preview.htm");
    std::string site = siteFolder();
    if (site.empty())
        site = utf8FromPath(fs::current_path(ec));
    if (Result<> written = lanternix::writePreview(file, module_.table, site); !written)
        return written.failure();
    return file;
}

} // namespace lanternix
