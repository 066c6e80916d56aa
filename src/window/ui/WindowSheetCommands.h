#pragma once
// The document window's sheets and project jobs as named commands: the
// add-page sheets, the project settings sheet, the canvas-size and
// page-title sheets, the canvas size operations, the export of all source
// files and the photo pages. Registered once from main().
void registerWindowSheetCommands();
