#pragma once

#include "io/Result.h"
#include "model/MenuTable.h"
#include "page/SavePage.h"
#include "project/ProjectFile.h"

#include <filesystem>
#include <string>

namespace lanternix {

struct Module1;

// The project as the windows work on it: the run's table (held by Module1), the file it was
// last saved to or opened from, the table as it stood then, and where the site is published
// from. Paths are UTF-8.
class ProjectDocument {
public:
    explicit ProjectDocument(Module1& module);
    ~ProjectDocument(); // the preview's folder goes with the document
    ProjectDocument(const ProjectDocument&) = delete;
    ProjectDocument& operator=(const ProjectDocument&) = delete;

    MenuTable& table();
    const MenuTable& table() const;

    // The table differs from the one last saved or opened (at first: from the empty one).
    bool hasUnsavedChanges() const;

    // Only a file that reads cleanly replaces the table, which then counts as saved; warnings
    // say what of it was dropped.
    Result<> open(const std::string& path, WhenMissing missing);
    Result<> saveAs(const std::string& path);
    // The page, and what would break once it is published from its folder: the site's folder
    // from then on.
    Result<SavedPage> savePage(const std::string& path);
    // The page written for the browser into a folder of the document's own, its pictures and
    // links found in the site's folder (else the current one); the file written.
    Result<std::string> writePreview();

    // The project file last saved or opened; "" before.
    const std::string& projectFile() const { return projectFile_; }
    // The folder of the page last saved, else of the project file; "" while neither is known.
    std::string siteFolder() const;

private:
    Module1& module_;
    MenuTable saved_;
    std::string projectFile_;
    std::string pageFolder_;
    std::filesystem::path previewFolder_;
};

} // namespace lanternix
