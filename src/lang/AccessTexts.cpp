#include "lang/AccessTexts.h"

#include "lang/Language.h"

namespace qv530 {

AccessTexts AccessTextsFor(std::string_view code) {
    switch (DialogLanguage(code)) {
    case Language::CHS:
        return {.stage = "第%1档",
                .on = "开启",
                .colour = "颜色",
                .colourNumber = "颜色 %1",
                .colourCycle = "颜色循环",
                .help = "帮助",
                .minimise = "最小化",
                .close = "关闭",
                .deleteProfile = "删除配置“%1”?"};
    case Language::CHT:
        return {.stage = "第%1檔",
                .on = "開啟",
                .colour = "顏色",
                .colourNumber = "顏色 %1",
                .colourCycle = "顏色循環",
                .help = "說明",
                .minimise = "最小化",
                .close = "關閉",
                .deleteProfile = "刪除設定檔「%1」?"};
    case Language::DE:
        return {.stage = "Stufe %1",
                .on = "Ein",
                .colour = "Farbe",
                .colourNumber = "Farbe %1",
                .colourCycle = "Farbwechsel",
                .help = "Hilfe",
                .minimise = "Minimieren",
                .close = "Schließen",
                .deleteProfile = "Profil „%1“ löschen?"};
    case Language::EN:
    case Language::None:
        break;
    }
    return {.stage = "Stage %1",
            .on = "On",
            .colour = "Colour",
            .colourNumber = "Colour %1",
            .colourCycle = "Colour cycle",
            .help = "Help",
            .minimise = "Minimise",
            .close = "Close",
            .deleteProfile = "Delete the profile %1?"};
}

} // namespace qv530
