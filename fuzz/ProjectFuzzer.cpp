// libFuzzer target: any bytes given to the project decoder (and to the Windows-1252 encoder).
#include "project/ProjectCodec.h"
#include "io/Windows1252.h"

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
        if (d.fault->slot < 1 || d.fault->slot > MenuTable::SlotCount || d.fault->what.empty())
            broken("a fault without slot or reason");
    } else {
        // A file that opens saves again, and what it saves opens as the same table.
        const EncodedProject e = encodeProject(d.table);
        if (e.error)
            broken("a decoded table cannot be encoded");
        if (e.bytes.size() != ProjectFileSize)
            broken("an encoded table is not 9600 bytes");
        const DecodedProject again = decodeProject(e.bytes);
        if (again.fault || !(again.table == d.table))
            broken("re-encoded bytes decode to another table");
        if (encodeProject(again.table).bytes != e.bytes)
            broken("encoding is not stable");
    }

    // The same bytes as UTF-8: whatever the encoder accepts must come back unchanged.
    const Windows1252Result w = encodeWindows1252(bytes);
    if (!w.error && decodeWindows1252(w.bytes) != bytes)
        broken("Windows-1252 does not round-trip");
    if (w.error && (w.error->utf8Offset >= size || !w.bytes.empty()))
        broken("a Windows-1252 error points nowhere");
    return 0;
}
