#include <chrono>
#include <map>

#include "platform/DebugLog.h"
#include "settings/PointerValues.h"
#include "platform/ProcessRunner.h"

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

// Answers gsettings as a GNOME session does, and keeps every argument vector.
class FakeGsettings final : public ProcessRunner {
public:
    FakeGsettings() {
        const ProcessResult ok{true, false, 0, "", ""};
        answers["list-keys"] = {true, false, 0, "accel-profile\ndouble-click\nleft-handed\nspeed\n", ""};
        answers["range speed"] = {true, false, 0, "range d -1.0 1.0\n", ""};
        answers["range accel-profile"] = {true, false, 0, "enum\n'default'\n'flat'\n'adaptive'\n", ""};
        answers["range double-click"] = {true, false, 0, "type i\n", ""};
        answers["set"] = ok;
    }
    ProcessResult Run(const std::vector<std::string>& argv, int timeoutMs) override {
        EXPECT_GT(timeoutMs, 0);
        EXPECT_LE(timeoutMs, 5000);
        std::string line;
        for (const auto& arg : argv) line += (line.empty() ? "" : " ") + arg;
        runs.push_back(line);
        const std::string verb = argv.size() > 1 ? argv[1] : "";
        if (verb == "range" && argv.size() > 3) return answers["range " + argv[3]];
        return answers[verb];
    }
    std::map<std::string, ProcessResult> answers;
    Lines runs;
};

TEST(GsettingsPointerSettings, SetsTheGnomeKeysAfterCheckingThem) {
    FakeGsettings gsettings;
    const auto backend = MakeGsettingsPointerSettings(gsettings, true);
    MouseSettings settings = Defaults();
    settings.at(field::kPointerPrecision) = 1;
    settings.at(field::kPointerSpeed) = 2; // speed 2
    DebugCapture debug;
    ApplyPointerSettings(settings, *backend);
    const std::string schema = " org.gnome.desktop.peripherals.mouse";
    EXPECT_EQ(gsettings.runs, (Lines{"gsettings list-keys" + schema,
                                     "gsettings range" + schema + " accel-profile",
                                     "gsettings set" + schema + " accel-profile 'adaptive'",
                                     "gsettings range" + schema + " speed",
                                     "gsettings set" + schema + " speed -0.8889",
                                     "gsettings range" + schema + " double-click",
                                     "gsettings set" + schema + " double-click 550"}));
    // GNOME has no wheel-lines setting.
    EXPECT_EQ(debug.Texts(), Lines{"SETWHEELSCROLLLINES failed.\n"});

    // The checks are made once; off is the flat profile.
    gsettings.runs.clear();
    settings.at(field::kPointerPrecision) = 0xFF;
    settings.at(field::kPointerSpeed) = 11;
    ApplyPointerSettings(settings, *backend);
    EXPECT_EQ(gsettings.runs, (Lines{"gsettings set" + schema + " accel-profile 'flat'",
                                     "gsettings set" + schema + " speed 1.0000",
                                     "gsettings set" + schema + " double-click 550"}));
}

