#include "device/DeviceSession.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <future>
#include <thread>

#include "DeviceFixture.h"
#include "device/FirmwareGate.h"
#include "platform/DebugLog.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using namespace std::chrono_literals;

// A backend whose interfaces a test lays out, opening emulated ones.
struct ListedBackend final : HidBackend {
    std::vector<HidInterfaceInfo> interfaces;
    std::map<std::string, int> openErrors;
    std::vector<std::string> opened;
    std::vector<HidInterfaceInfo> Enumerate() override { return interfaces; }
    OpenResult Open(const HidInterfaceInfo& info, OpenMode) override {
        opened.push_back(info.path);
        if (auto e = openErrors.find(info.path); e != openErrors.end()) return {nullptr, e->second};
        return {std::make_shared<EmulatedPad>(), 0};
    }
};

HidInterfaceInfo Interface(std::string path, std::uint16_t product, HidCaps caps, std::uint16_t version = 0x0302) {
    return {std::move(path), "0003:04D9:XXXX.0001", kVendorId, product, version, true, {caps}};
}

HidCaps Command(std::uint16_t feature = 9, std::uint16_t input = 65, std::uint16_t output = 65) {
    return {0xFF01, 0x0001, input, output, feature, false};
}
HidCaps Notification(std::uint16_t input = 9) { return {0xFF02, 0x0001, input, 0, 0, true}; }

TEST(Discovery, RecognitionTableAndLengths) {
    ListedBackend backend;
    DeviceLink link;
    Discovery discovery(backend, link);
    backend.interfaces = {Interface("/dev/hidraw0", 0xA11D, Notification()),
                          Interface("/dev/hidraw1", 0xA11D, Command(8))};
    EXPECT_TRUE(discovery.FindReader(MouseVariant::A11D));
    EXPECT_FALSE(discovery.FindCommand(MouseVariant::A11D)); // feature length 8 is not our command interface

    // Both variants: the lengths are those of the A1DC command interface, found last.
    backend.interfaces = {Interface("/dev/hidraw0", 0xA11D, Notification()), Interface("/dev/hidraw1", 0xA11D, Command()),
                          Interface("/dev/hidraw2", 0xA1DC, Notification()),
                          Interface("/dev/hidraw3", 0xA1DC, Command(9, 66, 67), 0x0106)};
    EXPECT_TRUE(discovery.FindMouse(MouseVariant::A11D));
    EXPECT_TRUE(discovery.FindMouse(MouseVariant::A1DC));
    EXPECT_EQ(link.inputReportLength.load(), 66);
    EXPECT_EQ(link.outputReportLength.load(), 67);
    EXPECT_EQ(link.a1dcFirmware.load(), 0x0106u);
    EXPECT_EQ(link.a11dFirmware.load(), 0x0302u);

    // Lengths outside what a chunk needs, or a notification longer than the reader buffer, are refused.
    DebugCapture debug;
    backend.interfaces = {Interface("/dev/hidraw1", 0xA11D, Command(9, 64, 65)),
                          Interface("/dev/hidraw2", 0xA11D, Command(9, 65, 281)),
                          Interface("/dev/hidraw0", 0xA11D, Notification(81))};
    EXPECT_FALSE(discovery.FindCommand(MouseVariant::A11D));
    EXPECT_FALSE(discovery.FindReader(MouseVariant::A11D));
    EXPECT_TRUE(debug.Contains("Command interface refused: chunk report length outside 65..280.\n"));
    EXPECT_TRUE(debug.Contains("SetupDiEnumDeviceInterfaces failed.\n"));
}

TEST(Discovery, AccessDeniedIsSkippedAndReportedOnce) {
    ListedBackend backend;
    DeviceLink link;
    Discovery discovery(backend, link);
    backend.interfaces = {Interface("/dev/hidraw5", 0xA11D, Notification()), Interface("/dev/hidraw6", 0xA11D, Notification())};
    backend.openErrors["/dev/hidraw5"] = EACCES;
    int reports = 0;
    discovery.onAccessDenied = [&](const std::string&) { ++reports; };
    EXPECT_TRUE(discovery.FindReader(MouseVariant::A11D)); // goes on to the next interface
    EXPECT_TRUE(discovery.FindReader(MouseVariant::A11D));
    EXPECT_EQ(reports, 1);
    ASSERT_EQ(discovery.accessMessages().size(), 1u);
    EXPECT_NE(discovery.accessMessages()[0].find("/dev/hidraw5"), std::string::npos);
    EXPECT_NE(discovery.accessMessages()[0].find("70-qv530-10800rad.rules"), std::string::npos);
    // Any other error ends the pass.
    backend.openErrors["/dev/hidraw5"] = EIO;
    EXPECT_FALSE(discovery.FindReader(MouseVariant::A11D));
}

