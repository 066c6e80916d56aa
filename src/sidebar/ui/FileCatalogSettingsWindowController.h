#pragma once
// The settings window of the folder-size catalog edition: the folder to
// catalogue and the size below which folders are skipped (1, 5, 10 or
// 20 MB). Titled with the edition's name.
#include "generation/GallerySettingsController.h"

#include <QWidget>

class QLabel;
class QPushButton;
class GalleryWindowsHost;
class SegmentedControl;

class FileCatalogSettingsWindowController : public QWidget, public GallerySettingsController {
    Q_OBJECT
public:
    explicit FileCatalogSettingsWindowController(GalleryWindowsHost *delegate, QWidget *parent = nullptr);

    void setOpenWebsiteFolderPath(const QString &path) override;
    QString openWebsiteFolderPath() const override { return m_openWebsiteFolderPath; }
    StaticGallerySettings settings() const override;
    void showWindow() override;

    QLabel *openWebsiteFolderPathLabel() const { return m_folderLabel; }
    SegmentedControl *skipFolderSizeSegmentedControl() const { return m_skip; }
    QPushButton *selectFolderButton() const { return m_select; }

private:
    QString m_openWebsiteFolderPath;
    QLabel *m_folderLabel = nullptr;
    SegmentedControl *m_skip = nullptr;
    QPushButton *m_select = nullptr;
};
