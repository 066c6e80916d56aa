#include "publishing/ui/PreferenceWindowController.h"

#include "config/EditionWords.h"
#include "platform/Alerts.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"
#include "publishing/ServerConnectionTest.h"
#include "publishing/ServerProfiles.h"
#include "publishing/ui/ConnectionLogWindowController.h"
#include "publishing/ui/SavedMailingListViewController.h"
#include "publishing/ui/ServerSettingsSheetHolder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

PreferenceWindowController::PreferenceWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Preferences"));
    setWindowTitle(EditionWords::serverSettingsTitle());
    UserDefaults &defaults = UserDefaults::standard();

    auto field = [this](const QString &key) {
        auto *edit = new QLineEdit(this);
        // A committed edit is stored under its key at once, as the sheet shows it.
        connect(edit, &QLineEdit::editingFinished, this, [edit, key] {
            if (key == QLatin1String("password"))
                ServerSettings::storePassword(edit->text());
            else
                UserDefaults::standard().setString(edit->text(), key);
        });
        return edit;
    };
    server_ = field(QStringLiteral("server"));
    username_ = field(QStringLiteral("username"));
    password_ = field(QStringLiteral("password"));
    password_->setEchoMode(QLineEdit::Password);
    baseUrl_ = field(QStringLiteral("baseurl"));
    baseUrl_->setPlaceholderText(QStringLiteral("http://www.example.com"));
    port_ = field(QStringLiteral("portnumber"));
    port_->setPlaceholderText(QStringLiteral("21"));
    remotePath_ = field(QStringLiteral("remotepath"));
    remotePath_->setPlaceholderText(QStringLiteral("public_html"));

    showPassword_ = new QCheckBox(tr("Show password"), this);
    connect(showPassword_, &QCheckBox::toggled, this,
            [this](bool on) { password_->setEchoMode(on ? QLineEdit::Normal : QLineEdit::Password); });

    auto *typeRow = new QHBoxLayout;
    type_ = new QButtonGroup(this);
    const QStringList types{QStringLiteral("FTP"), QStringLiteral("SFTP"), QStringLiteral("FTPS")};
    for (int i = 0; i < types.size(); ++i) {
        auto *segment = new QPushButton(types.at(i), this);
        segment->setCheckable(true);
        type_->addButton(segment, i);
        typeRow->addWidget(segment);
    }
    typeRow->addStretch(1);
    connect(type_, &QButtonGroup::idClicked, this, [](int id) { ServerSettings::setFTPType(id, UserDefaults::standard()); });
    passive_ = new QCheckBox(tr("Passive mode"), this);
    connect(passive_, &QCheckBox::clicked, this, [](bool on) { ServerSettings::setFTPMode(on, UserDefaults::standard()); });

    auto *login = new QGroupBox(tr("Login Details"), this);
    auto *loginForm = new QFormLayout(login);
    loginForm->addRow(tr("Server:"), server_);
    loginForm->addRow(tr("Username:"), username_);
    loginForm->addRow(tr("Password:"), password_);
    loginForm->addRow(QString(), showPassword_);
    auto *website = new QGroupBox(tr("Website Base URL"), this);
    auto *websiteForm = new QFormLayout(website);
    websiteForm->addRow(tr("Base URL:"), baseUrl_);
    auto *advanced = new QGroupBox(tr("Advanced Settings"), this);
    auto *advancedForm = new QFormLayout(advanced);
    advancedForm->addRow(tr("Protocol:"), typeRow);
    advancedForm->addRow(QString(), passive_);
    advancedForm->addRow(tr("Port:"), port_);
    advancedForm->addRow(tr("Remote Path:"), remotePath_);

    tableView_ = new QListWidget(this);
    tableView_->setWordWrap(true);
    tableView_->setMinimumWidth(220);
    auto *chooseRecordButton = new QPushButton(tr("Choose"), this);
    auto *deleteRecordButton = new QPushButton(tr("Delete"), this);
    connect(chooseRecordButton, &QPushButton::clicked, this, &PreferenceWindowController::chooseSavedRecord);
    connect(deleteRecordButton, &QPushButton::clicked, this, &PreferenceWindowController::deleteSavedRecord);
    auto *profiles = new QGroupBox(tr("Saved Settings"), this);
    profilesBox_ = profiles;
    auto *profilesLayout = new QVBoxLayout(profiles);
    profilesLayout->addWidget(tableView_, 1);
    auto *profileButtons = new QHBoxLayout;
    profileButtons->addWidget(chooseRecordButton);
    profileButtons->addWidget(deleteRecordButton);
    profileButtons->addStretch(1);
    profilesLayout->addLayout(profileButtons);

    drawer_ = new SavedMailingListViewController(this);
    drawer_->hide();

    testButton_ = new QPushButton(tr("Test"), this);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    saveButton_ = new QPushButton(tr("Save and Close"), this);
    saveButton_->setDefault(true);
    drawerButton_ = new QPushButton(tr("Saved Settings…"), this);
    connect(testButton_, &QPushButton::clicked, this, &PreferenceWindowController::askToTest);
    connect(cancelButton_, &QPushButton::clicked, this, &PreferenceWindowController::cancelPreferencesModalSheet);
    connect(saveButton_, &QPushButton::clicked, this, &PreferenceWindowController::saveFTPSettings);
    connect(drawerButton_, &QPushButton::clicked, this, &PreferenceWindowController::toggleSavedMailingListDrawer);

    auto *form = new QVBoxLayout;
    form->addWidget(login);
    form->addWidget(website);
    form->addWidget(advanced);
    auto *columns = new QHBoxLayout;
    columns->addLayout(form, 3);
    columns->addWidget(profiles, 2);
    columns->addWidget(drawer_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(drawerButton_);
    buttons->addWidget(testButton_);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(saveButton_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buttons);

    test_ = new ServerConnectionTest(this);
    test_->setWindow(this);
    test_->setLogViewer([this](const QString &log) { showConnectionLog(log); });

    NotificationCenter::defaultCenter().addObserver(this, Notifications::contactUpdated, nullptr,
                                                    [this](const Notification &) { refreshSettings(); });
    (void)defaults;
    refreshSettings();
    reloadProfiles();
}

