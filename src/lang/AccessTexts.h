#pragma once
// The names assistive technology reads for the parts of the window that
// show no text of their own (the DPI stages, the colour squares, the
// title-bar buttons), and the question before a profile is deleted from the
// keyboard. "%1" stands for a number or a name.
#include <string>
#include <string_view>

namespace qv530 {

struct AccessTexts {
    std::string stage;          // "Stage %1"
    std::string on;             // a stage's on/off icon
    std::string colour;         // a stage's colour square
    std::string colourNumber;   // "Colour %1": a lighting swatch
    std::string colourCycle;    // the lighting's colour-cycle square
    std::string help;           // the title bar's "?"
    std::string minimise;
    std::string close;
    std::string deleteProfile;  // "Delete the profile %1?"
};

// The texts for "CHS", "CHT", "EN" or "DE"; English for any other code.
AccessTexts AccessTextsFor(std::string_view code);

} // namespace qv530
