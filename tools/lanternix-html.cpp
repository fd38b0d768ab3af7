#include "html/HtmlGenerator.h"
#include "model/MenuTable.h"
#include "tools/HtmlCompanion.h"

#include <iostream>

int main(int argc, char** argv) {
    using lanternix::HtmlCompanion;
    std::ios::sync_with_stdio(false);
    HtmlCompanion companion(
        [](const lanternix::MenuTable& table) {
            lanternix::HtmlPage page = lanternix::generateHtmlPage(table);
            return HtmlCompanion::Page{std::move(page.text), std::move(page.missingDefaultFor)};
        },
        std::cout, std::cerr);
    return companion.run(std::vector<std::string>(argv + 1, argv + argc));
}
