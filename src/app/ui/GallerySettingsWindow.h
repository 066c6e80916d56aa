#pragma once
// The settings window of the photo and video grid editions (photo catalog
// settings) and of the folder catalog edition (file catalog settings), in
// their least form: the choices the page generators read and the button
// that asks for the input folder.
#include "app/GallerySettingsController.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class SKTAppDelegate;

class GallerySettingsWindow : public QWidget, public GallerySettingsController {
    Q_OBJECT
public:
    // catalog: the folder catalog's window (only the skip choice).
    GallerySettingsWindow(bool catalog, SKTAppDelegate &delegate, QWidget *parent = nullptr);

    void setOpenWebsiteFolderPath(const QString &path) override;
    QString openWebsiteFolderPath() const override { return m_outputFolder; }
    StaticGallerySettings settings() const override;
    void showWindow() override;

    // Lets the delegate make these windows.
    static void install(SKTAppDelegate &delegate);

private:
    bool m_catalog;
    QString m_outputFolder;
    QLabel *m_folderLabel = nullptr;
    QLineEdit *m_title = nullptr;
    QComboBox *m_theme = nullptr;
    QComboBox *m_alignment = nullptr;
    QComboBox *m_perPage = nullptr;
    QComboBox *m_duplicate = nullptr;
    QCheckBox *m_fileName = nullptr;
    QCheckBox *m_timestamp = nullptr;
    QCheckBox *m_filePath = nullptr;
    QComboBox *m_skip = nullptr;
};
