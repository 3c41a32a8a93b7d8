#pragma once
// The X server's keyboard grab, for the program's own display connection.
namespace qv530 {

// Whether the program runs on an X11 display.
bool X11KeyboardAvailable();
// Takes the keyboard for the window: every key event of the display goes to
// it. 0, or the X server's grab status.
int GrabX11Keyboard(unsigned long windowId);
void UngrabX11Keyboard();

} // namespace qv530