TEST(GsettingsPointerSettings, EveryFailureIsADebugLineAndNothingIsForced) {
    const Lines allFailed{"SETMOUSE failed.\n", "SETMOUSESPEED failed.\n", "SETWHEELSCROLLLINES failed.\n",
                          "SPI_SETDOUBLECLICKTIME failed.\n"};
    const auto failures = [](const DebugCapture& debug) {
        Lines own;
        for (const auto& text : debug.Texts())
            if (text.find(" failed.\n") != std::string::npos && text.find("gsettings") == std::string::npos)
                own.push_back(text);
        return own;
    };
    {
        // Not GNOME: nothing runs.
        FakeGsettings gsettings;
        DebugCapture debug;
        ApplyPointerSettings(Defaults(), *MakeGsettingsPointerSettings(gsettings, false));
        EXPECT_TRUE(gsettings.runs.empty());
        EXPECT_EQ(debug.Texts(), allFailed);
    }
    {
        // No gsettings program: tried once, never again.
        FakeGsettings gsettings;
        gsettings.answers["list-keys"] = ProcessResult{};
        const auto backend = MakeGsettingsPointerSettings(gsettings, true);
        DebugCapture debug;
        ApplyPointerSettings(Defaults(), *backend);
        ApplyPointerSettings(Defaults(), *backend);
        EXPECT_EQ(gsettings.runs.size(), 1u);
        EXPECT_EQ(failures(debug).size(), 8u);
        EXPECT_TRUE(debug.Contains("gsettings not found; the desktop's pointer settings are left as they are.\n"));
    }
    {
        // A gsettings that hangs is killed, and not asked again.
        FakeGsettings gsettings;
        gsettings.answers["set"] = {true, true, -1, "", ""};
        const auto backend = MakeGsettingsPointerSettings(gsettings, true);
        DebugCapture debug;
        ApplyPointerSettings(Defaults(), *backend);
        EXPECT_EQ(gsettings.runs.size(), 3u); // list-keys, range, set
        EXPECT_EQ(failures(debug), allFailed);
    }
    {
        // No schema.
        FakeGsettings gsettings;
        gsettings.answers["list-keys"] = {true, false, 1, "", "No such schema\n"};
        DebugCapture debug;
        ApplyPointerSettings(Defaults(), *MakeGsettingsPointerSettings(gsettings, true));
        EXPECT_EQ(gsettings.runs.size(), 1u);
        EXPECT_EQ(failures(debug), allFailed);
    }
    {
        // An older schema without accel-profile; a set that could not store
        // its value (exit status 0, a warning on stderr); values outside what
        // the desktop takes are refused before anything runs.
        FakeGsettings gsettings;
        gsettings.answers["list-keys"].out = "double-click\nspeed\n";
        gsettings.answers["set"].err = "\n(process:1): dconf-WARNING **: failed to commit changes to dconf\n";
        MouseSettings settings = Defaults();
        const auto backend = MakeGsettingsPointerSettings(gsettings, true);
        DebugCapture debug;
        ApplyPointerSettings(settings, *backend);
        EXPECT_EQ(failures(debug), allFailed);
        for (const auto& run : gsettings.runs) EXPECT_EQ(run.find("accel-profile"), std::string::npos) << run;
        EXPECT_TRUE(debug.Contains("gsettings set org.gnome.desktop.peripherals.mouse speed 0.0000 failed: "
                                   "(process:1): dconf-WARNING **: failed to commit changes to dconf\n"));

        gsettings.runs.clear();
        settings.at(field::kPointerSpeed) = 0;      // speed -2
        settings.at(field::kDoubleClickLevel) = 14; // -10 ms
        ApplyPointerSettings(settings, *backend);
        EXPECT_TRUE(gsettings.runs.empty());
    }
    {
        // A range the desktop narrows is respected.
        FakeGsettings gsettings;
        gsettings.answers["range double-click"].out = "range i 300 900\n";
        MouseSettings settings = Defaults();
        settings.at(field::kDoubleClickLevel) = 11; // 200 ms
        DebugCapture debug;
        ApplyPointerSettings(settings, *MakeGsettingsPointerSettings(gsettings, true));
        EXPECT_TRUE(debug.Contains("SPI_SETDOUBLECLICKTIME failed.\n"));
        EXPECT_EQ(gsettings.runs.back(), "gsettings range org.gnome.desktop.peripherals.mouse double-click");
    }
}

TEST(SystemProcessRunner, CollectsOutputAndNeverWaitsPastItsTime) {
    ProcessRunner& runner = SystemProcessRunner();
    ProcessResult result = runner.Run({"sh", "-c", "echo out; echo err >&2; exit 3"}, 5000);
    EXPECT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.out, "out\n");
    EXPECT_EQ(result.err, "err\n");
    EXPECT_FALSE(result.ok());

    EXPECT_FALSE(runner.Run({"qv530-no-such-program"}, 1000).started);
    EXPECT_FALSE(runner.Run({}, 1000).started);
    // Standard input is empty, not the caller's terminal.
    EXPECT_TRUE(runner.Run({"cat"}, 5000).ok());

    const auto start = std::chrono::steady_clock::now();
    result = runner.Run({"sleep", "10"}, 200);
    EXPECT_TRUE(result.timedOut);
    EXPECT_FALSE(result.ok());
    // A child that leaves a process behind holding its output open.
    result = runner.Run({"sh", "-c", "sleep 3 & echo done"}, 5000);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.out, "done\n");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

} // namespace
} // namespace qv530
