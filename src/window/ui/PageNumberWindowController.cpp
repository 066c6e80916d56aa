#include "window/ui/PageNumberWindowController.h"

#include "document/SKTDocument.h"
#include "platform/Alerts.h"
#include "window/CanvasSizeOperations.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PageNumberWindowController::PageNumberWindowController(SKTDocument &document, QWidget *parent)
    : QDialog(parent), doc_(document)
{
    setWindowTitle(QStringLiteral("Page Title"));
    setWindowModality(Qt::WindowModal);
    setObjectName(QStringLiteral("PageNumberWindowController"));
    pageTitleTextField = new QLineEdit(doc_.pageOfficialName, this);
    pageTitleTextField->setMinimumWidth(280);
    pageFileNameTextField = new QLineEdit(doc_.pageName, this);
    pageFileNameTextField->setReadOnly(true);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton->setDefault(true);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Page title:"), pageTitleTextField);
    form->addRow(QStringLiteral("File name:"), pageFileNameTextField);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        accept();
        saveAdjustPageNumberWindowControllerSheet();
    });
}

bool PageNumberWindowController::saveAdjustPageNumberWindowControllerSheet()
{
    const QString before = doc_.pageOfficialName;
    if (before == pageTitleTextField->text() && !before.isNull())
        return false;
    if (CanvasSizeOperations::savePageTitle(doc_, pageTitleTextField->text()))
        return true;
    Alerts::inform(QStringLiteral("Page Not Saved"), doc_.lastSaveError, parentWidget());
    return false;
}
