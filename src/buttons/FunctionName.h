#pragma once
// Display names of button functions: the caption of a button's selector.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv530 {

// The name of a function with its parameter byte (DPI value, consumer low
// byte, key usage, shortcut index) in the language of the code ("CHS", "CHT",
// "EN", "DE"; any other code gives English). Keyboard keys read
// "<key word>-<key name>" and macros "<macro word>:<macro name>"; detail is the
// key's display name or the macro's name (for keys, the name of the usage when
// detail is empty). Codes outside the catalogue and unknown parameters give an
// empty name.
std::string FunctionName(std::uint8_t code, std::uint8_t parameter, std::string_view language,
                         std::string_view detail = {});

// The two composed labels on their own.
std::string KeyboardKeyLabel(std::string_view keyName, std::string_view language);
std::string MacroKeyLabel(std::string_view macroName, std::string_view language);

// The word new macro names start with ("Macro" in English).
std::string_view MacroWord(std::string_view language);

} // namespace qv530
