#include "platform/HidReportDescriptor.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <map>
#include <optional>

namespace qv530 {
namespace {

// Short item prefix: tag (bits 7..4), type (bits 3..2), size code (bits 1..0).
// Size code 3 means four data bytes.
constexpr std::uint8_t kLongItemPrefix = 0xFE;

enum ItemType : std::uint8_t { kTypeMain = 0, kTypeGlobal = 1, kTypeLocal = 2, kTypeReserved = 3 };

enum MainTag : std::uint8_t {
    kMainInput = 0x8,
    kMainOutput = 0x9,
    kMainCollection = 0xA,
    kMainFeature = 0xB,
    kMainEndCollection = 0xC,
};

enum GlobalTag : std::uint8_t {
    kGlobalUsagePage = 0x0,
    kGlobalReportSize = 0x7,
    kGlobalReportId = 0x8,
    kGlobalReportCount = 0x9,
    kGlobalPush = 0xA,
    kGlobalPop = 0xB,
};

enum LocalTag : std::uint8_t {
    kLocalUsage = 0x0,
    kLocalUsageMinimum = 0x1,
};

constexpr std::uint32_t kCollectionApplication = 0x01;

// Nesting of Push items kept; deeper pushes are ignored (their pops then
// restore an older state, which is harmless for lengths).
constexpr std::size_t kMaxPushDepth = 64;

// Bits per report beyond which every length is 0xFFFF anyway.
constexpr std::uint64_t kSaturatedBits = std::uint64_t{0xFFFF} * 8;
constexpr std::uint64_t kMaxReportBytes = 0xFFFE; // plus the ID byte = 0xFFFF

enum ReportKind : std::size_t { kInput = 0, kOutput = 1, kFeature = 2, kKindCount = 3 };

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

struct LocalState {
    // The first usage of the item set; the page is resolved at the main item.
    std::optional<std::uint32_t> firstUsage;
    bool firstUsageExtended = false;
};

struct TopLevelCollection {
    HidCaps caps;
    // Bits per report ID, per kind.
    std::map<std::uint32_t, std::array<std::uint64_t, kKindCount>> reportBits;
};

std::uint16_t LengthFromBits(std::uint64_t bits) {
    const std::uint64_t bytes = std::min((bits + 7) / 8, kMaxReportBytes);
    return static_cast<std::uint16_t>(bytes + 1);
}

void FinishCaps(TopLevelCollection& collection) {
    std::array<std::uint64_t, kKindCount> largest{};
    std::array<bool, kKindCount> present{};
    for (const auto& [id, bits] : collection.reportBits) {
        for (std::size_t kind = 0; kind < kKindCount; ++kind) {
            if (bits[kind] == 0) continue; // fields of zero bits make no report
            present[kind] = true;
            largest[kind] = std::max(largest[kind], bits[kind]);
        }
    }
    auto lengthOf = [&](ReportKind kind) -> std::uint16_t {
        return present[kind] ? LengthFromBits(largest[kind]) : std::uint16_t{0};
    };
    collection.caps.inputReportLength = lengthOf(kInput);
    collection.caps.outputReportLength = lengthOf(kOutput);
    collection.caps.featureReportLength = lengthOf(kFeature);
}

class Parser {
public:
    std::vector<HidCaps> Run(std::span<const std::uint8_t> bytes) {
        std::size_t pos = 0;
        while (pos < bytes.size()) {
            const std::uint8_t prefix = bytes[pos];
            if (prefix == kLongItemPrefix) {
                // Long item: prefix, data size, tag, data. No long item tags
                // are defined, so they are stepped over.
                if (bytes.size() - pos < 3) break;
                const std::size_t dataSize = bytes[pos + 1];
                if (bytes.size() - pos - 3 < dataSize) break;
                pos += 3 + dataSize;
                continue;
            }
            const std::size_t sizeCode = prefix & 0x3u;
            const std::size_t dataSize = sizeCode == 3 ? 4 : sizeCode;
            if (bytes.size() - pos - 1 < dataSize) break; // truncated item
            std::uint32_t value = 0;
            for (std::size_t i = 0; i < dataSize; ++i)
                value |= static_cast<std::uint32_t>(bytes[pos + 1 + i]) << (8 * i);
            const auto type = static_cast<std::uint8_t>((prefix >> 2) & 0x3u);
            const auto tag = static_cast<std::uint8_t>(prefix >> 4);
            switch (type) {
            case kTypeMain: Main(tag, value); break;
            case kTypeGlobal: Global(tag, value); break;
            case kTypeLocal: Local(tag, value, dataSize); break;
            default: break; // reserved
            }
            pos += 1 + dataSize;
        }
        // A collection left open at the end still counts.
        std::vector<HidCaps> result;
        result.reserve(collections_.size());
        for (auto& collection : collections_) {
            FinishCaps(collection);
            result.push_back(collection.caps);
        }
        return result;
    }

private:
    void Main(std::uint8_t tag, std::uint32_t value) {
        switch (tag) {
        case kMainInput: AddField(kInput); break;
        case kMainOutput: AddField(kOutput); break;
        case kMainFeature: AddField(kFeature); break;
        case kMainCollection: OpenCollection(value); break;
        case kMainEndCollection:
            if (depth_ > 0) {
                --depth_;
                if (depth_ == 0) current_.reset();
            }
            break;
        default: break;
        }
        local_ = {};
    }

