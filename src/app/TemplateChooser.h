#pragma once
// The template chooser window as the application delegate sees it. The
// widgets (app/ui/TemplateWindowController) realise it; the delegate keeps
// the categories, thumbnails and selection and tells the window when to lay
// itself out again.
#include "app/TemplateGallery.h"

class SKTAppDelegate;

class TemplateChooser {
public:
    virtual ~TemplateChooser() = default;

    // Fills the window from the delegate (title, category column, grid) and shows it.
    virtual void displayTemplate() = 0;
    // Lays the grid out again for the delegate's current category.
    virtual void refreshTemplate() = 0;
    // Redraws the thumbnails' borders after the selection changed.
    virtual void updateSelection() = 0;
    virtual bool isVisible() const = 0;
    virtual void setVisible(bool visible) = 0;
};

// The thumbnail last clicked (empty fileName: none). It survives closing the
// chooser; making a page or a project from it empties it. The process-wide
// gSelectedTemplateButton (config/EditionSettings.h) points at an object with
// the same "fileName" and "categoryFolder" as properties while one is
// selected, and is null otherwise.
extern TemplateIcon gSelectedTemplate;
void setSelectedTemplate(const TemplateIcon &icon);
void clearSelectedTemplate();