TEST(FirmwareGate, Boundaries) {
    DeviceLink link;
    EXPECT_FALSE(CheckFirmware(link, false).tooOld);
    link.a11dConnected = 1;
    for (auto [version, old] : {std::pair{0x0301u, true}, {0x0302u, false}, {0x0001u, true}, {0u, false}}) {
        link.a11dFirmware = version;
        EXPECT_EQ(CheckFirmware(link, false).tooOld, old) << version;
    }
    link.a11dFirmware = 0x0100;
    link.a1dcConnected = 1; // checked first, alone
    link.a1dcFirmware = 0x0107;
    EXPECT_FALSE(CheckFirmware(link, false).tooOld);
    link.a1dcFirmware = 0x0106;
    EXPECT_TRUE(CheckFirmware(link, false).tooOld);
    EXPECT_EQ(CheckFirmware(link, false).variant, MouseVariant::A1DC);
    EXPECT_FALSE(CheckFirmware(link, true).tooOld); // the updater is running
}

TEST(ReaderThread, RecognisesStageChangesOnly) {
    const std::uint8_t yes[] = {0x04, 0x01, 0x77, 0x03};
    const std::uint8_t other[] = {0x04, 0x02, 0x77, 0x03};
    EXPECT_TRUE(RecogniseNotification(yes, 4).recognised);
    EXPECT_EQ(RecogniseNotification(yes, 4).stage, 3);
    EXPECT_FALSE(RecogniseNotification(other, 4).recognised);
    EXPECT_FALSE(RecogniseNotification(yes, 0).recognised);
}

TEST(ReaderThread, AShortReadIsNoStageEvenOverAnOldReport) {
    // The buffer still holds a whole stage report; the new read brought two bytes.
    std::array<std::uint8_t, kReaderBufferSize> buffer{0x04, 0x01, 0x00, 0x05};
    for (int got : {1, 2, 3}) EXPECT_FALSE(RecogniseNotification(buffer, got).recognised) << got;
    EXPECT_EQ(RecogniseNotification(buffer, 4).stage, 5);
}

class SessionTest : public ::testing::Test, public test::DeviceFixture {
protected:
    std::promise<std::pair<int, int>> delivered;
    std::atomic<int> deliveries{0};
    DeviceSession session{backend, link, settings, state, [this](int kind, int stage) {
                              if (deliveries++ == 0) delivered.set_value({kind, stage});
                          }};
};

