// The desktop's pointer settings beyond the Windows calls: the KDE file
// editor, the Plasma backend on temporary files with a stand-in session bus,
// desktop detection and routes, and GNOME through GSettings' memory backend.
#include <gio/gio.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/DesktopPointerSettings.h"
#include "platform/FileIo.h"
#include "platform/KdeConfigText.h"
#include "platform/KdePointerSettings.h"
#include "settings/PointerValues.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using Group = std::vector<std::string>;

TEST(KdeConfigText, SetsOneEntryAndKeepsEveryOtherByte) {
    struct Case {
        const char* what;
        std::string before;
        Group group;
        std::string key, value, after;
    };
    const std::string mouseName = "Gamer Mäuschen/2 [左]";
    const Case cases[] = {
        {"empty file", "", {"KDE"}, "WheelScrollLines", "5", "[KDE]\nWheelScrollLines=5\n"},
        {"replaced in place, CRLF, comments and look-alikes kept",
         "# top\r\n[KDE]\r\nWheelScrollLinesX=1\r\n  WheelScrollLines = 3\r\nColorScheme=Breeze\r\n[General]\r\n"
         "WheelScrollLines=9\r\n",
         {"KDE"}, "WheelScrollLines", "7",
         "# top\r\n[KDE]\r\nWheelScrollLinesX=1\r\n  WheelScrollLines =7\r\nColorScheme=Breeze\r\n[General]\r\n"
         "WheelScrollLines=9\r\n"},
        {"added after the group's last entry, before its blank line",
         "[KDE]\nA=1\n\n[Mouse]\ncursorTheme=breeze\n", {"KDE"}, "DoubleClickInterval", "410",
         "[KDE]\nA=1\nDoubleClickInterval=410\n\n[Mouse]\ncursorTheme=breeze\n"},
        {"missing group appended to a file without a last line end", "[Mouse]\nX=1", {"KDE"}, "B", "2",
         "[Mouse]\nX=1\n\n[KDE]\nB=2\n"},
        {"nested group with slash, brackets and UTF-8",
         "[Libinput][1241][41245][Gamer Mäuschen/2 \\x5b左\\x5d]\nPointerAcceleration=0.5\nNaturalScroll=true\n"
         "[Libinput][1241][41245]\nPointerAcceleration=1\n",
         {"Libinput", "1241", "41245", mouseName}, "PointerAcceleration", "-0.200",
         "[Libinput][1241][41245][Gamer Mäuschen/2 \\x5b左\\x5d]\nPointerAcceleration=-0.200\nNaturalScroll=true\n"
         "[Libinput][1241][41245]\nPointerAcceleration=1\n"},
        {"new nested group header escapes brackets", "[Mouse]\nX=1\n", {"Libinput", "1241", "41245", mouseName},
         "PointerAcceleration", "0.000",
         "[Mouse]\nX=1\n\n[Libinput][1241][41245][Gamer Mäuschen/2 \\x5b左\\x5d]\nPointerAcceleration=0.000\n"},
        {"an option suffix of the key is kept", "[KDE]\nWheelScrollLines[$i]=3\n", {"KDE"}, "WheelScrollLines",
         "4", "[KDE]\nWheelScrollLines[$i]=4\n"},
    };
    for (const Case& c : cases) {
        const std::string after = SetKdeConfigEntry(c.before, c.group, c.key, c.value);
        EXPECT_EQ(after, c.after) << c.what;
        std::string read;
        EXPECT_TRUE(FindKdeConfigEntry(after, c.group, c.key, read)) << c.what;
        EXPECT_EQ(read, c.value) << c.what;
        EXPECT_EQ(SetKdeConfigEntry(after, c.group, c.key, c.value), after) << c.what << ": not idempotent";
    }
}

