#pragma once
// A button's function menu as the owner-drawn popup menu: the entries of
// FunctionMenuFor with the profile's texts, submenus included.
#include <QFont>
#include <QPoint>

#include <cstddef>
#include <memory>

#include "controls/CExMenu.h"

namespace qv530 {

class ProfileEditor;

// The menu of button 0..6; its submenus are its children.
std::unique_ptr<CExMenu> BuildFunctionMenu(const ProfileEditor& editor, std::size_t button, const QFont& font,
                                           QWidget* parent);

// Runs the menu with its top-left corner at a global point until it closes;
// returns the chosen command, or 0.
int RunFunctionMenu(const ProfileEditor& editor, std::size_t button, const QFont& font, const QPoint& topLeft,
                    QWidget* parent);

} // namespace qv530
