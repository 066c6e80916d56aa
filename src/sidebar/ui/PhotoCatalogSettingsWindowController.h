#pragma once
// The settings window of the photo and video catalog editions: photos per
// page (twelve segments, 10 to 120), the catalog's title, colour scheme,
// title alignment, whether the files are copied first, and which file
// details each entry shows. Titled with the edition's name; the
// "Select Input Folder" button asks the application to choose the photos.
#include "generation/GallerySettingsController.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class GalleryWindowsHost;
class SegmentedControl;

class PhotoCatalogSettingsWindowController : public QWidget, public GallerySettingsController {
    Q_OBJECT
public:
    // delegate: who chooses the input folder; null in tests.
    explicit PhotoCatalogSettingsWindowController(GalleryWindowsHost *delegate, QWidget *parent = nullptr);

    void setOpenWebsiteFolderPath(const QString &path) override;
    QString openWebsiteFolderPath() const override { return m_openWebsiteFolderPath; }
    StaticGallerySettings settings() const override;
    void showWindow() override;

    SegmentedControl *photosPerPageSegmentedControl() const { return m_perPage; }
    QLineEdit *photoCatalogTitleTextField() const { return m_title; }
    QCheckBox *filenameCheckbox() const { return m_fileName; }
    QCheckBox *timestampCheckbox() const { return m_timestamp; }
    QCheckBox *filePathCheckbox() const { return m_filePath; }
    QLabel *openWebsiteFolderPathLabel() const { return m_folderLabel; }
    QLabel *supportedFileTypeLabel() const { return m_supported; }
    SegmentedControl *duplicateOptionSegmentedControl() const { return m_duplicate; }
    SegmentedControl *themeSegmentedControl() const { return m_theme; }
    SegmentedControl *alignmentSegmentedControl() const { return m_alignment; }
    QPushButton *selectFolderButton() const { return m_select; }

    // Both catalog windows, made by the application delegate by resource name.
    static void install(GalleryWindowsHost &delegate);

private:
    void windowDidLoad();

    QString m_openWebsiteFolderPath;
    SegmentedControl *m_perPage = nullptr;
    QLineEdit *m_title = nullptr;
    QCheckBox *m_fileName = nullptr;
    QCheckBox *m_timestamp = nullptr;
    QCheckBox *m_filePath = nullptr;
    QLabel *m_folderLabel = nullptr;
    QLabel *m_supported = nullptr;
    SegmentedControl *m_duplicate = nullptr;
    SegmentedControl *m_theme = nullptr;
    SegmentedControl *m_alignment = nullptr;
    QPushButton *m_select = nullptr;
};
