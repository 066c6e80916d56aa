#include "platform/ui/QtAlerts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <memory>

void QtAlerts::show(const Alert &alert, QObject *window, Completion completion)
{
    auto *parent = qobject_cast<QWidget *>(window);
    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    box->setText(alert.messageText);
    box->setInformativeText(alert.informativeText);
    switch (alert.style) {
    case Alert::Style::Warning:
        box->setIcon(QMessageBox::Warning);
        break;
    case Alert::Style::Informational:
        box->setIcon(QMessageBox::Information);
        break;
    case Alert::Style::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    }

    const QStringList titles = alert.effectiveButtons();
    auto buttons = std::make_shared<QList<QAbstractButton *>>();
    for (int i = 0; i < titles.size(); ++i) {
        // The first button is the action; a button titled "Cancel" answers Escape.
        const auto role = i == 0 ? QMessageBox::AcceptRole
                        : titles.at(i) == QLatin1String("Cancel") ? QMessageBox::RejectRole
                                                                   : QMessageBox::ActionRole;
        QPushButton *button = box->addButton(titles.at(i), role);
        buttons->append(button);
        if (i == 0)
            box->setDefaultButton(button);
        if (role == QMessageBox::RejectRole)
            box->setEscapeButton(button);
    }

    QLineEdit *field = nullptr;
    if (alert.hasTextField) {
        field = new QLineEdit(alert.textFieldValue, box);
        field->setPlaceholderText(alert.textFieldPlaceholder);
        field->setMinimumWidth(260);
        if (auto *grid = qobject_cast<QGridLayout *>(box->layout()))
            grid->addWidget(field, grid->rowCount(), 0, 1, grid->columnCount());
    }
    QCheckBox *suppression = nullptr;
    if (!alert.suppressionText.isEmpty()) {
        suppression = new QCheckBox(alert.suppressionText, box);
        box->setCheckBox(suppression);
    }

    QObject::connect(box, &QMessageBox::finished, box,
                     [box, buttons, field, suppression, alert, completion](int) {
                         int index = int(buttons->indexOf(box->clickedButton()));
                         if (index < 0)  // closed without a button: the last one, our "Cancel"
                             index = int(buttons->size()) - 1;
                         AlertReply reply;
                         reply.response = alert.responseForButton(index);
                         reply.text = field ? field->text() : alert.textFieldValue;
                         reply.suppressed = suppression && suppression->isChecked();
                         if (completion)
                             completion(reply);
                     });
    box->open();
}
