// Writes a seed corpus for the project fuzzer: files like those Save writes, cut and broken.
#include "project/ProjectCodec.h"

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
    rewritten[96 * 2 + 30] ^= 1;
    put(folder, "records-rewritten.lxp", rewritten);
    return 0;
}
