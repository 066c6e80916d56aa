#include "sidebar/ui/AddPhotoSettingsWindowController.h"

#include "generation/GalleryWindowsHost.h"
#include "config/EditionSettings.h"
#include "platform/ActionResponder.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVariantMap>
#include <QVBoxLayout>

AddPhotoSettingsWindowController::AddPhotoSettingsWindowController(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("AddPhotoSettingsWindowController"));
    setWindowTitle(QStringLiteral("Add Photo Settings"));
    auto *layout = new QVBoxLayout(this);
    m_thumbnail = new QCheckBox(tr("Show photos as thumbnails"), this);
    m_fileName = new QCheckBox(tr("Show file name"), this);
    m_filePath = new QCheckBox(tr("Show file path"), this);
    m_timestamp = new QCheckBox(tr("Show time stamp"), this);
    for (QCheckBox *box : {m_thumbnail, m_fileName, m_filePath, m_timestamp})
        layout->addWidget(box);
    m_add = new QPushButton(tr("Add"), this);
    m_add->setDefault(true);
    layout->addWidget(m_add, 0, Qt::AlignRight);
    // The press goes along the responder chain to the document window behind
    // the panel, with the options its photo pages take.
    connect(m_add, &QPushButton::clicked, this, [this] {
        ActionItemState sender;
        sender.action = QStringLiteral("generatePhotoPages");
        sender.title = m_add->text();
        sender.representedObject = QVariantMap{{QStringLiteral("thumbnail"), m_thumbnail->isChecked()},
                                               {QStringLiteral("filepath"), m_filePath->isChecked()},
                                               {QStringLiteral("timestamp"), m_timestamp->isChecked()}};
        ResponderChain::send(sender.action, sender);
    });
}

AddPhotoSettings AddPhotoSettingsWindowController::settings() const
{
    return {m_thumbnail->isChecked(), m_fileName->isChecked(), m_filePath->isChecked(), m_timestamp->isChecked()};
}

AddPhotoSettings AddPhotoSettingsWindowController::current()
{
    const auto *window = qobject_cast<const AddPhotoSettingsWindowController *>(gAddPhotoSettingsController);
    return window ? window->settings() : AddPhotoSettings{};
}

void AddPhotoSettingsWindowController::showWindow()
{
    show();
    raise();
    activateWindow();
}

void AddPhotoSettingsWindowController::install(GalleryWindowsHost &delegate)
{
    delegate.setAddPhotoSettingsFactory([] { return new AddPhotoSettingsWindowController(); });
}
