#pragma once
// The record editions' commands in every document window: adding a pet or a
// person record to the project, and editing the open record.
void registerRecordCommands();
