#pragma once
// Every part of the program adds its commands to the registry once, before any
// window exists. main() calls this, and so do tests that build windows as the
// running program does.

// Registers the commands of every part of the program (window, publishing,
// printing, templates, sheets, insertion, mail, inspector, composites).
void registerProgramCommands();
