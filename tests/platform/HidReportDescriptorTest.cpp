#include "platform/HidReportDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "platform/TestDescriptors.h"

namespace qv530 {
namespace {

using test::DescriptorBytes;

HidCaps Caps(std::uint16_t page, std::uint16_t usage, std::uint16_t input, std::uint16_t output,
             std::uint16_t feature, bool numbered) {
    HidCaps caps;
    caps.usagePage = page;
    caps.usage = usage;
    caps.inputReportLength = input;
    caps.outputReportLength = output;
    caps.featureReportLength = feature;
    caps.numberedReports = numbered;
    return caps;
}

std::vector<HidCaps> Parse(const DescriptorBytes& bytes) { return ParseReportDescriptor(bytes); }

TEST(HidReportDescriptor, CapsOfTheDevicesInterfacesAndOfCommonDevices) {
    struct Case {
        const char* name;
        const DescriptorBytes& bytes;
        std::vector<HidCaps> expected;
    };
    const Case cases[] = {
        {"mouse command", test::kMouseCommandDescriptor, {Caps(0xFF01, 0x0001, 65, 65, 9, false)}},
        {"mouse notification", test::kMouseNotificationDescriptor, {Caps(0xFF02, 0x0001, 9, 0, 0, true)}},
        {"pad", test::kPadDescriptor, {Caps(0xFF00, 0xFF00, 0, 0, 9, false)}},
        {"boot keyboard", test::kBootKeyboardDescriptor, {Caps(0x0001, 0x0006, 9, 2, 0, false)}},
        // Largest input report is ID 2 (8 bytes), not ID 1 (4 bytes).
        {"numbered mouse", test::kNumberedMouseDescriptor, {Caps(0x0001, 0x0002, 9, 0, 3, true)}},
        {"two collections",
         test::kKeyboardAndConsumerDescriptor,
         {Caps(0x0001, 0x0006, 9, 0, 0, true), Caps(0x000C, 0x0001, 3, 0, 0, true)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Parse(c.bytes), c.expected);
    }
}

TEST(HidReportDescriptor, UsageResolution) {
    // A four-byte usage carries its own page, whatever the current page is.
    EXPECT_EQ(Parse({0x05, 0x01, 0x0B, 0x01, 0x00, 0x00, 0xFF, 0xA1, 0x01, 0xC0}),
              std::vector{Caps(0xFF00, 0x0001, 0, 0, 0, false)});
    // A short usage takes the page in effect at the collection item, even
    // when the page is declared after the usage.
    EXPECT_EQ(Parse({0x09, 0x01, 0x06, 0x01, 0xFF, 0xA1, 0x01, 0xC0}),
              std::vector{Caps(0xFF01, 0x0001, 0, 0, 0, false)});
    // The first usage of the set names the collection; Usage Minimum counts.
    EXPECT_EQ(Parse({0x05, 0x0C, 0x19, 0x03, 0x29, 0x07, 0x09, 0x09, 0xA1, 0x01, 0xC0}),
              std::vector{Caps(0x000C, 0x0003, 0, 0, 0, false)});
    // Local items do not outlive a main item: the second collection has no usage.
    EXPECT_EQ(Parse({0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0xA1, 0x01, 0xC0}),
              (std::vector{Caps(1, 2, 0, 0, 0, false), Caps(1, 0, 0, 0, 0, false)}));
}

TEST(HidReportDescriptor, GlobalStateAndItemForms) {
    // Push keeps 8 x 4 bits; the 16 x 10 feature in between does not leak.
    const DescriptorBytes pushPop = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x04, 0xA4,
                                     0x75, 0x10, 0x95, 0x0A, 0xB1, 0x02, 0xB4, 0x81, 0x02, 0xC0};
    EXPECT_EQ(Parse(pushPop), std::vector{Caps(0xFF00, 1, 5, 0, 21, false)});
    // A pop with nothing pushed and a push never popped change nothing.
    const DescriptorBytes unbalancedStack = {0xB4, 0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75,
                                             0x08, 0x95, 0x02, 0xA4, 0x81, 0x02, 0xC0};
    EXPECT_EQ(Parse(unbalancedStack), std::vector{Caps(0xFF00, 1, 3, 0, 0, false)});
    // A long item (FE, size, tag, data) is stepped over, data and all; its
    // data would otherwise read as a 64-count feature.
    const DescriptorBytes longItem = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xFE, 0x04, 0x10, 0x95,
                                      0x40, 0xB1, 0x02, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02, 0xC0};
    EXPECT_EQ(Parse(longItem), std::vector{Caps(0xFF00, 1, 0, 0, 3, false)});
    // Report IDs split a kind into separate reports; the largest one counts.
    // ID 1: 3 + 5 bytes, ID 2: 6 bytes -> 8 + 1.
    const DescriptorBytes split = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x85, 0x01, 0x95, 0x03,
                                   0x81, 0x02, 0x85, 0x02, 0x95, 0x06, 0x81, 0x02, 0x85, 0x01, 0x95, 0x05, 0x81,
                                   0x02, 0xC0};
    EXPECT_EQ(Parse(split), std::vector{Caps(0xFF00, 1, 9, 0, 0, true)});
    // Bits are rounded up once per report, not per field: 3 + 6 bits -> 2 bytes.
    const DescriptorBytes bits = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x01, 0x95, 0x03,
                                  0x81, 0x02, 0x95, 0x06, 0x81, 0x03, 0xC0};
    EXPECT_EQ(Parse(bits), std::vector{Caps(1, 2, 3, 0, 0, false)});
}

