#pragma once
// Open and save panels as file dialogs, opened without a nested event loop.
#include "platform/FilePanels.h"

class QtFilePanels : public FilePanels {
public:
    void showOpenPanel(const OpenPanelOptions &options, QObject *window, OpenCompletion completion) override;
    void showSavePanel(const SavePanelOptions &options, QObject *window, SaveCompletion completion) override;
};
