#include "window/ui/TemplateSiteChooser.h"

#include "window/ProjectLauncher.h"
#include "config/EditionSettings.h"
#include "platform/FilePanels.h"
#include "platform/PageZip.h"
#include "window/ProjectScan.h"

#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QVBoxLayout>

TemplateSiteChooser::TemplateSiteChooser(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("templateSiteChooser"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setWidgetResizable(true);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll_);
    resize(1000, 700);
    reload();
}

void TemplateSiteChooser::reload()
{
    const auto sites = ProjectLauncher::shared().templateSites();
    count_ = int(sites.size());
    folders_.clear();
    setWindowTitle(QStringLiteral("Please Choose Template (%1 Themes in Collection)").arg(count_));
    auto *content = new QWidget;
    content->setStyleSheet(QStringLiteral("background: black; color: white;"));
    auto *column = new QVBoxLayout(content);
    auto *header = new QLabel(QStringLiteral("%1 Themes in Collection").arg(count_), content);
    header->setAlignment(Qt::AlignCenter);
    QFont big = header->font();
    big.setPointSize(22);
    header->setFont(big);
    column->addWidget(header);
    const QString root = QDir(ProjectLauncher::shared().resourcesFolder()).filePath(QStringLiteral("templates/websiteLevel"));
    for (int i = 0; i < sites.size(); ++i) {
        const auto &site = sites.at(i);
        const QString folder = QDir(root).filePath(site.websiteFolder);
        folders_ << folder;
        auto *button = new QPushButton(content);
        button->setObjectName(QStringLiteral("site%1").arg(i));
        button->setFlat(true);
        button->setCursor(Qt::PointingHandCursor);
        auto *row = new QVBoxLayout(button);
        auto *pictures = new QHBoxLayout;
        // Each page's picture, from the package's own screenshot.
        for (const QString &page : QDir(folder).entryList(QDir::Files, QDir::Name)) {
            if (!ProjectScan::isPageFileName(page))
                continue;
            QTemporaryDir unpacked;
            QImage picture;
            PageZip zip;
            if (unpacked.isValid() && zip.OpenZip(QDir(folder).filePath(page)) && zip.Unzip(unpacked.path()) >= 0)
                for (const QString &png : QDir(unpacked.path()).entryList({QStringLiteral("*.png")}, QDir::Files))
                    if (!png.contains(QLatin1String("@2x")) && picture.load(QDir(unpacked.path()).filePath(png)))
                        break;
            auto *view = new QLabel(button);
            view->setFixedSize(200, 200);
            view->setAlignment(Qt::AlignCenter);
            if (!picture.isNull())
                view->setPixmap(QPixmap::fromImage(picture.scaled(200, 200, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
            pictures->addWidget(view);
        }
        pictures->addStretch();
        row->addLayout(pictures);
        auto *title = new QLabel(site.websiteTitle, button);
        QFont titleFont = title->font();
        titleFont.setPointSize(16);
        title->setFont(titleFont);
        title->setAlignment(Qt::AlignCenter);
        auto *description = new QLabel(site.websiteDescription, button);
        description->setAlignment(Qt::AlignCenter);
        description->setWordWrap(true);
        row->addWidget(title);
        row->addWidget(description);
        button->setMinimumHeight(300);
        connect(button, &QPushButton::clicked, this, [this, i] { launchSelectedTemplateWebsite(i); });
        column->addWidget(button);
    }
    column->addStretch();
    delete scroll_->takeWidget();
    scroll_->setWidget(content);
}

void TemplateSiteChooser::launchSelectedTemplateWebsite(int index)
{
    if (index < 0 || index >= folders_.size())
        return;
    SavePanelOptions options;
    options.nameFieldValue = gNewProjectName.isEmpty() ? QStringLiteral("New Project") : gNewProjectName;
    const QString site = folders_.at(index);
    FilePanels::current().showSavePanel(options, this, [this, site](const QString &destination) {
        if (destination.isEmpty())
            return;
        // The chooser goes once the project has opened, which may be after
        // the question about an existing folder has been answered.
        ProjectLauncher::shared().proceedToLaunchSelectedTemplateWebsite(
            site, destination, [chooser = QPointer<TemplateSiteChooser>(this)](SKTDocument *opened) {
                if (opened && chooser)
                    chooser->hide();
            });
    });
}

TemplateSiteChooser *TemplateSiteChooser::showShared()
{
    static QPointer<TemplateSiteChooser> chooser;
    if (!chooser)
        chooser = new TemplateSiteChooser;
    else
        chooser->reload();
    chooser->show();
    chooser->raise();
    return chooser;
}
