#pragma once
// The inspector's commands that menus and toolbar items reach by name: the
// sidebar's three tabs, the saved text collection, the section column
// editor, the shape and text preset pickers, and the colour and mask
// pop-overs of the window's inspector.
// Registered once from main() before any window exists.
void registerInspectorCommands();
