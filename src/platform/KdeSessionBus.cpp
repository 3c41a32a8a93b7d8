#include "platform/KdeSessionBus.h"

#include <gio/gio.h>

#include <cstdlib>

#include "platform/DebugLog.h"
#include "platform/FileIo.h"

namespace qv530 {
namespace {

constexpr int kCallTimeoutMs = 2000;

// Only a bus the session names: GIO would otherwise try to launch one.
bool SessionBusNamed() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && address[0] != '\0') return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime != nullptr && PathExists(std::string(runtime) + "/bus");
}

// A GVariant reference released at the end of its scope.
struct VariantRef {
    GVariant* v = nullptr;
    ~VariantRef() {
        if (v != nullptr) g_variant_unref(v);
    }
};

class GioKdeSessionBus final : public KdeSessionBus {
public:
    GioKdeSessionBus() {
        if (!SessionBusNamed()) {
            DebugWrite("No session bus: DBUS_SESSION_BUS_ADDRESS is not set.\n");
            return;
        }
        GError* error = nullptr;
        bus_ = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error);
        if (error != nullptr) {
            DebugPrintf("No session bus: %s\n", error->message);
            g_error_free(error);
        }
    }
    ~GioKdeSessionBus() override {
        if (bus_ != nullptr) {
            g_dbus_connection_flush_sync(bus_, nullptr, nullptr);
            g_object_unref(bus_);
        }
    }

    bool Connected() override { return bus_ != nullptr; }

    std::optional<std::vector<InputDeviceId>> KwinPointers() override {
        if (bus_ == nullptr) return std::nullopt;
        VariantRef names{Property(kde_bus::kInputDeviceManagerPath, kde_bus::kInputDeviceManagerInterface,
                                  "devicesSysNames")};
        if (names.v == nullptr || !g_variant_is_of_type(names.v, G_VARIANT_TYPE_STRING_ARRAY)) return std::nullopt;
        std::vector<InputDeviceId> devices;
        gsize count = 0;
        const gchar** sysNames = g_variant_get_strv(names.v, &count);
        for (gsize i = 0; i < count; ++i) {
            const std::string path = std::string(kde_bus::kInputDeviceManagerPath) + "/" + sysNames[i];
            VariantRef pointer{Property(path, kde_bus::kInputDeviceInterface, "pointer")};
            if (pointer.v == nullptr || !g_variant_is_of_type(pointer.v, G_VARIANT_TYPE_BOOLEAN) ||
                !g_variant_get_boolean(pointer.v))
                continue;
            VariantRef name{Property(path, kde_bus::kInputDeviceInterface, "name")};
            VariantRef vendor{Property(path, kde_bus::kInputDeviceInterface, "vendor")};
            VariantRef product{Property(path, kde_bus::kInputDeviceInterface, "product")};
            if (name.v == nullptr || vendor.v == nullptr || product.v == nullptr ||
                !g_variant_is_of_type(name.v, G_VARIANT_TYPE_STRING) ||
                !g_variant_is_of_type(vendor.v, G_VARIANT_TYPE_UINT32) ||
                !g_variant_is_of_type(product.v, G_VARIANT_TYPE_UINT32))
                continue;
            devices.push_back({sysNames[i], static_cast<std::uint16_t>(g_variant_get_uint32(vendor.v)),
                               static_cast<std::uint16_t>(g_variant_get_uint32(product.v)),
                               g_variant_get_string(name.v, nullptr)});
        }
        g_free(sysNames);
        return devices;
    }

    bool SetKwinPointerAcceleration(const std::string& sysName, double value) override {
        if (bus_ == nullptr) return false;
        const std::string path = std::string(kde_bus::kInputDeviceManagerPath) + "/" + sysName;
        return Call(kde_bus::kKwinService, path, "org.freedesktop.DBus.Properties", "Set",
                    g_variant_new("(ssv)", kde_bus::kInputDeviceInterface, "pointerAcceleration",
                                  g_variant_new_double(value)));
    }

    bool NotifyConfigChanged(const std::string& file, const std::vector<std::string>& group,
                             const std::string& key) override {
        if (bus_ == nullptr) return false;
        // Nested group names are joined with the group separator KConfig uses inside.
        std::string groupName;
        for (const std::string& name : group) groupName += (groupName.empty() ? "" : "\x1d") + name;
        GVariantBuilder changes;
        g_variant_builder_init(&changes, G_VARIANT_TYPE("a{saay}"));
        GVariantBuilder keys;
        g_variant_builder_init(&keys, G_VARIANT_TYPE("aay"));
        g_variant_builder_add_value(&keys, g_variant_new_bytestring(key.c_str()));
        g_variant_builder_add(&changes, "{saay}", groupName.c_str(), &keys);
        return Emit("/" + file, kde_bus::kConfigNotifyInterface, "ConfigChanged",
                    g_variant_new("(a{saay})", &changes));
    }

    bool NotifyMouseSettingsChanged() override {
        if (bus_ == nullptr) return false;
        return Emit(kde_bus::kGlobalSettingsPath, kde_bus::kGlobalSettingsInterface, "notifyChange",
                    g_variant_new("(ii)", kde_bus::kSettingsChanged, kde_bus::kSettingsMouse));
    }

private:
    // A property of a KWin object, or null.
    GVariant* Property(const std::string& path, const char* interface, const char* name) {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_sync(
            bus_, kde_bus::kKwinService, path.c_str(), "org.freedesktop.DBus.Properties", "Get",
            g_variant_new("(ss)", interface, name), G_VARIANT_TYPE("(v)"), G_DBUS_CALL_FLAGS_NO_AUTO_START,
            kCallTimeoutMs, nullptr, &error);
        if (reply == nullptr) {
            DebugPrintf("KWin %s %s: %s\n", path.c_str(), name, error->message);
            g_error_free(error);
            return nullptr;
        }
        GVariant* value = nullptr;
        g_variant_get(reply, "(v)", &value);
        g_variant_unref(reply);
        return value;
    }

    bool Call(const char* service, const std::string& path, const char* interface, const char* method,
              GVariant* arguments) {
        GError* error = nullptr;
        GVariant* reply =
            g_dbus_connection_call_sync(bus_, service, path.c_str(), interface, method, arguments, nullptr,
                                        G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, nullptr, &error);
        if (reply == nullptr) {
            DebugPrintf("%s %s.%s: %s\n", path.c_str(), interface, method, error->message);
            g_error_free(error);
            return false;
        }
        g_variant_unref(reply);
        return true;
    }

    bool Emit(const std::string& path, const char* interface, const char* signal, GVariant* arguments) {
        GError* error = nullptr;
        if (g_dbus_connection_emit_signal(bus_, nullptr, path.c_str(), interface, signal, arguments, &error))
            return true;
        DebugPrintf("Signal %s.%s: %s\n", interface, signal, error->message);
        g_error_free(error);
        return false;
    }

    GDBusConnection* bus_ = nullptr;
};

} // namespace

std::unique_ptr<KdeSessionBus> MakeGioKdeSessionBus() { return std::make_unique<GioKdeSessionBus>(); }

} // namespace qv530
