#pragma once
// What the application delegate needs of the settings window of the photo,
// video and folder catalog editions: the output folder it was opened for
// and its settings, read on the main thread. The window itself is a widget
// (app/ui); tests give their own.
#include "generation/StaticGallery.h"

#include <QString>

class GallerySettingsController {
public:
    virtual ~GallerySettingsController() = default;

    virtual void setOpenWebsiteFolderPath(const QString &path) = 0;
    virtual QString openWebsiteFolderPath() const = 0;
    // The settings as the window shows them now (call on the main thread).
    virtual StaticGallerySettings settings() const = 0;
    virtual void showWindow() = 0;
};