PreferenceWindowController::~PreferenceWindowController() = default;

PreferenceWindowController *PreferenceWindowController::showPreferencesPanel(QWidget *mainWindow)
{
    return ServerSettingsSheetHolder::shared().showPreferencesPanel(mainWindow);
}

void PreferenceWindowController::refreshSettings()
{
    const ServerAccount account = ServerSettings::current(UserDefaults::standard());
    server_->setText(account.server);
    username_->setText(account.username);
    password_->setText(account.password);
    baseUrl_->setText(account.baseurl);
    port_->setText(account.portnumber);
    remotePath_->setText(account.remotepath);
    type_->button(ServerSettings::segmentForType(account.connectiontype))->setChecked(true);
    passive_->setChecked(account.connectionmode != QLatin1String("Active"));
}

ServerAccount PreferenceWindowController::fields() const
{
    ServerAccount a;
    a.server = server_->text();
    a.remotepath = remotePath_->text();
    a.username = username_->text();
    a.password = password_->text();
    a.baseurl = baseUrl_->text();
    a.portnumber = port_->text();
    a.connectionmode = passive_->isChecked() ? QStringLiteral("Passive") : QStringLiteral("Active");
    a.connectiontype = ServerSettings::typeForSegment(type_->checkedId());
    return a;
}

ServerAccount PreferenceWindowController::runValueVerifications()
{
    const ServerAccount clean = ServerSettings::runValueVerifications(fields(), UserDefaults::standard());
    port_->setText(clean.portnumber);
    server_->setText(clean.server);
    remotePath_->setText(clean.remotepath);
    baseUrl_->setText(clean.baseurl);
    QString error;
    if (!ServerSettings::storePassword(clean.password, &error))
        Alerts::inform(QStringLiteral("Password Not Saved"), error, this);
    return clean;
}

void PreferenceWindowController::saveFTPSettings()
{
    const ServerAccount clean = runValueVerifications();
    if (ServerSettings::isComplete(clean)) {
        saveSettings();
        return;
    }
    Alert alert;
    alert.messageText = QStringLiteral("Required Values Incomplete");
    alert.informativeText = QStringLiteral("Some of the required FTP settings appears to be incomplete.  We recommend double checking to make sure all fields are completed as required by your web host.")
                            + QStringLiteral("\n\nStill empty: %1").arg(ServerSettings::missingFields(clean).join(QStringLiteral(", ")));
    alert.buttons = {QStringLiteral("Check Settings Again"), QStringLiteral("Save Anyways")};
    alert.style = Alert::Style::Informational;
    QPointer<PreferenceWindowController> guard(this);
    Alerts::ask(alert, this, [guard](int response) {
        if (guard && response == Alert::FirstButton + 1)
            guard->saveSettings();
    });
}

void PreferenceWindowController::saveSettings()
{
    cancelPreferencesModalSheet();
    ServerProfiles(UserDefaults::standard()).record(fields(), this);
    reloadProfiles();
}

void PreferenceWindowController::askToTest()
{
    test_->askToTest([this] { runValueVerifications(); });
}

void PreferenceWindowController::cancelPreferencesModalSheet()
{
    done(1);
}

void PreferenceWindowController::toggleSavedMailingListDrawer()
{
    // The drawer lists the same profiles as the sheet's own list: while it is open
    // it takes that list's place, so each profile shows once.
    const bool open = drawer_->isHidden();
    if (open)
        drawer_->refreshTableViewAfterUpdate();
    else
        reloadProfiles();  // the drawer may have deleted some
    drawer_->setVisible(open);
    profilesBox_->setVisible(!open);
    adjustSize();
}

void PreferenceWindowController::reloadProfiles()
{
    tableView_->clear();
    for (const ServerAccount &profile : ServerProfiles(UserDefaults::standard()).profiles()) {
        auto *item = new QListWidgetItem(ServerProfiles::rowText(profile).chopped(1), tableView_);
        item->setSizeHint(QSize(0, 80));
        // The row's three lines start at its top, as the row text reads.
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

void PreferenceWindowController::chooseSavedRecord()
{
    ServerProfiles(UserDefaults::standard()).apply(tableView_->currentRow(), this);
}

void PreferenceWindowController::deleteSavedRecord()
{
    if (ServerProfiles(UserDefaults::standard()).remove(tableView_->currentRow()))
        reloadProfiles();
}

void PreferenceWindowController::showConnectionLog(const QString &log)
{
    if (!log_)
        log_ = new ConnectionLogWindowController(this);
    log_->showLog(log);
}