TEST_F(SessionTest, StageChangesReachTheWindowAndReadersStopCleanly) {
    auto mouse = PlugMouse(MouseVariant::A1DC);
    session.DiscoverAll();
    session.StartReaders();
    mouse->InjectStageChange(3);
    auto future = delivered.get_future();
    ASSERT_EQ(future.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(future.get(), std::make_pair(int(notice::kA1DCStage), 3));
    session.Shutdown(); // joins both threads, also the one whose mouse never came
    EXPECT_FALSE(link.a1dcReader);
}

TEST_F(SessionTest, MousePluggedInLaterIsReadToo) {
    session.DiscoverAll();
    session.StartReaders();
    auto mouse = PlugMouse(MouseVariant::A11D);
    const auto effects = session.OnDeviceChange(kDeviceArrival, EmulatedBackend::EventPath(kProductA11D));
    EXPECT_TRUE(effects.handled);
    EXPECT_EQ(effects.notices, std::vector<int>{int(notice::kMouseConnected)});
    EXPECT_EQ(effects.tray, DeviceChangeEffects::Tray::Add);
    EXPECT_EQ(effects.dpiTable, StageTable::A);
    EXPECT_TRUE(effects.checkFirmware);
    mouse->InjectStageChange(5);
    auto future = delivered.get_future();
    ASSERT_EQ(future.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(future.get(), std::make_pair(int(notice::kA11DStage), 5));
}

// Discovery that takes a while, as a sysfs scan does: a reader woken before
// its mouse counts as connected must still run once it does.
struct SlowBackend final : HidBackend {
    explicit SlowBackend(HidBackend& inner) : inner_(inner) {}
    std::vector<HidInterfaceInfo> Enumerate() override {
        std::this_thread::sleep_for(20ms);
        return inner_.Enumerate();
    }
    OpenResult Open(const HidInterfaceInfo& info, OpenMode mode) override { return inner_.Open(info, mode); }
    HidBackend& inner_;
};

TEST_F(SessionTest, AMousePluggedBackInIsReadAgain) {
    SlowBackend slow(backend);
    std::atomic<int> stages{0};
    DeviceSession replugged(slow, link, settings, state, [&](int, int) { ++stages; });
    PlugMouse(MouseVariant::A11D);
    replugged.DiscoverAll();
    replugged.StartReaders();
    backend.UnplugMouse(MouseVariant::A11D);
    replugged.OnDeviceChange(kDeviceRemoveComplete, EmulatedBackend::EventPath(kProductA11D));
    auto mouse = PlugMouse(MouseVariant::A11D);
    replugged.OnDeviceChange(kDeviceArrival, EmulatedBackend::EventPath(kProductA11D));
    mouse->InjectStageChange(3);
    for (int i = 0; i < 100 && stages.load() == 0; ++i) std::this_thread::sleep_for(50ms);
    EXPECT_EQ(stages.load(), 1);
    replugged.Shutdown();
}

TEST_F(SessionTest, RemovalAndForeignEvents) {
    PlugMouse(MouseVariant::A11D);
    PlugPad();
    session.DiscoverAll();
    EXPECT_EQ(link.padConnected.load(), 1);
    settings.at(field::kProfileSlot) = 4;

    EXPECT_FALSE(session.OnDeviceChange(kDeviceArrival, "/devices/x/0003:046D:C52B.0001/hidraw/hidraw1").handled);
    EXPECT_FALSE(session.OnDeviceChange(kDeviceArrival, "/devices/x/0003:04d9:a11d.0001/hidraw/hidraw1").handled);
    EXPECT_FALSE(session.OnDeviceChange(0x0007, EmulatedBackend::EventPath(kProductA11D)).handled);

    backend.UnplugPad();
    auto effects = session.OnDeviceChange(kDeviceRemoveComplete, EmulatedBackend::EventPath(kProductPad));
    EXPECT_TRUE(effects.padChanged);
    EXPECT_EQ(link.padConnected.load(), 0);
    EXPECT_EQ(effects.tray, DeviceChangeEffects::Tray::Unchanged);

    backend.UnplugMouse(MouseVariant::A11D);
    DebugCapture debug;
    effects = session.OnDeviceChange(kDeviceRemoveComplete, EmulatedBackend::EventPath(kProductA11D));
    EXPECT_EQ(effects.notices, std::vector<int>{int(notice::kLastMouseGone)});
    EXPECT_TRUE(effects.hideWindow);
    EXPECT_EQ(effects.tray, DeviceChangeEffects::Tray::Remove);
    EXPECT_TRUE(debug.Contains("The system did not detect the QV530-10800rad."));
    EXPECT_EQ(link.a11dConnected.load(), 0);
}

TEST_F(SessionTest, ArrivalClearsDeviceStateAndReloadsTheProfile) {
    session.DiscoverAll();
    state.currentDpiStage = 6;
    state.state = {1, 2, 3, 4};
    settings.at(field::kProfileSlot) = 2;
    PlugMouse(MouseVariant::A11D);
    const auto effects = session.OnDeviceChange(kDeviceArrival, EmulatedBackend::EventPath(kProductA11D));
    EXPECT_TRUE(effects.reloadProfile);
    EXPECT_EQ(state.currentDpiStage, 0);
    EXPECT_EQ(state.state, (std::array<std::uint8_t, 4>{}));
    EXPECT_EQ(settings.at(field::kProfileSlot), 0);
    EXPECT_TRUE(trace.Lines().empty()); // nothing is sent on arrival
}

} // namespace
} // namespace qv530
