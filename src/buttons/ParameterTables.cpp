#include "buttons/ParameterTables.h"

#include <algorithm>
#include <array>

namespace qv530 {
namespace {

// clang-format off
constexpr std::array<MultimediaKey, 8> kMultimedia{{
    {0x83, 0x0183, {"多媒体播放器", "開啟媒體播放器", "Open Media Player", "Mediaplayer öffnen"}},
    {0xB5, 0x00B5, {"下一首", "下一首", "Next Track", "Nächster Titel"}},
    {0xB6, 0x00B6, {"上一首", "上一首", "Previous Track", "Vorheriger Titel"}},
    {0xB7, 0x00B7, {"停止", "停止", "Stop", "Stopp"}},
    {0xCD, 0x00CD, {"播放/暂停", "播放/暫停", "Play/Pause", "Play/Pause"}},
    {0xE2, 0x00E2, {"静音", "靜音", "Mute", "Stumm"}},
    {0xE9, 0x00E9, {"音量+", "提高音量", "Volume Up", "Lautstärke +"}},
    {0xEA, 0x00EA, {"音量-", "降低音量", "Volume Down", "Lautstärke -"}},
}};

constexpr std::array<OfficeShortcut, 10> kOffice{{
    {"N", 0x11, {"新建", "新建", "New", "Neu"}},
    {"X", 0x1B, {"剪切", "剪下", "Cut", "Ausschneiden"}},
    {"C", 0x06, {"复制", "複製", "Copy", "Kopieren"}},
    {"V", 0x19, {"粘贴", "貼上", "Paste", "Einfügen"}},
    {"S", 0x16, {"保存", "儲存", "Save", "Speichern"}},
    {"P", 0x13, {"打印", "列印", "Print", "Drucken"}},
    {"F", 0x09, {"查找", "尋找", "Find", "Suchen"}},
    {"Y", 0x1C, {"重复", "重做", "Redo", "Wiederherstellen"}},
    {"Z", 0x1D, {"撤销", "復原", "Undo", "Rückgängig machen"}},
    {"A", 0x04, {"全选", "選擇全部", "Select All", "Alles auswählen"}},
}};

constexpr std::array<WindowsShortcut, 7> kWindows{{
    {{"我的电脑", "我的電腦", "My computer", "Arbeitsplatz"}},
    {{"浏览器-主页", "首頁", "Web Home", "Web: Startseite"}},
    {{"搜索", "搜尋程式及檔案", "Search Computer", "Computer durchsuchen"}},
    {{"最大化", "最大化", "Maximize", "Maximieren"}},
    {{"最小化", "最小化", "Minimize", "Minimieren"}},
    {{"显示桌面", "顯示桌面", "Show desktop", "Desktop anzeigen"}},
    {{"运行", "運行", "Run", "Ausführen"}},
}};

constexpr std::array<DpiActionEntry, 3> kDpi{{
    {1, {"DPI +", "DPI +", "DPI +", "DPI +"}},
    {2, {"DPI -", "DPI -", "DPI -", "DPI -"}},
    {3, {"DPI loop", "DPI循環檔", "DPI Loop", "DPI Schleife"}},
}};
// clang-format on

template <typename Table, typename Pred>
auto FindIn(const Table& table, Pred pred) -> std::optional<typename Table::value_type> {
    const auto it = std::find_if(table.begin(), table.end(), pred);
    if (it == table.end()) {
        return std::nullopt;
    }
    return *it;
}

} // namespace

std::span<const MultimediaKey> MultimediaKeys() { return kMultimedia; }
std::span<const OfficeShortcut> OfficeShortcuts() { return kOffice; }
std::span<const WindowsShortcut> WindowsShortcuts() { return kWindows; }
std::span<const DpiActionEntry> DpiActions() { return kDpi; }

std::optional<MultimediaKey> MultimediaKeyByStored(std::uint8_t stored) {
    return FindIn(kMultimedia, [&](const MultimediaKey& k) { return k.stored == stored; });
}
std::optional<OfficeShortcut> OfficeShortcutByUsage(std::uint8_t usage) {
    return FindIn(kOffice, [&](const OfficeShortcut& k) { return k.usage == usage; });
}
std::optional<WindowsShortcut> WindowsShortcutByIndex(std::uint8_t index) {
    if (index >= kWindows.size()) {
        return std::nullopt;
    }
    return kWindows[index];
}
std::optional<DpiActionEntry> DpiActionByValue(std::uint8_t value) {
    return FindIn(kDpi, [&](const DpiActionEntry& k) { return k.value == value; });
}

} // namespace qv530
