// libFuzzer target: any bytes given to the project decoder (and to the Windows-1252 encoder).
#include "io/Windows1252.h"
#include "project/ProjectCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lanternix;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const DecodedProject d = decodeProject(bytes);
    if (d.fault) {
        if (!(d.table == MenuTable{}))
            broken("a refused file left records behind");
        if (d.fault->slot < 0 || d.fault->slot > MenuTable::SlotCount || d.fault->what.empty())
            broken("a fault without a place or a reason");
    } else {
        // A file that opens saves again, and what it saves opens as the same table.
        const EncodedProject e = encodeProject(d.table);
        if (e.error)
            broken("a decoded table cannot be encoded");
        if (e.bytes.size() < ProjectFileSize || e.bytes.size() > MaxProjectFileSize)
            broken("an encoded table has an impossible size");
        const DecodedProject again = decodeProject(e.bytes);
        if (again.fault || again.longTextsDropped || !(again.table == d.table))
            broken("re-encoded bytes decode to another table");
        // Readers that know only the records see the same images.
        const DecodedProject records = decodeProject(e.bytes.substr(0, ProjectFileSize));
        for (int n = 1; n <= MenuTable::SlotCount; ++n)
            if (records.fault || records.table.slot(n).Name != d.table.slot(n).Name)
                broken("the records alone name other images");
        if (encodeProject(again.table).bytes != e.bytes)
            broken("encoding is not stable");
    }

    // The same bytes as UTF-8: whatever the encoder holds exactly must come back unchanged.
    bool exact = false;
    const std::string w = encodeWindows1252(bytes, &exact);
    if (exact && decodeWindows1252(w) != bytes)
        broken("Windows-1252 does not round-trip");
    return 0;
}
