#include "pages/FunctionMenu.h"

#include "buttons/ButtonAssignment.h"
#include "pages/ProfileEditor.h"

namespace qv530 {
namespace {

void Append(CExMenu& menu, const FunctionMenuEntry& entry, const QFont& font) {
    const QString text = QString::fromStdString(entry.text);
    if (entry.submenu.empty()) {
        menu.AppendItem(entry.command, text);
        return;
    }
    auto* submenu = new CExMenu(&font, &menu);
    for (const FunctionMenuEntry& item : entry.submenu) Append(*submenu, item, font);
    menu.AppendItem(entry.command, text, submenu);
}

} // namespace

std::unique_ptr<CExMenu> BuildFunctionMenu(const ProfileEditor& editor, std::size_t button, const QFont& font,
                                           QWidget* parent) {
    auto menu = std::make_unique<CExMenu>(&font, parent);
    menu->setObjectName("functionMenu");
    for (const FunctionMenuEntry& entry : FunctionMenuFor(button, editor.texts(), editor.language()))
        Append(*menu, entry, font);
    return menu;
}

int RunFunctionMenu(const ProfileEditor& editor, std::size_t button, const QFont& font, const QPoint& topLeft,
                    QWidget* parent) {
    const std::unique_ptr<CExMenu> menu = BuildFunctionMenu(editor, button, font, parent);
    return menu->Exec(topLeft);
}

} // namespace qv530
