#include "platform/FilePanels.h"

#include <QDebug>

namespace {

class CancellingPanels : public FilePanels {
public:
    void showOpenPanel(const OpenPanelOptions &options, QObject *, OpenCompletion completion) override
    {
        qWarning().noquote() << "Open panel with no one to answer it:" << options.title << options.message;
        if (completion)
            completion({});
    }
    void showSavePanel(const SavePanelOptions &options, QObject *, SaveCompletion completion) override
    {
        qWarning().noquote() << "Save panel with no one to answer it:" << options.title << options.message;
        if (completion)
            completion({});
    }
};

FilePanels *&installed()
{
    static FilePanels *panels = nullptr;
    return panels;
}

}  // namespace

FilePanels &FilePanels::current()
{
    static CancellingPanels fallback;
    return installed() ? *installed() : fallback;
}

void FilePanels::setCurrent(FilePanels *panels)
{
    installed() = panels;
}