TEST(HidReportDescriptor, CollectionStructure) {
    // Nested collections, even Application ones, belong to their top-level one.
    const DescriptorBytes nested = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x01, 0x75,
                                    0x08, 0x95, 0x03, 0x81, 0x02, 0xC0, 0x95, 0x01, 0x81, 0x02, 0xC0};
    EXPECT_EQ(Parse(nested), std::vector{Caps(1, 2, 5, 0, 0, false)});
    // Fields outside any collection and inside a top-level Physical
    // collection belong to no interface.
    const DescriptorBytes stray = {0x75, 0x08, 0x95, 0x04, 0x81, 0x02, 0x09, 0x01, 0xA1, 0x00, 0x81,
                                   0x02, 0xC0, 0x09, 0x02, 0xA1, 0x01, 0x95, 0x01, 0x81, 0x02, 0xC0};
    EXPECT_EQ(Parse(stray), std::vector{Caps(0, 2, 2, 0, 0, false)});
    // An End Collection too many is ignored; a collection never closed counts.
    const DescriptorBytes unbalanced = {0xC0, 0xC0, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02};
    EXPECT_EQ(Parse(unbalanced), std::vector{Caps(0, 1, 0, 0, 3, false)});
    // A Report ID declared before the collection numbers its reports.
    const DescriptorBytes idFirst = {0x85, 0x07, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x02, 0x81, 0x02, 0xC0};
    EXPECT_EQ(Parse(idFirst), std::vector{Caps(0, 1, 3, 0, 0, true)});
    EXPECT_TRUE(Parse({}).empty());
}

TEST(HidReportDescriptor, AbsurdSizesSaturateInsteadOfOverflowing) {
    // Report Size and Report Count 0xFFFFFFFF: their product alone overflows
    // 32 bits, and three such fields overflow 64 bits when summed unchecked.
    DescriptorBytes bytes = {0x09, 0x01, 0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF};
    for (int i = 0; i < 3; ++i) bytes.insert(bytes.end(), {0x81, 0x02});
    // A report just under the limit, and one just over it.
    bytes.insert(bytes.end(), {0x75, 0x08, 0x85, 0x01, 0x97, 0xFE, 0xFF, 0x00, 0x00, 0xB1, 0x02});
    bytes.insert(bytes.end(), {0x85, 0x02, 0x97, 0xFD, 0xFF, 0x00, 0x00, 0x91, 0x02, 0xC0});
    const auto caps = Parse(bytes);
    ASSERT_EQ(caps.size(), 1u);
    EXPECT_EQ(caps[0].inputReportLength, 0xFFFF);
    EXPECT_EQ(caps[0].featureReportLength, 0xFFFF);
    EXPECT_EQ(caps[0].outputReportLength, 0xFFFE);
}

