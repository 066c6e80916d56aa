#include "app/ui/AddPhotoSettingsWindow.h"

#include "app/SKTAppDelegate.h"

#include <QApplication>
#include <QPushButton>
#include <QVBoxLayout>

AddPhotoSettingsWindow::AddPhotoSettingsWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Add Photo Settings"));
    auto *layout = new QVBoxLayout(this);
    m_addButton = new QPushButton(tr("Add"), this);
    m_addButton->setDefault(true);
    layout->addWidget(m_addButton);
    connect(m_addButton, &QPushButton::clicked, this, [] {
        // The first window up the chain that builds photo pages takes it.
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->metaObject()->indexOfMethod("generatePhotoPages()") >= 0) {
                QMetaObject::invokeMethod(w, "generatePhotoPages");
                return;
            }
        }
    });
}

void AddPhotoSettingsWindow::showWindow()
{
    show();
    raise();
    activateWindow();
}

void AddPhotoSettingsWindow::install(SKTAppDelegate &delegate)
{
    delegate.setAddPhotoSettingsFactory([] { return new AddPhotoSettingsWindow(); });
}
