#include "device/DeviceLink.h"

namespace qv530 {

void DeviceLink::CloseAll() {
    for (SharedHandle* reader : {&a11dReader, &a1dcReader})
        if (HidDevicePtr device = reader->Get()) device->CancelRead();
    for (SharedHandle* handle : {&a11dCommand, &a1dcCommand, &a11dReader, &a1dcReader, &pad}) handle->Set(nullptr);
}

const char* DeviceName(MouseVariant variant) { return variant == MouseVariant::A11D ? "a11d" : "a1dc"; }

} // namespace qv530
