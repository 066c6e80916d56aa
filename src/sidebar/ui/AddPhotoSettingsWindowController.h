#pragma once
// "Add Photo Settings": one window for the whole application (kept in
// gAddPhotoSettingsController) with the four photo options and the Add
// button, which asks the front document window to build the photo pages
// (its generatePhotoPages). The pages read the options through settings().
#include "sidebar/AddPhotoSettings.h"

#include <QWidget>

class QCheckBox;
class QPushButton;
class GalleryWindowsHost;

class AddPhotoSettingsWindowController : public QWidget {
    Q_OBJECT
public:
    explicit AddPhotoSettingsWindowController(QWidget *parent = nullptr);

    QPushButton *addButton() const { return m_add; }
    QCheckBox *thumbnailCheckbox() const { return m_thumbnail; }
    QCheckBox *filenameCheckbox() const { return m_fileName; }
    QCheckBox *filepathCheckbox() const { return m_filePath; }
    QCheckBox *timestampCheckbox() const { return m_timestamp; }

    AddPhotoSettings settings() const;
    // The options of the application's window; all off before it exists.
    static AddPhotoSettings current();
    static void install(GalleryWindowsHost &delegate);

public slots:
    void showWindow();

private:
    QPushButton *m_add = nullptr;
    QCheckBox *m_thumbnail = nullptr;
    QCheckBox *m_fileName = nullptr;
    QCheckBox *m_filePath = nullptr;
    QCheckBox *m_timestamp = nullptr;
};
