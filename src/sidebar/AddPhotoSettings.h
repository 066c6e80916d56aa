#pragma once
// The add-photo options the photo pages read: whether each photo shows as a
// thumbnail, and whether its file name, file path and time stamp show.
struct AddPhotoSettings {
    bool thumbnail = false;
    bool fileName = false;
    bool filePath = false;
    bool timestamp = false;
    bool operator==(const AddPhotoSettings &) const = default;
};
