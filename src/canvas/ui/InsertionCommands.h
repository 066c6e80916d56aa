#pragma once
// The Insert menu's commands of the insertion makers, answered by the canvas
// of the window they are chosen in: lines, credit badges, galleries,
// personalisation tags, ready-made snippets and the preset shapes and text
// boxes of the pop-overs (by the sender's tag). Called once from main()
// before any window opens.
void registerInsertionCommands();
