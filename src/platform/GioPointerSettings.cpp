// The GNOME pointer settings through GIO's GSettings.
#include <gio/gio.h>

#include <string>

#include "platform/DebugLog.h"
#include "platform/PointerSettings.h"

namespace qv530 {
namespace {

constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";

class GioPointerSettings final : public PointerSettingsBackend {
public:
    explicit GioPointerSettings(bool gnomeDesktop) {
        if (!gnomeDesktop) {
            note_ = "this is not a GNOME session";
            return;
        }
        GSettingsSchemaSource* source = g_settings_schema_source_get_default();
        schema_ = source != nullptr ? g_settings_schema_source_lookup(source, kMouseSchema, TRUE) : nullptr;
        if (schema_ == nullptr) {
            note_ = std::string("the schema ") + kMouseSchema + " is not installed";
            DebugPrintf("GSettings: %s; the desktop's pointer settings are left as they are.\n", note_.c_str());
            return;
        }
        settings_ = g_settings_new_full(schema_, nullptr, nullptr);
    }

    ~GioPointerSettings() override {
        if (settings_ != nullptr) {
            g_settings_sync();
            g_object_unref(settings_);
        }
        if (schema_ != nullptr) g_settings_schema_unref(schema_);
    }

    bool SetMouse(const MouseAcceleration& acceleration, unsigned) override {
        return Set("accel-profile", g_variant_new_string(acceleration[2] != 0 ? "adaptive" : "flat"));
    }

    bool SetMouseSpeed(int speed, unsigned) override {
        if (speed < 1 || speed > 20) return Refuse("pointer speed " + std::to_string(speed) + " is out of range");
        return Set("speed", g_variant_new_double(GnomeSpeedFromSpeed(speed)));
    }

    bool SetWheelScrollLines(int, unsigned) override { return Refuse("GNOME has no wheel-lines setting"); }

    bool SetDoubleClickTime(int milliseconds, unsigned) override {
        if (milliseconds <= 0)
            return Refuse("double-click time " + std::to_string(milliseconds) + " is out of range");
        return Set("double-click", g_variant_new_int32(milliseconds));
    }

    std::string Note() const override { return note_; }

private:
    bool Refuse(std::string why) {
        note_ = std::move(why);
        DebugPrintf("GSettings: %s.\n", note_.c_str());
        return false;
    }

    // Takes ownership of value (a floating reference).
    bool Set(const char* key, GVariant* value) {
        g_variant_ref_sink(value);
        const bool taken = SetValue(key, value);
        g_variant_unref(value);
        return taken;
    }

    bool SetValue(const char* key, GVariant* value) {
        if (settings_ == nullptr) return Refuse(note_.empty() ? "no GSettings" : note_);
        const std::string where = std::string(kMouseSchema) + " " + key;
        if (!g_settings_schema_has_key(schema_, key)) return Refuse(where + " is not available");
        GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(schema_, key);
        const bool typeFits = g_variant_is_of_type(value, g_settings_schema_key_get_value_type(schemaKey));
        const bool inRange = typeFits && g_settings_schema_key_range_check(schemaKey, value);
        g_settings_schema_key_unref(schemaKey);
        gchar* text = g_variant_print(value, FALSE);
        const std::string shown = text;
        g_free(text);
        if (!inRange) return Refuse(shown + " is outside what " + where + " takes");
        if (!g_settings_is_writable(settings_, key)) return Refuse(where + " is locked by the administrator");
        if (!g_settings_set_value(settings_, key, value)) return Refuse(where + " did not take " + shown);
        note_ = where + " = " + shown;
        return true;
    }

    GSettingsSchema* schema_ = nullptr;
    GSettings* settings_ = nullptr;
    std::string note_;
};

} // namespace

std::unique_ptr<PointerSettingsBackend> MakeGioPointerSettings(bool gnomeDesktop) {
    return std::make_unique<GioPointerSettings>(gnomeDesktop);
}

} // namespace qv530
