#include "publishing/ui/ContactViewController.h"

#include "platform/ActionResponder.h"
#include "platform/Alerts.h"
#include "platform/Contacts.h"
#include "platform/FilePanels.h"
#include "publishing/ContactMergeList.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QPointer<ContactViewController> gContactSheet;

QString addressLine(const Contacts::PostalAddress &a)
{
    QStringList parts;
    for (const QString &part : {a.street, a.city, a.state, a.postalCode, a.country}) {
        if (!part.trimmed().isEmpty())
            parts << part.trimmed().replace(QLatin1Char('\n'), QStringLiteral(", "));
    }
    const QString line = parts.join(QStringLiteral(", "));
    return a.label.isEmpty() ? line : QStringLiteral("%1: %2").arg(a.label, line);
}

}  // namespace

ContactViewController::ContactViewController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ContactViewController"));
    setWindowTitle(QString());
    picker_ = new QTreeWidget(this);
    picker_->setHeaderLabels({tr("Person and postal addresses"), tr("E-mail")});
    picker_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    notes_ = new QLabel(tr("Tick the addresses to make one personalized design each."), this);
    notes_->setWordWrap(true);
    import_ = new QPushButton(tr("Import Contacts…"), this);
    cancel_ = new QPushButton(tr("Cancel"), this);
    save_ = new QPushButton(tr("Save Selected Contacts"), this);
    save_->setDefault(true);
    connect(import_, &QPushButton::clicked, this, &ContactViewController::importContacts);
    connect(cancel_, &QPushButton::clicked, this, &ContactViewController::cancelModalSheet);
    connect(save_, &QPushButton::clicked, this, &ContactViewController::saveSelectedContacts);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(import_);
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    buttons->addWidget(save_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(notes_);
    layout->addWidget(picker_, 1);
    layout->addLayout(buttons);
    resize(620, 460);
    populateContacts();
}

ContactViewController *ContactViewController::launchContactList(QWidget *mainWindow)
{
    if (!gContactSheet)
        gContactSheet = new ContactViewController(mainWindow);
    gContactSheet->populateContacts();
    gContactSheet->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    gContactSheet->open();
    return gContactSheet;
}

void ContactViewController::populateContacts()
{
    picker_->clear();
    Contacts book;
    book.load();
    const QList<Contacts::Person> &people = book.people();
    for (int p = 0; p < people.size(); ++p) {
        const Contacts::Person &person = people.at(p);
        auto *top = new QTreeWidgetItem(picker_, {person.displayName(), person.emails.value(0)});
        top->setData(0, Qt::UserRole, p);
        top->setFlags(top->flags() | Qt::ItemIsAutoTristate | Qt::ItemIsUserCheckable);
        top->setCheckState(0, Qt::Unchecked);
        for (int a = 0; a < person.addresses.size(); ++a) {
            auto *child = new QTreeWidgetItem(top, {addressLine(person.addresses.at(a))});
            child->setData(0, Qt::UserRole, a);
            child->setFlags(child->flags() | Qt::ItemIsUserCheckable);
            child->setCheckState(0, Qt::Unchecked);
        }
    }
    picker_->expandAll();
}

void ContactViewController::saveSelectedContacts()
{
    Contacts book;
    book.load();
    QList<ContactMergeList::Choice> choices;
    for (int i = 0; i < picker_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *top = picker_->topLevelItem(i);
        ContactMergeList::Choice choice;
        choice.person = top->data(0, Qt::UserRole).toInt();
        for (int a = 0; a < top->childCount(); ++a) {
            if (top->child(a)->checkState(0) == Qt::Checked)
                choice.addressIndexes << top->child(a)->data(0, Qt::UserRole).toInt();
        }
        if (!choice.addressIndexes.isEmpty() || top->checkState(0) == Qt::Checked)
            choices << choice;
    }
    if (choices.isEmpty()) {
        Alerts::inform(QStringLiteral("No contact selected"), QStringLiteral("Please select contacts you wish to save"), this);
        return;
    }
    const int count = ContactMergeList::saveSelectedContacts(book, choices);
    cancelModalSheet();
    Alert alert;
    alert.messageText = ContactMergeList::recordsSelectedTitle(count);
    alert.informativeText = QString::fromLatin1(ContactMergeList::kReadyText);
    alert.buttons = {QStringLiteral("Generate"), QStringLiteral("Dismiss")};
    alert.style = Alert::Style::Informational;
    Alerts::ask(alert, parentWidget(), [](int response) {
        if (response != Alert::FirstButton)
            return;
        // Once the sheet is gone the document window leads the chain again.
        QTimer::singleShot(0, [] { ResponderChain::send(QStringLiteral("populatePersonalizedDocuments")); });
    });
}

void ContactViewController::importContacts()
{
    importContactFiles(this, true, [this] { populateContacts(); });
}

void ContactViewController::importContactFiles(QWidget *parent, bool multiple, std::function<void()> imported)
{
    OpenPanelOptions options;
    options.allowedTypes = {QStringLiteral("vcf"), QStringLiteral("csv")};
    options.allowsMultipleSelection = multiple;
    FilePanels::current().showOpenPanel(options, parent, [parent, imported](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        Contacts book;
        QString error;
        if (!book.load(&error)) {
            Alerts::inform(QStringLiteral("Contacts Not Imported"), error, parent);
            return;
        }
        QStringList skippedLines;
        for (const QString &path : paths) {
            QStringList skipped;
            const int read = book.importFile(path, &error, &skipped);
            if (read < 0) {
                Alerts::inform(QStringLiteral("Contacts Not Imported"), QStringLiteral("%1: %2").arg(path, error), parent);
                return;
            }
            if (!skipped.isEmpty())
                skippedLines << QStringLiteral("%1 (%2 contacts imported):\n%3")
                                    .arg(QFileInfo(path).fileName())
                                    .arg(read)
                                    .arg(skipped.join(QLatin1Char('\n')));
        }
        if (!book.save(&error)) {
            Alerts::inform(QStringLiteral("Contacts Not Saved"), error, parent);
            return;
        }
        if (imported)
            imported();
        if (!skippedLines.isEmpty())
            Alerts::inform(QStringLiteral("Some Lines Not Imported"),
                           QStringLiteral("These lines were skipped; the rest was imported.\n\n%1")
                               .arg(skippedLines.join(QStringLiteral("\n\n"))),
                           parent);
    });
}

void ContactViewController::cancelModalSheet()
{
    hide();
    setResult(1);
}
