#pragma once
// The inspector's commands that menus and toolbar items reach by name: the
// sidebar's three tabs, the saved text collection, the section column
// editor, and the colour and mask pop-overs of the window's inspector.
// Registered once from main() before any window exists.
class QWidget;
class SKTDocument;
class SKTGraphicView;

void registerInspectorCommands();
