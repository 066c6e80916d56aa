#pragma once
// What the gallery editions' settings windows ask of the program and how they
// are installed: the application delegate implements it, and the windows
// (side panel widgets) install their factories into it at start-up without
// knowing the delegate.
#include "generation/GallerySettingsController.h"

#include <QString>

#include <functional>
#include <memory>

class QObject;

class GalleryWindowsHost {
public:
    using SettingsWindowFactory = std::function<std::unique_ptr<GallerySettingsController>(const QString &resourceName)>;

    virtual ~GalleryWindowsHost() = default;

    // Makes the settings windows; the resource name is
    // "PhotoCatalogSettingsWindowController" or "FileCatalogSettingsWindowController".
    virtual void setSettingsWindowFactory(SettingsWindowFactory factory) = 0;
    // Makes the photos-over-time edition's add-photo window.
    virtual void setAddPhotoSettingsFactory(std::function<QObject *()> make) = 0;
    // Asks for the folder of pictures a gallery is made from.
    virtual void selectInputPhotoFolder() = 0;
};
