// Writes one menu page for the browser test, through the same generator, code page and atomic
// write as Save HTML As.
//   make_page OUT.htm [SLOT DEFAULT OVER TARGET STATUS LINK]...
// Each group fills one slot; its Name is the slot's key. Values are UTF-8.
#include "html/HtmlGenerator.h"
#include "model/MenuTable.h"
#include "project/AtomicFile.h"
#include "project/Windows1252.h"

#include <cstdio>
#include <string>

using namespace lanternix;

int main(int argc, char** argv) {
    if (argc < 2 || (argc - 2) % 6 != 0) {
        std::fprintf(stderr, "usage: make_page OUT.htm [SLOT DEFAULT OVER TARGET STATUS LINK]...\n");
        return 2;
    }
    MenuTable table;
    for (int i = 2; i < argc; i += 6) {
        const int slot = std::stoi(argv[i]);
        table.slot(slot) = MenuImage{imageKey(slot), argv[i + 1], argv[i + 2],
                                     argv[i + 3], argv[i + 4], argv[i + 5]};
    }
    const HtmlPage page = generateHtmlPage(table);
    if (!page.ok()) {
        std::fprintf(stderr, "%s\n", missingDefaultMessage(*page.missingDefaultFor).c_str());
        return 1;
    }
    const Windows1252Result bytes = encodeWindows1252(page.text);
    if (bytes.error) {
        std::fprintf(stderr, "%s: cannot hold %s\n", argv[1],
                     describeCharacter(bytes.error->character).c_str());
        return 1;
    }
    if (auto failure = writeFileAtomically(argv[1], bytes.bytes)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], failure->c_str());
        return 1;
    }
    return 0;
}
