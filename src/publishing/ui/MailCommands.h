#pragma once
// The mail editions' commands, registered once from main(): in a document window the
// recipient sheet and the send road, the mail source and the personalised designs of
// the current page; application-wide the mail settings, the contacts list and the
// image hosting sheet.
void registerMailCommands();
