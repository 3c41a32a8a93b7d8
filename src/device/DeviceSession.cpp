#include "device/DeviceSession.h"

#include "platform/DebugLog.h"

namespace qv530 {

namespace {
bool PathNamesProduct(std::string_view path, bool mouse) {
    for (const Product& product : kProducts)
        if (product.mouse == mouse && path.find(product.kernelName) != std::string_view::npos) return true;
    return false;
}
} // namespace

bool PathNamesMouse(std::string_view path) { return PathNamesProduct(path, true); }
bool PathNamesPad(std::string_view path) { return PathNamesProduct(path, false); }

DeviceSession::DeviceSession(HidBackend& backend, DeviceLink& link, MouseSettings& settings, DeviceState& state,
                             ReaderThread::Deliver deliver)
    : link_(link), settings_(settings), state_(state), discovery_(backend, link),
      a11dReader_(std::make_unique<ReaderThread>(link, MouseVariant::A11D, deliver)),
      a1dcReader_(std::make_unique<ReaderThread>(link, MouseVariant::A1DC, deliver)) {
    discovery_.onReaderOpened = [this](MouseVariant variant) { Reader(variant).Wake(); };
}

DeviceSession::~DeviceSession() { Shutdown(); }

void DeviceSession::ClearDeviceState() {
    state_.state.fill(0);
    state_.currentDpiStage = 0;
    state_.lightBlock.fill(0);
    settings_.at(field::kProfileSlot) = 0;
}

void DeviceSession::FindMice() {
    for (MouseVariant variant : {MouseVariant::A11D, MouseVariant::A1DC})
        link_.Connected(variant) = discovery_.FindMouse(variant) ? 1 : 0;
}

void DeviceSession::DiscoverAll() {
    FindMice();
    if (link_.AnyMouse()) ClearDeviceState();
    link_.padConnected = discovery_.FindPad() ? 1 : 0;
}

bool DeviceSession::StartReaders() {
    for (MouseVariant variant : {MouseVariant::A11D, MouseVariant::A1DC}) {
        if (!Reader(variant).Start()) return false;
        if (link_.Connected(variant).load() == 1) Reader(variant).Resume();
    }
    return true;
}

void DeviceSession::Shutdown() {
    a11dReader_->Stop();
    a1dcReader_->Stop();
    link_.CloseAll();
}

std::optional<StageTable> DeviceSession::DpiTable() const {
    if (link_.a11dConnected.load() == 1) return StageTable::A;
    if (link_.a1dcConnected.load() == 1) return StageTable::B;
    return std::nullopt;
}

DeviceChangeEffects DeviceSession::OnDeviceChange(int event, std::string_view path) {
    DeviceChangeEffects effects;
    if (event != kDeviceArrival && event != kDeviceRemoveComplete) return effects;
    const bool mouse = PathNamesMouse(path);
    const bool pad = PathNamesPad(path);
    if (!mouse && !pad) return effects;
    effects.handled = true;

    if (mouse && event == kDeviceArrival) {
        FindMice();
        effects.checkFirmware = true;
        if (link_.AnyMouse()) {
            effects.notices.push_back(notice::kMouseConnected);
            ClearDeviceState();
            effects.reloadProfile = true;
            for (MouseVariant variant : {MouseVariant::A11D, MouseVariant::A1DC})
                if (link_.Connected(variant).load() == 1) Reader(variant).Resume();
            effects.dpiTable = DpiTable();
            effects.tray = DeviceChangeEffects::Tray::Add;
        } else {
            effects.hideWindow = true;
            link_.a11dConnected = 0;
            link_.a1dcConnected = 0;
            effects.tray = DeviceChangeEffects::Tray::Remove;
        }
    } else if (mouse) {
        FindMice();
        effects.checkFirmware = true;
        if (!link_.AnyMouse()) {
            DebugWrite("The system did not detect the QV530-10800rad.");
            effects.notices.push_back(notice::kLastMouseGone);
            effects.hideWindow = true;
            effects.tray = DeviceChangeEffects::Tray::Remove;
        } else {
            effects.tray = DeviceChangeEffects::Tray::Add;
            effects.dpiTable = DpiTable();
        }
    }
    if (pad) {
        link_.padConnected = discovery_.FindPad() ? 1 : 0;
        effects.padChanged = true;
    }
    return effects;
}

} // namespace qv530