// Keeps what the Plasma backend says to the session.
class FakeKdeBus final : public KdeSessionBus {
public:
    bool Connected() override { return true; }
    std::optional<std::vector<InputDeviceId>> KwinPointers() override { return kwin; }
    bool SetKwinPointerAcceleration(const std::string& sysName, double value) override {
        std::ostringstream line;
        line << "kwin " << sysName << " " << value;
        said.push_back(line.str());
        return true;
    }
    bool NotifyConfigChanged(const std::string& file, const Group& group, const std::string& key) override {
        said.push_back("changed " + file + " " + KdeGroupHeader(group) + " " + key);
        return true;
    }
    bool NotifyMouseSettingsChanged() override {
        said.push_back("kglobalsettings mouse");
        return true;
    }
    std::optional<std::vector<InputDeviceId>> kwin;
    std::vector<std::string> said;
};

std::string Read(const std::string& path) { return ReadWholeFile(path).value_or("<unreadable>"); }
void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

MouseSettings Levels(int speed, int doubleClick, int wheelLines) {
    MouseSettings settings;
    ResetToDefaults(settings);
    settings.at(field::kPointerSpeed) = static_cast<std::uint8_t>(speed);
    settings.at(field::kDoubleClickLevel) = static_cast<std::uint8_t>(doubleClick);
    settings.at(field::kWheelLines) = static_cast<std::uint8_t>(wheelLines);
    settings.at(field::kWheelPageScroll) = 0;
    return settings;
}

TEST(KdePointerSettings, X11WritesTheThreeKeysKeepsTheRestAndTellsTheSession) {
    test::TempDir home;
    const std::string globals = "[General]\nfont=Noto Sans,10\n\n[KDE]\nLookAndFeelPackage=org.kde.breeze\n"
                                "WheelScrollLines=3\n\n[Icons]\nTheme=breeze\n";
    Write(home / "kdeglobals", globals);
    Write(home / "kcminputrc", "[Keyboard]\nNumLock=0\n\n[Mouse]\ncursorTheme=Bibata\n");
    FakeKdeBus bus;
    const DesktopSession session{DesktopKind::KdeX11, "KDE", home.path()};
    ApplyPointerSettings(Levels(6, 4, 5), *MakeKdePointerSettings(session, &bus, {}));
    EXPECT_EQ(Read(home / "kdeglobals"), "[General]\nfont=Noto Sans,10\n\n[KDE]\nLookAndFeelPackage=org.kde.breeze\n"
                                         "WheelScrollLines=5\nDoubleClickInterval=690\n\n[Icons]\nTheme=breeze\n");
    EXPECT_EQ(Read(home / "kcminputrc"),
              "[Keyboard]\nNumLock=0\n\n[Mouse]\ncursorTheme=Bibata\nXLbInptPointerAcceleration=0.000\n");
    EXPECT_EQ(bus.said, (std::vector<std::string>{"changed kcminputrc [Mouse] XLbInptPointerAcceleration",
                                                  "changed kdeglobals [KDE] WheelScrollLines", "kglobalsettings mouse",
                                                  "changed kdeglobals [KDE] DoubleClickInterval",
                                                  "kglobalsettings mouse"}));

    // Level 1 and 11 reach the ends of libinput's range; one screen per notch is refused and said.
    MouseSettings page = Levels(11, 1, 3);
    page.at(field::kWheelPageScroll) = 1;
    const auto backend = MakeKdePointerSettings(session, nullptr, {});
    ApplyPointerSettings(page, *backend);
    EXPECT_NE(Read(home / "kcminputrc").find("XLbInptPointerAcceleration=1.000\n"), std::string::npos);
    EXPECT_NE(Read(home / "kdeglobals").find("WheelScrollLines=5\n"), std::string::npos);
    EXPECT_EQ(backend->Note(), "kdeglobals [KDE] DoubleClickInterval = 900 (no session bus: running programs not told)");
    EXPECT_FALSE(backend->SetWheelScrollLines(kWheelScrollPage, kSendChange));
    EXPECT_EQ(backend->Note(), "one screen per notch is not available on Plasma");
    EXPECT_DOUBLE_EQ(LibinputAccelerationFromSpeed(PointerSpeedFromLevel(1)), -1.0);
}

