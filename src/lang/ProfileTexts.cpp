#include "lang/ProfileTexts.h"

#include "lang/Language.h"

namespace qv530 {

ProfileTexts ProfileTextsFor(std::string_view code) {
    switch (DialogLanguage(code)) {
    case Language::CHS:
        return {.title = "配置",
                .baseName = "Profile",
                .newEntry = "新建",
                .remove = "删除",
                .edit = "编辑",
                .copy = "复制",
                .load = "加载",
                .save = "保存",
                .caption = "警告",
                .limitMessage = "最多可以存储6个配置。"};
    case Language::CHT:
        return {.title = "配置",
                .baseName = "設定檔",
                .newEntry = "新建",
                .remove = "刪除",
                .edit = "編輯",
                .copy = "複製",
                .load = "載入",
                .save = "儲存",
                .caption = "注意!",
                .limitMessage = "支援最多六組設定檔。"};
    case Language::EN:
        return {.title = "Configuration",
                .baseName = "Profile",
                .newEntry = "New",
                .remove = "Delete",
                .edit = "Edit",
                .copy = "Copy",
                .load = "Load",
                .save = "Save",
                .caption = "ATTENTION!",
                .limitMessage = "Up to 6 Profiles Possible."};
    case Language::DE:
        return {.title = "Game Profil",
                .baseName = "Profil",
                .newEntry = "Neu",
                .remove = "Löschen",
                .edit = "Bearbeiten",
                .copy = "Kopieren",
                .load = "Laden",
                .save = "Speichern",
                .caption = "ACHTUNG!",
                .limitMessage = "Maximal 6 Profile möglich."};
    case Language::None:
        break;
    }
    return {};
}

std::string ProfileBaseName(std::string_view code) { return ProfileTextsFor(code).baseName; }

} // namespace qv530
