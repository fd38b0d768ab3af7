// Writes a seed corpus for the project fuzzer: files like those Save writes, cut and broken.
#include "project/ProjectCodec.h"
#include "text/ByteOrder.h"
#include "text/Crc32.h"

#include <fstream>
#include <iostream>
#include <string>

namespace {

void put(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    using namespace lanternix;
    if (argc != 2) {
        std::cerr << "usage: project_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];

    MenuTable t;
    put(folder, "untouched.lxp", encodeProject(t).value());

    t.makeNewRecord(1);
    t.slot(1).DefaultImage = "b.gif";
    put(folder, "example.lxp", encodeProject(t).value());

    for (int n = 2; n <= MenuTable::MaxImages; ++n) {
        t.makeNewRecord(n);
        t.slot(n).DefaultImage = "img/button" + std::to_string(n) + ".gif";
        t.slot(n).OverImage = "img/over" + std::to_string(n) + ".gif";
        t.slot(n).Target = "main";
        t.slot(n).StatusText = "Caf\xC3\xA9 \xE2\x82\xAC";
        t.slot(n).HyperLink = "p" + std::to_string(n) + ".htm";
    }
    t.clearRecord(5);
    t.slot(7).HyperLink.reset();
    const std::string full = encodeProject(t).value();
    put(folder, "full.lxp", full);
    put(folder, "short.lxp", full.substr(0, 1000));
    put(folder, "cut-in-slot.lxp", full.substr(0, 150));
    put(folder, "trailing.lxp", full + "trailing bytes");

    std::string badTag = full;
    badTag[96 * 3 + 10] = '\x03';
    put(folder, "bad-tag.lxp", badTag);
    std::string pastEnd = full;
    pastEnd[96 * 2 + 2] = '\x7F';
    put(folder, "text-past-end.lxp", pastEnd);
    std::string misnamed = full;
    misnamed.replace(96 * 8, 96, full.substr(96 * 2, 96));
    put(folder, "misnamed.lxp", misnamed);

    // Texts that need the long-text block: long ones and ones beyond the code page.
    t.slot(3).HyperLink = "http://example.org/" + std::string(300, 'x');
    t.slot(9).StatusText = "\xCE\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80";
    t.slot(20).Target = std::string(MaxTextBytes, 't');
    const std::string longer = encodeProject(t).value();
    put(folder, "long-texts.lxp", longer);
    put(folder, "long-texts-cut.lxp", longer.substr(0, longer.size() - 100));
    std::string rewritten = longer;
    rewritten[rewritten.find("main")] = 'M'; // a text changed in place
    put(folder, "records-rewritten.lxp", rewritten);

    // The block lost, cut at a record or shifted; its mark flipped; the sign left in the filler
    // of records saved again; a record cut short; NUL in a record and in the block.
    put(folder, "block-lost.lxp", longer.substr(0, ProjectFileSize));
    put(folder, "block-cut-at-record.lxp", longer.substr(0, ProjectSlotSize * 50));
    put(folder, "byte-deleted.lxp", longer.substr(0, 500) + longer.substr(501));
    std::string flipped = longer;
    flipped[ProjectFileSize] ^= 1;
    put(folder, "mark-flipped.lxp", flipped);
    put(folder, "sign-left-over.lxp", rewritten.substr(0, ProjectFileSize));
    put(folder, "cut-in-record.lxp", full.substr(0, 96 * 4 + 40));
    std::string nul = full;
    nul[96 * 2 + 16] = '\0'; // in slot 3's default picture
    put(folder, "nul-in-record.lxp", nul);
    MenuTable odd = t;
    odd.slot(4).HyperLink = "a\x01b";
    std::string nulBlock = encodeProject(odd).value();
    nulBlock[nulBlock.rfind("a\x01b") + 1] = '\0';
    nulBlock.resize(nulBlock.size() - 4); // and the block's checksum made right again
    putLe32(nulBlock, crc32(std::string_view(nulBlock).substr(ProjectFileSize)));
    put(folder, "nul-in-block.lxp", nulBlock);
    put(folder, "text.lxp", "<HTML><BODY>not a project</BODY></HTML>\r\n");
    return 0;
}
