#include "lang/GameDialogTexts.h"

#include "lang/Language.h"

namespace qv530 {

GameDialogTexts GameDialogTextsFor(std::string_view code) {
    switch (DialogLanguage(code)) {
    case Language::CHS:
        return {.menuItem = "游戏…",
                .title = "%1 的游戏",
                .listName = "加载此配置的程序",
                .nameField = "程序名称",
                .add = "添加",
                .running = "正在运行的程序…",
                .remove = "移除",
                .added = "已添加 %1：该程序运行时使用此配置。",
                .moved = "%1 原先绑定到 %2，现已改为此配置。",
                .already = "%1 已绑定到此配置。",
                .removed = "已移除 %1。",
                .notBound = "%1 未绑定到此配置。",
                .noneRunning = "未找到正在运行的程序。",
                .nothingSelected = "请先在列表中选择一个程序。",
                .unsaved = "%1 尚未保存。请关闭配置列表以保存，然后再次选择“游戏…”。",
                .listChanged = "另一个程序更改了配置列表。请关闭列表后重新打开。",
                .failed = "未做任何更改：%1",
                .unreadable = "无法读取游戏列表：%1",
                .emptyName = "请先输入程序名称。",
                .tooLong = "程序名称最多 %1 字节。",
                .path = "请只输入程序名称，不含文件夹，例如 shooter.exe。",
                .controlCharacter = "程序名称不能包含控制字符。",
                .blankAtEnd = "程序名称不能以空格开头或结尾。"};
    case Language::CHT:
        return {.menuItem = "遊戲…",
                .title = "%1 的遊戲",
                .listName = "載入此設定檔的程式",
                .nameField = "程式名稱",
                .add = "新增",
                .running = "執行中的程式…",
                .remove = "移除",
                .added = "已新增 %1：該程式執行時使用此設定檔。",
                .moved = "%1 原先綁定到 %2，現已改為此設定檔。",
                .already = "%1 已綁定到此設定檔。",
                .removed = "已移除 %1。",
                .notBound = "%1 未綁定到此設定檔。",
                .noneRunning = "找不到執行中的程式。",
                .nothingSelected = "請先在清單中選擇一個程式。",
                .unsaved = "%1 尚未儲存。請關閉設定檔清單以儲存，然後再次選擇「遊戲…」。",
                .listChanged = "另一個程式變更了設定檔清單。請關閉清單後重新開啟。",
                .failed = "未做任何變更：%1",
                .unreadable = "無法讀取遊戲清單：%1",
                .emptyName = "請先輸入程式名稱。",
                .tooLong = "程式名稱最多 %1 位元組。",
                .path = "請只輸入程式名稱，不含資料夾，例如 shooter.exe。",
                .controlCharacter = "程式名稱不能包含控制字元。",
                .blankAtEnd = "程式名稱不能以空格開頭或結尾。"};
    case Language::DE:
        return {.menuItem = "Spiel…",
                .title = "Spiele für %1",
                .listName = "Programme, die dieses Profil laden",
                .nameField = "Programmname",
                .add = "Hinzufügen",
                .running = "Laufende Programme…",
                .remove = "Entfernen",
                .added = "%1 hinzugefügt: Solange es läuft, gilt dieses Profil.",
                .moved = "%1 war %2 zugeordnet und lädt jetzt dieses Profil.",
                .already = "%1 lädt dieses Profil bereits.",
                .removed = "%1 entfernt.",
                .notBound = "%1 ist diesem Profil nicht zugeordnet.",
                .noneRunning = "Keine laufenden Programme gefunden.",
                .nothingSelected = "Bitte zuerst ein Programm in der Liste wählen.",
                .unsaved = "%1 ist noch nicht gespeichert. Bitte die Profilliste schließen (das speichert sie) und "
                           "dann erneut Spiel… wählen.",
                .listChanged = "Ein anderes Programm hat die Profilliste geändert. Bitte die Liste schließen und "
                               "erneut öffnen.",
                .failed = "Nichts geändert: %1",
                .unreadable = "Die Spieleliste kann nicht gelesen werden: %1",
                .emptyName = "Bitte zuerst einen Programmnamen eingeben.",
                .tooLong = "Ein Programmname hat höchstens %1 Byte.",
                .path = "Nur den Namen des Programms ohne Ordner eingeben, etwa shooter.exe.",
                .controlCharacter = "Ein Programmname darf keine Steuerzeichen enthalten.",
                .blankAtEnd = "Ein Programmname darf nicht mit einem Leerzeichen beginnen oder enden."};
    case Language::EN:
    case Language::None: break;
    }
    return {.menuItem = "Game…",
            .title = "Games for %1",
            .listName = "Programs that load this profile",
            .nameField = "Program name",
            .add = "Add",
            .running = "Running programs…",
            .remove = "Remove",
            .added = "%1 added: this profile is used while it runs.",
            .moved = "%1 was bound to %2 and now loads this profile.",
            .already = "%1 already loads this profile.",
            .removed = "%1 removed.",
            .notBound = "%1 is not bound to this profile.",
            .noneRunning = "No running program of yours was found.",
            .nothingSelected = "Select a program in the list first.",
            .unsaved = "%1 is not saved yet. Close the profile list to save it, then choose Game… again.",
            .listChanged = "Another program changed the profile list. Close the list and open it again.",
            .failed = "Nothing was changed: %1",
            .unreadable = "The game list cannot be read: %1",
            .emptyName = "Type a program name first.",
            .tooLong = "A program name has at most %1 bytes.",
            .path = "Type the program's name without its folder, such as shooter.exe.",
            .controlCharacter = "A program name cannot hold control characters.",
            .blankAtEnd = "A program name cannot begin or end with a blank."};
}

} // namespace qv530
