#include "macros/MacroManagerTexts.h"

#include "lang/Language.h"

namespace qv530 {
namespace {

constexpr MacroManagerTexts kChs{
    "确定", "取消", "宏管理器", "选择宏", "按鍵序列", "录制选项",
    "记录按键动作间的延迟", "循环次数", "新建", "刪除", "插入鼠标事件", "宏",
    "开始录制", "停止录制",
    "插入鼠标左键", "插入鼠标中键", "插入鼠标右键", "插入延时",
    "警告", "最多可以新建12个宏。",
};

constexpr MacroManagerTexts kCht{
    "確定", "取消", "巨集編輯器", "選擇巨集", "按鍵輸入順序", "選項",
    "按鍵指令間插入記錄延遲", "迴圈數", "新建", "刪除", "插入滑鼠事件", "巨集",
    "開始記錄", "停止紀錄",
    "插入左鍵", "插入中鍵", "插入右鍵", "插入延遲",
    "注意！", "支援最多12 組巨集",
};

constexpr MacroManagerTexts kEn{
    "OK", "Cancel", "Macro Manager", "Select Macro", "Keystroke Sequence", "Options",
    "Record delay between keystrokes", "Number of Loops", "New", "Delete", "Insert Mouse Events", "Macro",
    "Start Recording", "Stop Recording",
    "Insert Left Button", "Insert Middle Button", "Insert Right Button", "Insert Delay",
    "ATTENTION!", "Up to 12 Macros Possible.",
};

constexpr MacroManagerTexts kDe{
    "OK", "Abbrechen", "Makro-Manager", "Auswahl Makro", "Tastensequenz", "Optionen",
    "Verzögerungen zwischen Tastenbefehlen aufzeichnen", "Wiederholungen", "Neu", "Löschen", "Insert Mouse Events",
    "Makro",
    "Aufzeichnung starten", "Aufzeichnung beenden",
    "Linke Maustaste einfügen", "Mittlere Maustaste einfügen", "Rechte Maustaste einfügen", "Verzögerung einfügen",
    "ACHTUNG!", "Maximal 12 Makros möglich.",
};

constexpr MacroManagerTexts kNone{};

} // namespace

const MacroManagerTexts& MacroManagerTextsFor(std::string_view languageCode) {
    switch (DialogLanguage(languageCode)) {
    case Language::CHS: return kChs;
    case Language::CHT: return kCht;
    case Language::EN: return kEn;
    case Language::DE: return kDe;
    case Language::None: break;
    }
    return kNone;
}

} // namespace qv530