// Every prefix of a valid descriptor is a truncated one. None may crash,
// and none may find more collections or longer reports than the whole.
void ExpectPrefixesAreSafe(const DescriptorBytes& bytes) {
    const auto whole = ParseReportDescriptor(bytes);
    for (std::size_t length = 0; length <= bytes.size(); ++length) {
        const auto caps = ParseReportDescriptor(std::span(bytes.data(), length));
        ASSERT_LE(caps.size(), whole.size()) << "prefix " << length;
        for (std::size_t i = 0; i < caps.size(); ++i) {
            EXPECT_LE(caps[i].inputReportLength, whole[i].inputReportLength) << "prefix " << length;
            EXPECT_LE(caps[i].outputReportLength, whole[i].outputReportLength) << "prefix " << length;
            EXPECT_LE(caps[i].featureReportLength, whole[i].featureReportLength) << "prefix " << length;
        }
    }
}

TEST(HidReportDescriptor, TruncatedAndRandomInputIsSafe) {
    for (const auto* bytes : {&test::kMouseCommandDescriptor, &test::kMouseNotificationDescriptor, &test::kPadDescriptor,
                              &test::kBootKeyboardDescriptor, &test::kNumberedMouseDescriptor,
                              &test::kKeyboardAndConsumerDescriptor})
        ExpectPrefixesAreSafe(*bytes);

    // A long item whose size runs past the end, and a four-byte item cut short.
    EXPECT_EQ(Parse({0x09, 0x01, 0xA1, 0x01, 0xFE, 0xFF, 0x00, 0x01}), std::vector{Caps(0, 1, 0, 0, 0, false)});
    EXPECT_EQ(Parse({0x09, 0x01, 0xA1, 0x01, 0x97, 0xFF, 0xFF}), std::vector{Caps(0, 1, 0, 0, 0, false)});

    std::mt19937 random(20240531u);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    for (int round = 0; round < 3000; ++round) {
        DescriptorBytes bytes(static_cast<std::size_t>(length(random)));
        for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(random));
        // Collections open on roughly every 256th byte at random; seed some
        // so the field paths get exercised too.
        if (bytes.size() > 4 && round % 2 == 0) {
            bytes[0] = 0x09;
            bytes[2] = 0xA1;
            bytes[3] = 0x01;
        }
        const auto caps = ParseReportDescriptor(bytes);
        EXPECT_LE(caps.size(), bytes.size() / 2);
    }
}

// Replays the saved inputs of the descriptor fuzz target (its corpus and
// regressions): every file is parsed whole and in every prefix;
// descriptors/expected.txt lists the caps some of them must give (file, then
// per collection: page usage input output feature numbered, or "none"), and
// every file it names must be there.
std::map<std::string, std::vector<HidCaps>> ReadExpectations(const std::filesystem::path& file) {
    std::map<std::string, std::vector<HidCaps>> expectations;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        auto& list = expectations[name];
        std::string page;
        while (fields >> page && page != "none") {
            unsigned usage = 0, input = 0, output = 0, feature = 0, numbered = 0;
            fields >> std::hex >> usage >> std::dec >> input >> output >> feature >> numbered;
            list.push_back(Caps(static_cast<std::uint16_t>(std::stoul(page, nullptr, 16)),
                                static_cast<std::uint16_t>(usage), static_cast<std::uint16_t>(input),
                                static_cast<std::uint16_t>(output), static_cast<std::uint16_t>(feature),
                                numbered != 0));
        }
    }
    return expectations;
}

TEST(HidReportDescriptor, ReplaySavedInputs) {
    auto expectations = ReadExpectations(QV530_DESCRIPTOR_EXPECTATIONS);
    ASSERT_FALSE(expectations.empty());
    int replayed = 0;
    for (const char* folder : {"corpus/hid_descriptor", "regressions/hid_descriptor"}) {
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(QV530_FUZZ_INPUTS) / folder)) {
            SCOPED_TRACE(entry.path().filename().string());
            std::ifstream in(entry.path(), std::ios::binary);
            const DescriptorBytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ExpectPrefixesAreSafe(bytes);
            const auto expected = expectations.find(entry.path().filename().string());
            if (expected != expectations.end()) {
                EXPECT_EQ(ParseReportDescriptor(bytes), expected->second);
                expectations.erase(expected);
            }
            ++replayed;
        }
    }
    EXPECT_GE(replayed, 7);
    for (const auto& [name, caps] : expectations) ADD_FAILURE() << "expected.txt names " << name << ", which is missing";
}

} // namespace
} // namespace qv530