    void OpenCollection(std::uint32_t type) {
        if (depth_ == 0 && (type & 0xFFu) == kCollectionApplication) {
            TopLevelCollection collection;
            if (local_.firstUsage) {
                const std::uint32_t usage = *local_.firstUsage;
                collection.caps.usagePage = static_cast<std::uint16_t>(
                    local_.firstUsageExtended ? usage >> 16 : global_.usagePage & 0xFFFFu);
                collection.caps.usage = static_cast<std::uint16_t>(usage & 0xFFFFu);
            } else {
                collection.caps.usagePage = static_cast<std::uint16_t>(global_.usagePage & 0xFFFFu);
            }
            collection.caps.numberedReports = global_.reportId != 0;
            collections_.push_back(std::move(collection));
            current_ = collections_.size() - 1;
        }
        ++depth_;
    }

    void AddField(ReportKind kind) {
        if (!current_) return; // outside any top-level Application collection
        std::uint64_t bits = std::uint64_t{global_.reportSize} * global_.reportCount;
        bits = std::min(bits, kSaturatedBits);
        auto& total = collections_[*current_].reportBits[global_.reportId][kind];
        total = std::min(total + bits, kSaturatedBits);
    }

    void Global(std::uint8_t tag, std::uint32_t value) {
        switch (tag) {
        case kGlobalUsagePage: global_.usagePage = value; break;
        case kGlobalReportSize: global_.reportSize = value; break;
        case kGlobalReportCount: global_.reportCount = value; break;
        case kGlobalReportId:
            global_.reportId = value;
            if (current_) collections_[*current_].caps.numberedReports = true;
            break;
        case kGlobalPush:
            if (stack_.size() < kMaxPushDepth) stack_.push_back(global_);
            break;
        case kGlobalPop:
            if (!stack_.empty()) {
                global_ = stack_.back();
                stack_.pop_back();
            }
            break;
        default: break; // logical/physical ranges and units do not affect lengths
        }
    }

    void Local(std::uint8_t tag, std::uint32_t value, std::size_t dataSize) {
        if ((tag == kLocalUsage || tag == kLocalUsageMinimum) && !local_.firstUsage) {
            local_.firstUsage = value;
            local_.firstUsageExtended = dataSize == 4;
        }
    }

    GlobalState global_;
    std::vector<GlobalState> stack_;
    LocalState local_;
    std::size_t depth_ = 0;
    std::optional<std::size_t> current_;
    std::vector<TopLevelCollection> collections_;
};

} // namespace

std::vector<HidCaps> ParseReportDescriptor(std::span<const std::uint8_t> descriptor) {
    return Parser{}.Run(descriptor);
}

} // namespace qv530
