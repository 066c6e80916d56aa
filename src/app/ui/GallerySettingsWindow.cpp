#include "app/ui/GallerySettingsWindow.h"

#include "app/SKTAppDelegate.h"
#include "config/EditionSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

GallerySettingsWindow::GallerySettingsWindow(bool catalog, SKTAppDelegate &delegate, QWidget *parent)
    : QWidget(parent, Qt::Window), m_catalog(catalog)
{
    setWindowTitle(catalog ? tr("File Catalog Settings") : tr("Photo Catalog Settings"));
    auto *layout = new QVBoxLayout(this);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setWordWrap(true);
    layout->addWidget(m_folderLabel);
    auto *form = new QFormLayout();
    layout->addLayout(form);
    auto combo = [this](const QStringList &items) {
        auto *box = new QComboBox(this);
        box->addItems(items);
        return box;
    };
    if (catalog) {
        m_skip = combo({tr("Skip folders up to 1 MB"), tr("Skip folders up to 5 MB"), tr("Skip folders up to 10 MB"),
                        tr("Skip folders up to 20 MB"), tr("Skip none")});
        form->addRow(tr("Folder size:"), m_skip);
    } else {
        m_title = new QLineEdit(gAppName, this);
        form->addRow(tr("Title:"), m_title);
        m_theme = combo({tr("Light"), tr("Dark")});
        form->addRow(tr("Theme:"), m_theme);
        m_alignment = combo({tr("Left"), tr("Center")});
        form->addRow(tr("Title alignment:"), m_alignment);
        m_perPage = combo({QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("30"), QStringLiteral("40"),
                           QStringLiteral("50")});
        form->addRow(tr("Per page:"), m_perPage);
        m_duplicate = combo({tr("Link to the originals"), tr("Copy into the output folder")});
        form->addRow(tr("Files:"), m_duplicate);
        m_fileName = new QCheckBox(tr("Show file name"), this);
        m_timestamp = new QCheckBox(tr("Show time stamp"), this);
        m_filePath = new QCheckBox(tr("Show file path"), this);
        form->addRow(QString(), m_fileName);
        form->addRow(QString(), m_timestamp);
        form->addRow(QString(), m_filePath);
    }
    auto *select = new QPushButton(tr("Select Input Folder…"), this);
    select->setDefault(true);
    layout->addWidget(select);
    connect(select, &QPushButton::clicked, this, [&delegate] { delegate.selectInputPhotoFolder(); });
}

void GallerySettingsWindow::setOpenWebsiteFolderPath(const QString &path)
{
    m_outputFolder = path;
    m_folderLabel->setText(tr("Output folder: %1").arg(path));
}

StaticGallerySettings GallerySettingsWindow::settings() const
{
    StaticGallerySettings s;
    s.outputFolder = m_outputFolder;
    if (m_catalog) {
        s.skipFolderSize = m_skip->currentIndex();
        s.skipLabel = m_skip->currentText();
        return s;
    }
    s.title = m_title->text();
    s.theme = m_theme->currentIndex();
    s.alignment = m_alignment->currentIndex();
    s.photosPerPage = m_perPage->currentIndex();
    s.duplicateOption = m_duplicate->currentIndex();
    s.fileName = m_fileName->isChecked();
    s.timestamp = m_timestamp->isChecked();
    s.filePath = m_filePath->isChecked();
    return s;
}

void GallerySettingsWindow::showWindow()
{
    show();
    raise();
    activateWindow();
}

void GallerySettingsWindow::install(SKTAppDelegate &delegate)
{
    delegate.setSettingsWindowFactory([&delegate](const QString &resource) -> std::unique_ptr<GallerySettingsController> {
        return std::make_unique<GallerySettingsWindow>(resource == QLatin1String("FileCatalogSettingsWindowController"),
                                                       delegate);
    });
}
