#pragma once
// The accessible objects of the skinned controls: the image button (role,
// caption or given name, checked, expanded/collapsed, has-popup, press),
// the slider markers (value, range, the shown text) and the focus items of
// the painted parts. Installed once for the application; the constructors
// of the controls call it.
#include <QAccessible>

class QWidget;

namespace qv530 {

void InstallControlAccessibility();

// A plain widget (a window, a dialog drawn as a child, a page) exposed with
// this role instead of a nameless filler; its name is its accessibleName,
// or the window title for a window.
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);

}  // namespace qv530
