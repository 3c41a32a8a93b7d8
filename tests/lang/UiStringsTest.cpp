#include "lang/PointerStatusText.h"
#include "lang/UiStringTables.h"
#include "lang/UiStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace qv530 {
namespace {

const std::vector<int> kSharedSlots = {252, 253, 254, 255, 256, 257, 258, 259, 260, 488, 489};
const Language kLanguages[] = {Language::CHS, Language::CHT, Language::EN, Language::DE};

UiStrings Loaded(std::string_view code) {
    UiStrings strings;
    LoadUiStrings(strings, code);
    return strings;
}

TEST(UiStrings, EnglishKeepsItsExactTexts) {
    const auto en = Loaded("EN");
    EXPECT_EQ(en.UiString(0), "Setting-EN");
    EXPECT_EQ(en.UiString(6), "QV530-10800rad");
    EXPECT_EQ(en.UiString(8), "Apply");
    EXPECT_EQ(en.UiString(11), "Apply");
    EXPECT_EQ(en.UiString(47), "Scroll One screenn");
    EXPECT_EQ(en.UiString(512), "Scroll ");
    EXPECT_EQ(en.UiString(536), "At least one button must be set as the \"click\" function.");
    EXPECT_EQ(en.UiString(553), "Switch DPI into the seven stage ");
    EXPECT_EQ(en.UiString(kSlotUserGuide), "User Guide");
    EXPECT_EQ(en.UiString(252), "PROFILE 1");
    EXPECT_EQ(en.UiString(257), "PROFILE 6");
    EXPECT_EQ(en.UiString(489), "DPI Stage Color ");
}

TEST(UiStrings, TraditionalChineseTexts) {
    const auto cht = Loaded("CHT");
    EXPECT_EQ(cht.UiString(0), "Setting-CHT");
    EXPECT_EQ(cht.UiString(26), "直線修正");
    EXPECT_EQ(cht.UiString(43), "DPI循環檔");
    EXPECT_EQ(cht.UiString(527), "巨集鍵");
    EXPECT_EQ(cht.UiString(258), "LOAD");
}

TEST(UiStrings, CodesOtherThanTheFourSetOnlyTheSharedSlots) {
    for (const char* code : {"en", "chs", "Cht", "de", "", "EN ", " EN", "ENG", "Deutsch"}) {
        SCOPED_TRACE(code);
        const auto strings = Loaded(code);
        EXPECT_EQ(strings.FilledSlots(), kSharedSlots);
        EXPECT_EQ(strings.UiString(kSlotCaptionSection), "");
        EXPECT_EQ(strings.UiString(260), "RESET");
    }
}

TEST(UiStrings, LoadingAgainDropsTheFormerLanguage) {
    UiStrings strings;
    LoadUiStrings(strings, "CHS");
    LoadUiStrings(strings, "xx");
    EXPECT_EQ(strings.FilledSlots(), kSharedSlots);
    LoadUiStrings(strings, "EN");
    LoadUiStrings(strings, "CHS");
    EXPECT_EQ(strings.UiString(456), ""); // English "Sensitivity" must not survive
}

TEST(UiStrings, SlotsALanguageLacksReadEmpty) {
    EXPECT_EQ(Loaded("CHS").UiString(456), "");
    EXPECT_EQ(Loaded("CHT").UiString(456), "");
    EXPECT_EQ(Loaded("EN").UiString(456), "Sensitivity");
    EXPECT_EQ(Loaded("CHT").UiString(601), "");
    EXPECT_EQ(Loaded("DE").UiString(601), "");
    EXPECT_EQ(Loaded("EN").UiString(576), ""); // no language uses it
}

TEST(UiStrings, NumbersOutsideTheTableReadEmptyAndAreNotStored) {
    auto strings = Loaded("EN");
    for (int slot : {-1, kUiSlotCount, INT_MAX, INT_MIN})
        EXPECT_EQ(strings.UiString(slot), "") << slot;
    strings.Set(kUiSlotCount, "x");
    strings.Set(-1, "x");
    strings.Set(kUiSlotCount - 1, "last");
    EXPECT_EQ(strings.UiString(kUiSlotCount - 1), "last");
    EXPECT_EQ(strings.FilledSlots().back(), kUiSlotCount - 1);
}

struct FourLanguageRow {
    int slot;
    const char* chs;
    const char* cht;
    const char* en;
    const char* de;
};

// Rows that must read the same in every build: texts shared with the macro
// dialogs, the messages, and the DPI function names.
const FourLanguageRow kFourLanguageRows[] = {
    {6, "朔铭QV530-10800rad鼠标", "朔铭QV530-10800rad鼠标", "QV530-10800rad", "QV530-10800rad"},
    {17, "宏管理器", "宏管理器", "Macro Manager", "Makro-Manager"},
    {43, "DPI loop", "DPI循環檔", "DPI Loop", "DPI Schleife"},
    {527, "宏", "巨集鍵", "Macro", "Makro"},
    {536, "左键功能必须选择！", "至少一鍵須設定為左鍵功能", "At least one button must be set as the \"click\" function.",
     "Mindestens eine Taste muss mit der „Klick“-Funktion belegt sein."},
    {561, "系统没有检测到朔铭QV530-10800rad鼠标！", "系統沒有檢測到朔铭QV530-10800rad鼠标！",
     "The system did not detect QV530-10800rad!", "The system did not detect QV530-10800rad!"},
    {566, "宏设置", "巨集設置", "Macro Setting", "Makro-Manager"},
    {573, "宏名称", "巨集名稱", "Macro Name", "Makro"},
    {578, "循环次数", "迴圈次數", "Number of Loops", "Wiederholungen"},
    {582, "新建", "新建", "New", "New"},
    {583, "删除", "刪除", "Delete", "Löschen"},
    {589, "没有开始录制,点击停止录制按钮没有意义！", "沒有開始錄製，點擊停止錄製按鈕沒有意義！",
     "It doesn’t start recording, unnecessary to press Stop key!",
     "It doesn’t start recording, unnecessary to press Stop key!"},
    {591, "是否恢复到出厂默认值?", "是否恢復到出廠預設值?", "Reset to factory default?",
     "Auf Werkseinstellungen zurücksetzen?"},
    {592, "注意!", "警告!!", "ATTENTION!!", "ACHTUNG!!"},
    {601, "备注：驱动中的产品颜色仅供参考，具体请以实物为准，谢谢！", "",
     "Note: the color of the product in drive is for reference only,please take real product as criterion, thank "
     "you!",
     ""},
};

TEST(UiStrings, FourLanguageRows) {
    const auto chs = Loaded("CHS");
    const auto cht = Loaded("CHT");
    const auto en = Loaded("EN");
    const auto de = Loaded("DE");
    for (const auto& row : kFourLanguageRows) {
        SCOPED_TRACE(row.slot);
        EXPECT_EQ(chs.UiString(row.slot), row.chs);
        EXPECT_EQ(cht.UiString(row.slot), row.cht);
        EXPECT_EQ(en.UiString(row.slot), row.en);
        EXPECT_EQ(de.UiString(row.slot), row.de);
    }
}

// Catches a forgotten translation: each language fills exactly the English
// slots, apart from the few it deliberately leaves empty.
TEST(UiStrings, EveryLanguageFillsTheEnglishSlots) {
    const auto english = Loaded("EN").FilledSlots();
    const std::set<int> chineseGaps = {456, 532, 533, 534, 539, 540, 541, 542};
    std::set<int> traditionalGaps = chineseGaps;
    traditionalGaps.insert(601);
    const std::pair<const char*, std::set<int>> expectations[] = {
        {"CHS", chineseGaps}, {"CHT", traditionalGaps}, {"DE", {601}}};
    for (const auto& [code, gaps] : expectations) {
        SCOPED_TRACE(code);
        const auto filled = Loaded(code).FilledSlots();
        std::vector<int> missing;
        std::vector<int> unexpected;
        std::ranges::copy_if(english, std::back_inserter(missing), [&](int slot) {
            return !gaps.contains(slot) && !std::ranges::binary_search(filled, slot);
        });
        std::ranges::copy_if(filled, std::back_inserter(unexpected), [&](int slot) {
            return gaps.contains(slot) || !std::ranges::binary_search(english, slot);
        });
        EXPECT_EQ(missing, std::vector<int>{}) << "slots without a translation";
        EXPECT_EQ(unexpected, std::vector<int>{}) << "slots that should stay empty";
    }
    // English is the complete table: slot 0, the 11 shared slots, 154 texts and 10 of our own.
    EXPECT_EQ(english.size(), 176u);
}

TEST(UiStrings, TablesAreAscendingAndLeaveTheSharedSlotsAlone) {
    const std::set<int> shared(kSharedSlots.begin(), kSharedSlots.end());
    for (Language language : kLanguages) {
        SCOPED_TRACE(std::string(LanguageCode(language)));
        int previous = -1;
        for (const auto& entry : UiTextsOf(language)) {
            EXPECT_GT(entry.slot, previous) << "duplicate or out of order";
            EXPECT_LT(entry.slot, kUiSlotCount);
            EXPECT_FALSE(entry.text.empty()) << entry.slot;
            EXPECT_FALSE(shared.contains(entry.slot)) << entry.slot;
            previous = entry.slot;
        }
        EXPECT_EQ(Loaded(LanguageCode(language)).UiString(0), "Setting-" + std::string(LanguageCode(language)));
    }
    EXPECT_TRUE(UiTextsOf(Language::None).empty());
}

// Balloons append "(" + DPI + ")" to these texts, so every language keeps
// the separating blank.
TEST(UiStrings, DpiStageNoticesEndWithABlank) {
    for (Language language : kLanguages) {
        const auto strings = Loaded(LanguageCode(language));
        for (int slot = 547; slot <= 554; ++slot) {
            const auto& text = strings.UiString(slot);
            ASSERT_FALSE(text.empty()) << slot;
            EXPECT_EQ(text.back(), ' ') << LanguageCode(language) << " slot " << slot;
        }
    }
    EXPECT_EQ(Loaded("CHS").UiString(549) + "(2400)", "DPI切换到第三段 (2400)");
}

TEST(UiStrings, PointerStatusLinesNameTheDesktopWhereTheyShould) {
    using K = PointerRoute::Kind;
    const DesktopSession plasma{DesktopKind::KdeWayland, "KDE", ""};
    const DesktopSession xfce{DesktopKind::Other, "XFCE", ""};
    const DesktopSession unnamed{DesktopKind::Other, "", ""};
    const struct {
        K kind;
        const DesktopSession& session;
        int slot;
        std::string desktop;
    } cases[] = {
        {K::Taken, plasma, kSlotPointerTaken, "KDE Plasma (Wayland)"},
        {K::TakenLinesOnly, plasma, kSlotPointerLinesOnly, "KDE Plasma (Wayland)"},
        {K::NotThisDesktop, xfce, kSlotPointerNotTaken, "XFCE"},
        {K::NotThisDesktop, plasma, kSlotPointerNoMouse, "KDE Plasma (Wayland)"},
        {K::NotThisDesktop, unnamed, kSlotPointerUnknownDesktop, ""},
        {K::NoDesktopSetting, plasma, kSlotPointerNoDesktopSetting, ""},
    };
    for (const auto& c : cases) {
        const PointerStatusText text = PointerStatusOf(c.kind, c.session);
        EXPECT_EQ(text.slot, c.slot);
        EXPECT_EQ(text.desktop, c.desktop);
        for (const char* code : {"CHS", "CHT", "EN", "DE"})
            EXPECT_EQ(Loaded(code).UiString(text.slot).find("%1") != std::string::npos, !c.desktop.empty())
                << code << " " << text.slot;
    }
}

} // namespace
} // namespace qv530
