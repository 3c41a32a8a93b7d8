#include "buttons/AssignDialogTexts.h"

#include "lang/Language.h"

namespace qv530 {
namespace {

constexpr KeyCaptureTexts kCaptureChs{"确定", "取消", "请输入一个按键"};
constexpr KeyCaptureTexts kCaptureCht{"確定", "取消", "請指派一個鍵盤按鍵"};
constexpr KeyCaptureTexts kCaptureDe{"OK", "Abbrechen", "Bitte wählen Sie eine Taste aus."};
constexpr KeyCaptureTexts kCaptureEn{"Ok", "Cancel", "Please assign a key"};

// The English texts of run modes 1 and 2 end with a blank.
constexpr MacroAssignTexts kMacroChs{"请从列表框选择一个宏", "确定", "取消",
                                     {"重复指定次数或按任意键结束", "重复直到按任意键结束", "重复直到该按键松开结束"}};
constexpr MacroAssignTexts kMacroCht{"請先選擇巨集", "確定", "取消",
                                     {"按下按鍵後可重覆執行", "重覆執行至再次按下任一鍵", "重覆執行至放開此鍵"}};
constexpr MacroAssignTexts kMacroEn{"Please select a macro!", "OK", "Cancel",
                                    {"Macro runs one-time after pressing the button.",
                                     "Macro runs endless loop until any button is pressed. ",
                                     "Macro runs endless loop until button is released. "}};
constexpr MacroAssignTexts kMacroDe{"Bitte wählen Sie ein Makro aus!", "OK", "Abbrechen",
                                    {"Makro bei Tastendruck einmalig ausführen.",
                                     "Makro endlos ausführen, bis erneuter Tastendruck erfolgt.",
                                     "Makro bei dauerhaft gedrückter Taste endlos ausführen."}};

} // namespace

KeyCaptureTexts KeyCaptureTextsFor(std::string_view language) {
    switch (ButtonMenuLanguage(language)) {
    case Language::CHS: return kCaptureChs;
    case Language::CHT: return kCaptureCht;
    case Language::DE: return kCaptureDe;
    default: return kCaptureEn;
    }
}

MacroAssignTexts MacroAssignTextsFor(std::string_view language) {
    switch (ButtonMenuLanguage(language)) {
    case Language::CHS: return kMacroChs;
    case Language::CHT: return kMacroCht;
    case Language::DE: return kMacroDe;
    default: return kMacroEn;
    }
}

int KeyCaptureFontHeight(std::string_view language) {
    const Language lang = ButtonMenuLanguage(language);
    return lang == Language::CHS || lang == Language::CHT ? 13 : 14;
}

} // namespace qv530
