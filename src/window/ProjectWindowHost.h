#pragma once
// What the project operations ask of the document window. The window
// implements it; without a window (tests, passes run from elsewhere) the
// defaults do nothing.
#include "document/SKTDocument.h"

#include <QObject>
#include <QString>

class ProjectWindowHost {
public:
    virtual ~ProjectWindowHost() = default;
    // Commits pending edits of fields and gives the canvas the focus.
    virtual void endEditing() {}
    virtual void refreshLayerListing() {}
    virtual void refreshPageListingDisplay() {}
    virtual void refreshPageIcons() {}
    virtual void setFormButtons() {}
    // The label edition's address placeholder on an empty page.
    virtual void addPlaceHolder() {}
    // The print canvas follows the sheet of this description.
    virtual void resetPrintCanvas(const QString &sheetDescription) { (void)sheetDescription; }
    virtual void selectFoldingCardTemplateTitle(const QString &title) { (void)title; }
    virtual void setWindowAlpha(double alpha) { (void)alpha; }
    // Opens a page file outside any project as an untitled page.
    virtual bool openPageAlone(const QString &path, bool useBaseTemplate)
    {
        (void)path;
        (void)useBaseTemplate;
        return false;
    }
    virtual QObject *alertWindow() { return nullptr; }
};
