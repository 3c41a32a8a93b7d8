#include "lang/Language.h"
#include "lang/ProfileTexts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace qv530 {
namespace {

TEST(Language, DialogAndButtonMenuRules) {
    struct Row {
        const char* code;
        Language dialog;
        Language menu;
    };
    const Row rows[] = {
        {"CHS", Language::CHS, Language::CHS}, {"CHT", Language::CHT, Language::CHT},
        {"EN", Language::EN, Language::EN},    {"DE", Language::DE, Language::DE},
        {"en", Language::None, Language::EN},  {"de", Language::None, Language::EN},
        {"", Language::None, Language::EN},    {"FR", Language::None, Language::EN},
        {"CHS ", Language::None, Language::EN},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DialogLanguage(row.code), row.dialog) << '"' << row.code << '"';
        EXPECT_EQ(ButtonMenuLanguage(row.code), row.menu) << '"' << row.code << '"';
    }
    for (Language language : {Language::CHS, Language::CHT, Language::EN, Language::DE})
        EXPECT_EQ(DialogLanguage(LanguageCode(language)), language);
    EXPECT_EQ(LanguageCode(Language::None), "");
}

TEST(Language, FontFace) {
    EXPECT_EQ(FontFace("CHS"), "黑体");
    EXPECT_EQ(FontFace("CHT"), "黑体");
    EXPECT_EQ(FontFace("EN"), "Arial");
    EXPECT_EQ(FontFace("DE"), "Arial");
    EXPECT_EQ(FontFace("chs"), "Arial");
    EXPECT_EQ(FontFace(""), "Arial");
}

TEST(Language, LocaleNamesGiveTheInitialCode) {
    const std::pair<const char*, const char*> rows[] = {
        {"zh_CN.UTF-8", "CHS"},    {"zh_CN", "CHS"},          {"zh_CN.GB18030", "CHS"}, {"zh_TW.UTF-8@x", "CHT"},
        {"zh_TW", "CHT"},          {"zh_HK.UTF-8", "CHT"},    {"zh-TW", "CHT"},         {"de_DE.UTF-8", "DE"},
        {"de_AT", "DE"},           {"de", "DE"},              {"de_CH.UTF-8@euro", "DE"}, {"en_US.UTF-8", "EN"},
        {"", "EN"},                {"C", "EN"},               {"POSIX", "EN"},          {"C.UTF-8", "EN"},
        {"zh_SG.UTF-8", "EN"},     {"zh", "EN"},              {"dex_DE", "EN"},         {"fr_FR.UTF-8", "EN"},
        {"en_DE.UTF-8", "EN"},     {"zh_CNX", "EN"},
    };
    for (const auto& [locale, code] : rows)
        EXPECT_EQ(LanguageFromLocale(locale), code) << '"' << locale << '"';
}

// Sets or clears an environment variable for one scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        Apply(value);
    }
    ~ScopedEnv() { Apply(old_ ? old_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    void Apply(const char* value) {
        if (value)
            ::setenv(name_, value, 1);
        else
            ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Language, LocaleFromEnvironmentTakesTheFirstNonEmptyVariable) {
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv messages("LC_MESSAGES", nullptr);
    ScopedEnv lang("LANG", nullptr);
    EXPECT_EQ(LocaleFromEnvironment(), "");

    ::setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(LocaleFromEnvironment(), "de_DE.UTF-8");
    ::setenv("LC_MESSAGES", "zh_TW.UTF-8", 1);
    EXPECT_EQ(LocaleFromEnvironment(), "zh_TW.UTF-8");
    ::setenv("LC_ALL", "", 1); // set but empty: skipped
    EXPECT_EQ(LocaleFromEnvironment(), "zh_TW.UTF-8");
    ::setenv("LC_ALL", "C", 1);
    EXPECT_EQ(LocaleFromEnvironment(), "C");
    EXPECT_EQ(LanguageFromLocale(LocaleFromEnvironment()), "EN");
}

TEST(ProfileTexts, EnglishSet) {
    const auto en = ProfileTextsFor("EN");
    EXPECT_EQ(en.title, "Configuration");
    EXPECT_EQ(en.baseName, "Profile");
    EXPECT_EQ(en.newEntry, "New");
    EXPECT_EQ(en.remove, "Delete");
    EXPECT_EQ(en.edit, "Edit");
    EXPECT_EQ(en.copy, "Copy");
    EXPECT_EQ(en.load, "Load");
    EXPECT_EQ(en.save, "Save");
    EXPECT_EQ(en.caption, "ATTENTION!");
    EXPECT_EQ(en.limitMessage, "Up to 6 Profiles Possible.");
}

TEST(ProfileTexts, OtherLanguagesAndUnknownCodes) {
    const auto cht = ProfileTextsFor("CHT");
    EXPECT_EQ(cht.baseName, "設定檔");
    EXPECT_EQ(cht.caption, "注意!");
    EXPECT_EQ(cht.limitMessage, "支援最多六組設定檔。");
    const auto de = ProfileTextsFor("DE");
    EXPECT_EQ(de.title, "Game Profil");
    EXPECT_EQ(de.save, "Speichern");
    EXPECT_EQ(de.limitMessage, "Maximal 6 Profile möglich.");
    EXPECT_EQ(ProfileTextsFor("CHS").caption, "警告");
    EXPECT_EQ(ProfileTextsFor("CHS").baseName, "Profile");

    // Every text of every known language is set.
    for (const char* code : {"CHS", "CHT", "EN", "DE"}) {
        const auto t = ProfileTextsFor(code);
        for (const std::string* text : {&t.title, &t.baseName, &t.newEntry, &t.remove, &t.edit, &t.copy, &t.load,
                                        &t.save, &t.caption, &t.limitMessage})
            EXPECT_FALSE(text->empty()) << code;
    }
    for (const char* code : {"en", "", "FR"}) {
        const auto t = ProfileTextsFor(code);
        EXPECT_EQ(t.title, "");
        EXPECT_EQ(t.limitMessage, "");
        EXPECT_EQ(ProfileBaseName(code), "");
    }
    EXPECT_EQ(ProfileBaseName("DE"), "Profil");
}

} // namespace
} // namespace qv530