TEST(KdePointerSettings, WaylandSetsEachOfOurMiceInItsGroupAndInKwin) {
    test::TempDir home;
    Write(home / "kcminputrc", "[Libinput][1133][49271][Other Mouse]\nPointerAcceleration=0.3\n");
    const InputDeviceId ours{"event7", 0x04D9, 0xA11D, "HOLTEK USB Gaming Mouse"};
    FakeKdeBus bus;
    bus.kwin = std::vector<InputDeviceId>{{"event3", 1133, 49271, "Other Mouse"}, ours};
    const DesktopSession session{DesktopKind::KdeWayland, "KDE", home.path()};
    const auto backend = MakeKdePointerSettings(session, &bus, {});
    EXPECT_TRUE(backend->SetMouseSpeed(PointerSpeedFromLevel(8), kSendChange));
    EXPECT_EQ(Read(home / "kcminputrc"), "[Libinput][1133][49271][Other Mouse]\nPointerAcceleration=0.3\n\n"
                                         "[Libinput][1241][41245][HOLTEK USB Gaming Mouse]\nPointerAcceleration=0.400\n");
    EXPECT_EQ(bus.said, (std::vector<std::string>{
                            "changed kcminputrc [Libinput][1241][41245][HOLTEK USB Gaming Mouse] PointerAcceleration",
                            "kwin event7 0.4"}));

    // KWin silent: the kernel's list names the group; no mouse at all: said, nothing written.
    bus.kwin.reset();
    bus.said.clear();
    const InputDeviceId kernels{"event9", 0x04D9, 0xA1DC, "USB Mouse"};
    EXPECT_TRUE(MakeKdePointerSettings(session, &bus, {kernels})->SetMouseSpeed(1, kSendChange));
    EXPECT_NE(Read(home / "kcminputrc").find("[Libinput][1241][41436][USB Mouse]\nPointerAcceleration=-1.000\n"),
              std::string::npos);
    const auto none = MakeKdePointerSettings(session, nullptr, {});
    EXPECT_FALSE(none->SetMouseSpeed(10, kSendChange));
    EXPECT_NE(none->Note().find("no QV530 mouse is connected"), std::string::npos);
}

TEST(KdePointerSettings, AFileItCannotReadIsKeptAndTheRefusalSaid) {
    test::TempDir home;
    std::filesystem::create_directory(home / "kdeglobals");
    const auto backend = MakeKdePointerSettings({DesktopKind::KdeX11, "KDE", home.path()}, nullptr, {});
    EXPECT_FALSE(backend->SetDoubleClickTime(500, kSendChange));
    EXPECT_NE(backend->Note().find("is left as it is"), std::string::npos) << backend->Note();
    EXPECT_TRUE(std::filesystem::is_directory(home / "kdeglobals"));
}

TEST(DesktopSession, DetectionAndWhatEachDesktopTakes) {
    struct Case {
        const char *current, *type, *wayland;
        DesktopKind kind;
        const char* title;
        std::array<PointerRoute::Kind, 4> routes; // speed, double-click, wheel, angle snap
    };
    using K = PointerRoute::Kind;
    const Case cases[] = {
        {"KDE", "x11", nullptr, DesktopKind::KdeX11, "KDE Plasma (X11)",
         {K::Taken, K::Taken, K::TakenLinesOnly, K::NoDesktopSetting}},
        {"KDE", "wayland", "wayland-0", DesktopKind::KdeWayland, "KDE Plasma (Wayland)",
         {K::Taken, K::Taken, K::TakenLinesOnly, K::NoDesktopSetting}},
        {"kde", nullptr, "wayland-0", DesktopKind::KdeWayland, "KDE Plasma (Wayland)",
         {K::Taken, K::Taken, K::TakenLinesOnly, K::NoDesktopSetting}},
        {"ubuntu:GNOME", "wayland", nullptr, DesktopKind::Gnome, "GNOME",
         {K::Taken, K::Taken, K::NotThisDesktop, K::NoDesktopSetting}},
        {"XFCE", "x11", nullptr, DesktopKind::Other, "XFCE",
         {K::NotThisDesktop, K::NotThisDesktop, K::NotThisDesktop, K::NoDesktopSetting}},
        {nullptr, nullptr, nullptr, DesktopKind::Other, "an unknown desktop",
         {K::NotThisDesktop, K::NotThisDesktop, K::NotThisDesktop, K::NoDesktopSetting}},
    };
    const std::vector<InputDeviceId> mice{{"event7", 0x04D9, 0xA11D, "Mouse"}};
    for (const Case& c : cases) {
        const DesktopSession session = DetectDesktop(c.current, c.type, c.wayland, nullptr, "/home/u");
        EXPECT_EQ(session.kind, c.kind) << c.title;
        EXPECT_EQ(DesktopTitle(session), c.title);
        EXPECT_EQ(session.configFolder, "/home/u/.config");
        for (std::size_t i = 0; i < kPointerSettings.size(); ++i)
            EXPECT_EQ(RouteOf(session, kPointerSettings[i], mice).kind, c.routes[i]) << c.title << " " << i;
    }
    EXPECT_EQ(DetectDesktop("KDE", "x11", nullptr, "/cfg", "/home/u").configFolder, "/cfg");
    const DesktopSession wayland = DetectDesktop("KDE", "wayland", nullptr, nullptr, "/h");
    EXPECT_EQ(RouteOf(wayland, PointerSetting::Speed, {}).kind, PointerRoute::Kind::NotThisDesktop);
}

