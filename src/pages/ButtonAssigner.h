#pragma once
// Carries out a command of a button's function menu: the record edit through
// the editor, with the key capture or the macro assignment dialog first for
// their commands. Nothing is sent or saved: Apply does both.
#include <QString>

#include <cstddef>
#include <functional>
#include <optional>

class QWidget;

namespace qv530 {

class ProfileEditor;
class CSingleDialog;
class CMacroDialog;

class ButtonAssigner {
public:
    ButtonAssigner(ProfileEditor& editor, QWidget* dialogParent);

    // The new caption of button 0..6 when the command changed it; nothing on
    // Cancel, on OK without a choice, for commands outside the table and
    // while a sequence runs. caption is the button's caption now (the macro
    // dialog starts from it).
    std::optional<QString> Assign(std::size_t button, int command, const QString& caption);

    // Called with each dialog just before it runs (tests answer it here).
    std::function<void(CSingleDialog&)> onKeyDialog;
    std::function<void(CMacroDialog&)> onMacroDialog;

private:
    std::optional<QString> CaptureKey(std::size_t button);
    std::optional<QString> ChooseMacro(std::size_t button, const QString& caption);

    ProfileEditor& editor_;
    QWidget* dialogParent_;
};

} // namespace qv530
