#include "pages/ButtonAssigner.h"

#include "buttons/ButtonAssignment.h"
#include "pages/CMacroDialog.h"
#include "pages/CSingleDialog.h"
#include "pages/ProfileEditor.h"

namespace qv530 {

ButtonAssigner::ButtonAssigner(ProfileEditor& editor, QWidget* dialogParent)
    : editor_(editor), dialogParent_(dialogParent) {}

std::optional<QString> ButtonAssigner::Assign(std::size_t button, int command, const QString& caption) {
    if (editor_.busy()) return std::nullopt;
    if (command == menucommand::kKeyboardKey) return CaptureKey(button);
    if (command == menucommand::kMacro) return ChooseMacro(button, caption);
    if (!editor_.Edit(AssignMenuCommand, button, command)) return std::nullopt;
    return QString::fromStdString(MenuCommandCaption(command, editor_.texts(), editor_.language()));
}

std::optional<QString> ButtonAssigner::CaptureKey(std::size_t button) {
    CSingleDialog dialog(editor_, QString::fromStdString(KeyCapturePreset(editor_.settings(), button)),
                         dialogParent_);
    if (onKeyDialog) onKeyDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const std::string name = dialog.keyName().toStdString();
    if (!editor_.Edit(AssignKeyboardKey, button, std::string_view(name))) return std::nullopt;
    return QString::fromStdString(KeyboardKeyCaption(name, editor_.texts()));
}

std::optional<QString> ButtonAssigner::ChooseMacro(std::size_t button, const QString& caption) {
    const std::string current = caption.toStdString();
    CMacroDialog dialog(editor_, MacroPresetFor(editor_.settings(), button, current, editor_.texts()), dialogParent_);
    if (onMacroDialog) onMacroDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (!editor_.Edit(AssignMacro, button, dialog.macroIndex(), dialog.runMode())) return std::nullopt;
    return QString::fromStdString(MacroCaption(dialog.macroName().toStdString(), editor_.texts()));
}

} // namespace qv530