TEST(KdeInputDevices, OurMiceFromTheKernelsInputClass) {
    test::TempDir sys;
    const auto device = [&](const std::string& event, const char* vendor, const char* product, const char* name) {
        std::filesystem::create_directories(sys / (event + "/device/id"));
        Write(sys / (event + "/device/id/vendor"), std::string(vendor) + "\n");
        Write(sys / (event + "/device/id/product"), std::string(product) + "\n");
        Write(sys / (event + "/device/name"), std::string(name) + "\n");
    };
    device("event4", "04d9", "a11d", "HOLTEK Gaming Mouse");
    device("event2", "046d", "c077", "Logitech Mouse");
    device("event9", "04d9", "a1dc", "HOLTEK Mouse/2");
    const auto mice = ListOurInputDevices(sys.path());
    ASSERT_EQ(mice.size(), 2u);
    EXPECT_EQ(KdeLibinputGroup(mice[0]), (Group{"Libinput", "1241", "41245", "HOLTEK Gaming Mouse"}));
    EXPECT_EQ(mice[1].name, "HOLTEK Mouse/2");
}

// GNOME's keys in GSettings' memory backend.
TEST(GioPointerSettings, SetsTheGnomeKeysAndRefusesWhatGnomeDoesNotHave) {
    ::setenv("GSETTINGS_BACKEND", "memory", 1);
    MouseSettings settings = Levels(2, 6, 3);
    settings.at(field::kPointerPrecision) = 1;
    const auto backend = MakeGioPointerSettings(true);
    ApplyPointerSettings(settings, *backend);
    GSettings* mouse = g_settings_new("org.gnome.desktop.peripherals.mouse");
    gchar* profile = g_settings_get_string(mouse, "accel-profile");
    EXPECT_STREQ(profile, "adaptive");
    g_free(profile);
    EXPECT_DOUBLE_EQ(g_settings_get_double(mouse, "speed"), GnomeSpeedFromSpeed(2));
    EXPECT_EQ(g_settings_get_int(mouse, "double-click"), 550);
    EXPECT_FALSE(backend->SetWheelScrollLines(3, kSendChange));
    EXPECT_EQ(backend->Note(), "GNOME has no wheel-lines setting");
    EXPECT_FALSE(backend->SetMouseSpeed(21, kSendChange));
    EXPECT_EQ(g_settings_get_double(mouse, "speed"), GnomeSpeedFromSpeed(2));
    g_object_unref(mouse);

    const auto elsewhere = MakeGioPointerSettings(false);
    EXPECT_FALSE(elsewhere->SetDoubleClickTime(400, kSendChange));
    EXPECT_EQ(elsewhere->Note(), "this is not a GNOME session");
}

} // namespace
} // namespace qv530
