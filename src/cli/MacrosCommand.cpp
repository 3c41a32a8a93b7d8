#include "cli/Commands.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <optional>

#include "macros/MacroEncoder.h"
#include "macros/MacroListing.h"
#include "macros/MacroStore.h"
#include "platform/FileIo.h"

namespace qv530::cli {
namespace {

constexpr int kExitUsage = 2;
constexpr int kExitFile = 1;
constexpr const char* kUsage = "usage: qv530ctl macros encode FILE [--lead 05|32] | macros list FILE\n";

int Usage(std::ostream& err) {
    err << kUsage;
    return kExitUsage;
}

std::optional<std::uint8_t> LeadFromArgs(const Args& args) {
    if (args.size() == 2) return macroslot::kLeadFromStore;
    if (args.size() != 4 || args[2] != "--lead") return std::nullopt;
    if (args[3] == "05") return macroslot::kLeadFromStore;
    if (args[3] == "32") return macroslot::kLeadFromManager;
    return std::nullopt;
}

} // namespace

int RunMacros(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2 || (args[0] != "encode" && args[0] != "list")) {
        return Usage(err);
    }
    const MacroStore store(args[1], [](std::chrono::milliseconds) {});
    errno = 0;
    if (!ReadWholeFile(args[1])) {
        err << "qv530ctl: macros: cannot read " << DescribeReadError(args[1], errno) << "\n";
        return kExitFile;
    }
    if (args[0] == "list") {
        if (args.size() != 2) return Usage(err);
        for (const auto& line : MacroListingLines(store.ReadAllMacros())) out << line << '\n';
        return 0;
    }
    const auto lead = LeadFromArgs(args);
    if (!lead) return Usage(err);
    std::array<std::uint8_t, macroslot::kAreaSize> area{};
    const MacroSlotsReport report = BuildMacroSlots(store, *lead, area);
    for (const auto& line : SlotHexLines(area)) out << line << '\n';
    for (const auto& line : EncodingWarnings(report)) err << line << '\n';
    return 0;
}

} // namespace qv530::cli
