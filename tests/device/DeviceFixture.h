#pragma once
// A data folder, the records and an emulated set of devices for the device tests.
#include <memory>
#include <string>

#include "usecases/ApplyUseCase.h"
#include "device/DeviceSession.h"
#include "device/EmulatedDevices.h"
#include "support/TempDir.h"

namespace qv530::test {

struct DeviceFixture {
    TempDir dir;
    std::string folder = dir.path() + "/";
    MouseSettings settings;
    MouseSettings sent;
    DeviceState state;
    ConfigFiles files{folder};
    DeviceLink link;
    EmulatedBackend backend;
    NoSleeper sleeper;
    Trace trace;
    int pointerApplies = 0;
    ApplyContext context{settings, sent, state, files, link, sleeper, &trace,
                         [this](const MouseSettings&) { ++pointerApplies; }, {}};

    std::shared_ptr<EmulatedMouse> PlugMouse(MouseVariant variant, std::uint16_t firmware = 0) {
        auto mouse = std::make_shared<EmulatedMouse>(variant, firmware);
        backend.Plug(mouse);
        return mouse;
    }
    std::shared_ptr<EmulatedPad> PlugPad() {
        auto pad = std::make_shared<EmulatedPad>();
        backend.Plug(pad);
        return pad;
    }
    // Discovery as at start-up.
    void Discover() {
        Discovery discovery(backend, link);
        for (MouseVariant v : {MouseVariant::A11D, MouseVariant::A1DC}) link.Connected(v) = discovery.FindMouse(v) ? 1 : 0;
        link.padConnected = discovery.FindPad() ? 1 : 0;
    }
};

} // namespace qv530::test
