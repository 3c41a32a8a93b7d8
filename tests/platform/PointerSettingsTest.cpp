#include "platform/DebugLog.h"
#include "settings/PointerValues.h"

#include <gtest/gtest.h>

namespace qv530 {
namespace {

using Call = RecordingPointerSettings::Call;
using Lines = std::vector<std::string>;

MouseSettings Defaults() {
    MouseSettings settings;
    ResetToDefaults(settings);
    return settings;
}

TEST(ApplyPointerSettings, SendsTheFourSettingsInOrderWithTheirFlags) {
    MouseSettings settings = Defaults();
    RecordingPointerSettings backend;
    DebugCapture debug;
    ApplyPointerSettings(settings, backend);
    EXPECT_EQ(backend.Lines(), (Lines{"SETMOUSE 0 0 0 flags=02", "SETMOUSESPEED 10 flags=02",
                                      "SETWHEELSCROLLLINES 3 flags=02", "SETDOUBLECLICKTIME 550 flags=03"}));
    EXPECT_TRUE(debug.Texts().empty());

    // The other end of every range; only precision 1 means on.
    settings.at(field::kPointerPrecision) = 1;
    settings.at(field::kPointerSpeed) = 1;
    settings.at(field::kWheelPageScroll) = 1;
    settings.at(field::kWheelLines) = 100;
    settings.at(field::kDoubleClickLevel) = 11;
    backend.Clear();
    ApplyPointerSettings(settings, backend);
    EXPECT_EQ(backend.Lines(), (Lines{"SETMOUSE 6 10 1 flags=02", "SETMOUSESPEED 1 flags=02",
                                      "SETWHEELSCROLLLINES -1 flags=02", "SETDOUBLECLICKTIME 200 flags=03"}));

    // Values a file can hold outside the ranges go out converted but unchecked.
    settings.at(field::kPointerPrecision) = 2;
    settings.at(field::kPointerSpeed) = 0;
    settings.at(field::kWheelPageScroll) = 0;
    settings.at(field::kDoubleClickLevel) = 0;
    backend.Clear();
    ApplyPointerSettings(settings, backend);
    EXPECT_EQ(backend.Lines(), (Lines{"SETMOUSE 0 0 0 flags=02", "SETMOUSESPEED -2 flags=02",
                                      "SETWHEELSCROLLLINES 100 flags=02", "SETDOUBLECLICKTIME 970 flags=03"}));
}

TEST(ApplyPointerSettings, ARefusedSettingLeavesItsLineAndTheRestStillGo) {
    const std::map<Call, std::string> lines{{Call::SetMouse, "SETMOUSE failed.\n"},
                                            {Call::SetMouseSpeed, "SETMOUSESPEED failed.\n"},
                                            {Call::SetWheelScrollLines, "SETWHEELSCROLLLINES failed.\n"},
                                            {Call::SetDoubleClickTime, "SPI_SETDOUBLECLICKTIME failed.\n"}};
    RecordingPointerSettings all;
    for (const auto& [call, line] : lines) {
        RecordingPointerSettings backend;
        backend.Refuse(call);
        all.Refuse(call);
        DebugCapture debug;
        ApplyPointerSettings(Defaults(), backend);
        EXPECT_EQ(debug.Texts(), Lines{line});
        EXPECT_EQ(backend.calls().size(), 4u);
    }
    DebugCapture debug;
    ApplyPointerSettings(Defaults(), all);
    EXPECT_EQ(debug.Joined(), "SETMOUSE failed.\nSETMOUSESPEED failed.\nSETWHEELSCROLLLINES failed.\n"
                              "SPI_SETDOUBLECLICKTIME failed.\n");
}

TEST(GnomeMapping, SpeedScaleAndDesktopNames) {
    EXPECT_DOUBLE_EQ(GnomeSpeedFromSpeed(1), -1.0);
    EXPECT_DOUBLE_EQ(GnomeSpeedFromSpeed(10), 0.0);
    EXPECT_DOUBLE_EQ(GnomeSpeedFromSpeed(11), 0.1);
    EXPECT_DOUBLE_EQ(GnomeSpeedFromSpeed(20), 1.0);
    double previous = -2;
    for (int level = 1; level <= 11; ++level) {
        const double speed = GnomeSpeedFromSpeed(PointerSpeedFromLevel(level));
        EXPECT_GT(speed, previous) << level;
        EXPECT_LE(speed, 1.0);
        previous = speed;
    }

    for (const char* gnome :
         {"GNOME", "ubuntu:GNOME", "Budgie:GNOME", "gnome", "GNOME-Flashback:GNOME", "GNOME-Classic"})
        EXPECT_TRUE(IsGnomeDesktop(gnome)) << gnome;
    for (const char* other : {"KDE", "XFCE", "", "X-GNOMEISH", "NOTGNOME"})
        EXPECT_FALSE(IsGnomeDesktop(other)) << other;
    EXPECT_FALSE(IsGnomeDesktop(nullptr));
}

} // namespace
} // namespace qv530
