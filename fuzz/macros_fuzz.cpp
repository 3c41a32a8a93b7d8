// The macro store and the macro encoder. An input is a record.ini.
// Properties:
//   - the encoder fills at most the twelve slots, each only up to byte 127,
//     with at most 32 events, and leaves the slots past the last macro alone;
//   - the names written back read back the same (as a value stores them);
//   - a macro named after the store's index section is refused and the
//     names stay as they were;
//   - the listing describes any store.
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "macros/MacroEncoder.h"
#include "macros/MacroListing.h"
#include "macros/MacroNames.h"
#include "macros/MacroStore.h"
#include "platform/FileIo.h"
#include "settings/TextEncoding.h"

namespace {

constexpr std::uint8_t kSentinel = 0xA5;

// A name as the store keeps it once written: a value without line breaks or NUL.
std::string AsWritten(const std::string& name) {
    std::string out;
    for (char c : name)
        if (c != '\r' && c != '\n' && c != '\0') out += c;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace qv530;
    const std::string path = fuzz::ScratchFolder() + "record.ini";
    if (WriteFileAtomic(path, data, size) != 0) std::abort();
    MacroStore store(path, [](std::chrono::milliseconds) {});

    const std::vector<NamedMacro> macros = store.ReadAllMacros();
    std::array<std::uint8_t, macroslot::kAreaSize> area;
    area.fill(kSentinel);
    const MacroSlotsReport report = BuildMacroSlots(macros, macroslot::kLeadFromStore, area);
    FUZZ_CHECK(report.macros.size() == std::min(macros.size(), macroslot::kCount));
    FUZZ_CHECK(report.macrosLeftOut == macros.size() - report.macros.size());
    for (std::size_t slot = 0; slot < macroslot::kCount; ++slot) {
        const std::uint8_t* bytes = area.data() + slot * macroslot::kSize;
        FUZZ_CHECK(bytes[macroslot::kEncodedSize] == kSentinel && bytes[macroslot::kEncodedSize + 1] == kSentinel);
        if (slot >= report.macros.size())
            FUZZ_CHECK(std::all_of(bytes, bytes + macroslot::kSize, [](std::uint8_t b) { return b == kSentinel; }));
    }
    for (const MacroEncoding& encoding : report.macros) FUZZ_CHECK(encoding.eventsEncoded <= macroslot::kMaxEvents);
    (void)MacroListingLines(macros);
    (void)EncodingWarnings(report);
    (void)SlotHexLines(area);

    std::vector<std::string> names;
    for (const NamedMacro& macro : macros) names.push_back(AsWritten(macro.name));
    if (store.WriteMacroNames(names) == 0) {
        const std::vector<std::string> again = store.ReadMacroNames();
        FUZZ_CHECK(again.size() == names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            FUZZ_CHECK(again[i] == std::string(Utf8Prefix(names[i], 1023)));
    }
    const std::vector<std::string> before = store.ReadMacroNames();
    FUZZ_CHECK(store.WriteRenamedMacro(before, " macroNAME ", 0, "1", {"press 65 10"}) == EINVAL);
    FUZZ_CHECK(store.DeleteMacroSection("MacroName") == EINVAL);
    FUZZ_CHECK(!IsStorableMacroName("MACRONAME") && !MacroNameRefusal("MacroName").empty());
    FUZZ_CHECK(store.ReadMacroNames() == before);
    return 0;
}
