#pragma once
// The texts of the macro manager in its four languages, chosen once when it
// opens. Any other language code leaves every text empty.
#include <string_view>

namespace qv530 {

struct MacroManagerTexts {
    std::string_view ok, cancel, title, macroListLabel, itemListLabel, optionsLabel;
    std::string_view delaySwitch, loopSwitch, newMacro, deleteMacro, mouseEvents, macroWord;
    std::string_view startRecording, stopRecording;
    std::string_view insertLeft, insertMiddle, insertRight, insertDelay;
    std::string_view limitCaption, limitMessage;
};

const MacroManagerTexts& MacroManagerTextsFor(std::string_view languageCode);

} // namespace qv530
