#include "lang/GameTexts.h"

#include "lang/Language.h"

namespace qv530 {
namespace {

// The four forms of one language; %g is the game, %p the profile.
struct GameForms {
    std::string_view started;
    std::string_view ended;
    std::string_view startRefused;
    std::string_view endRefused;
};

GameForms FormsFor(std::string_view code) {
    switch (DialogLanguage(code)) {
    case Language::CHS:
        return {"%g：配置 %p", "%g 已退出：配置 %p", "%g：未应用配置 %p，窗口中有未保存的更改",
                "%g 已退出：未应用配置 %p，窗口中有未保存的更改"};
    case Language::CHT:
        return {"%g：設定檔 %p", "%g 已結束：設定檔 %p", "%g：未套用設定檔 %p，視窗中有未儲存的變更",
                "%g 已結束：未套用設定檔 %p，視窗中有未儲存的變更"};
    case Language::DE:
        return {"%g: Profil %p", "%g beendet: Profil %p",
                "%g: Profil %p nicht angewendet, das Fenster hat ungespeicherte Änderungen",
                "%g beendet: Profil %p nicht angewendet, das Fenster hat ungespeicherte Änderungen"};
    case Language::EN:
    case Language::None: break;
    }
    return {"%g: profile %p", "%g ended: profile %p", "%g: profile %p not applied, the window has unsaved changes",
            "%g ended: profile %p not applied, the window has unsaved changes"};
}

} // namespace

std::string GameNoticeText(std::string_view code, const GameNotice& notice) {
    const GameForms forms = FormsFor(code);
    const std::string_view form = notice.refused ? (notice.back ? forms.endRefused : forms.startRefused)
                                                 : (notice.back ? forms.ended : forms.started);
    // Filled in one pass, so a name holding "%p" stays as it is.
    std::string text;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == '%' && i + 1 < form.size() && (form[i + 1] == 'g' || form[i + 1] == 'p')) {
            text += form[i + 1] == 'g' ? notice.game : notice.profile;
            ++i;
        } else {
            text += form[i];
        }
    }
    return text;
}

} // namespace qv530
