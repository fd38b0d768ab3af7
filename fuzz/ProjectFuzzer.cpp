// libFuzzer target: any bytes given to the project decoder (and to the Windows-1252 encoder).
#include "model/Fields.h"
#include "project/ProjectCodec.h"
#include "text/Windows1252.h"

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

    const Result<DecodedProject> d = decodeProject(bytes);
    if (!d) {
        const Fault kind = d.failure().kind;
        if ((kind != Fault::NotAProject && kind != Fault::DamagedProject) ||
            d.failure().message.empty())
            broken("a refusal without its kind or a reason");
    } else {
        for (int n = 1; n <= MenuTable::SlotCount; ++n)
            for (const FieldInfo& f : MenuFields)
                if (text(d->table.slot(n).*f.member).find('\0') != std::string::npos)
                    broken("a decoded text holds NUL");
        // A file that opens saves again, and what it saves opens as the same table.
        const Result<std::string> e = encodeProject(d->table);
        if (!e)
            broken("a decoded table cannot be encoded");
        if (e->size() < ProjectFileSize || e->size() > MaxProjectFileSize)
            broken("an encoded table has an impossible size");
        const Result<DecodedProject> again = decodeProject(e.value());
        if (!again || again->longTextsDropped || !(again->table == d->table))
            broken("re-encoded bytes decode to another table");
        // Readers that know only the records see the same images; they ignore the sign.
        std::string records = e->substr(0, ProjectFileSize);
        const bool extended = e->size() > ProjectFileSize;
        if (extended)
            records.replace(ProjectSlotSize - LongTextSignSize, LongTextSignSize, LongTextSignSize,
                            '\0');
        const Result<DecodedProject> classic = decodeProject(records);
        for (int n = 1; n <= MenuTable::SlotCount; ++n)
            if (!classic || classic->table.slot(n).Name != d->table.slot(n).Name)
                broken("the records alone name other images");
        // A file saved with long texts never opens without them.
        for (const std::size_t cut : {ProjectFileSize / 2, ProjectFileSize, e->size() - 1})
            if (extended && decodeProject(std::string_view(e.value()).substr(0, cut)).ok())
                broken("a cut file with long texts opens");
        if (encodeProject(again->table).value() != e.value())
            broken("encoding is not stable");
    }

    // The same bytes as UTF-8: whatever the encoder holds exactly must come back unchanged.
    bool exact = false;
    const std::string w = encodeWindows1252(bytes, &exact);
    if (exact && decodeWindows1252(w) != bytes)
        broken("Windows-1252 does not round-trip");
    return 0;
}
