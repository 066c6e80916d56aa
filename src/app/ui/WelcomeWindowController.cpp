#include "app/ui/WelcomeWindowController.h"

#include "config/EditionSettings.h"
#include "platform/ActionResponder.h"

#include <QEvent>
#include <QFont>
#include <QFontInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kActionProperty = "welcomeAction";
constexpr int kTitleWidth = 440;
constexpr int kTitleHeight = 72;
}  // namespace

WelcomeWindowController::WelcomeWindowController(QWidget *parent) : QMainWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("WelcomeWindowController"));
    windowDidLoad();
}

QPushButton *WelcomeWindowController::actionButton(const QString &title, const QString &action)
{
    auto *button = new QPushButton(title);
    button->setProperty(kActionProperty, action);
    button->setMinimumWidth(150);
    connect(button, &QPushButton::clicked, this, [button] {
        ActionItemState sender;
        sender.action = button->property(kActionProperty).toString();
        sender.title = button->text();
        ResponderChain::send(sender.action, sender);
    });
    return button;
}

void WelcomeWindowController::windowDidLoad()
{
    m_plan = WelcomePlan::current();
    setWindowTitle(m_plan.windowTitle);

    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);
    columns->setContentsMargins(28, 24, 28, 20);
    columns->setSpacing(24);

    m_logo = new QLabel;
    m_logo->setFixedSize(128, 128);
    m_logo->setAlignment(Qt::AlignCenter);
    if (!gAppIcon.isNull())
        m_logo->setPixmap(QPixmap::fromImage(gAppIcon.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    auto *left = new QVBoxLayout;
    left->addWidget(m_logo);
    left->addStretch(1);
    columns->addLayout(left);

    auto *right = new QVBoxLayout;
    right->setSpacing(10);
    m_appTitle = new QLabel(m_plan.appTitle);
    m_appTitle->setFixedSize(kTitleWidth, kTitleHeight);
    m_appTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Measured and drawn in the family that draws "Impact" now, so that fonts
    // registered later cannot change the face the size was found for.
    const QString family = QFontInfo(QFont(QStringLiteral("Impact"))).family();
    QFont titleFont(family);
    titleFont.setPointSize(WelcomePlan::calcFontSizeToFitRect(m_plan.appTitle, family, QRectF(0, 0, kTitleWidth, kTitleHeight)));
    m_appTitle->setFont(titleFont);
    right->addWidget(m_appTitle);

    m_appVersion = new QLabel(m_plan.versionText);
    m_appVersion->setWordWrap(true);
    m_appVersion->setMaximumWidth(kTitleWidth);
    m_appVersion->setStyleSheet(QStringLiteral("color: #555555;"));
    right->addWidget(m_appVersion);

    m_whatsNew = new QLabel(m_plan.whatsNew);
    m_whatsNew->setWordWrap(true);
    m_whatsNew->setMaximumWidth(kTitleWidth);
    right->addWidget(m_whatsNew);
    right->addStretch(1);

    auto *mainButtons = new QHBoxLayout;
    m_newButton = actionButton(m_plan.newButton.title, m_plan.newButton.action);
    m_newButton->setDefault(true);
    m_openButton = actionButton(m_plan.openButton.title, m_plan.openButton.action);
    mainButtons->addWidget(m_newButton);
    mainButtons->addWidget(m_openButton);
    mainButtons->addStretch(1);
    right->addLayout(mainButtons);

    auto *links = new QHBoxLayout;
    if (m_plan.showUserGuide) {
        m_userGuideButton = actionButton(tr("User Guide"), QStringLiteral("launchUserGuide"));
        m_userGuideButton->setFlat(true);
        links->addWidget(m_userGuideButton);
    }
    if (m_plan.showVideoTutorial) {
        m_videoTutorialButton = actionButton(tr("Video Tutorials"), QStringLiteral("launchVideoTutorials"));
        m_videoTutorialButton->setFlat(true);
        links->addWidget(m_videoTutorialButton);
    }
    // No promotions ship with this program: the picture button stays hidden.
    m_promoButton = new QPushButton;
    m_promoButton->setVisible(m_plan.showPromotion);
    links->addWidget(m_promoButton);
    links->addStretch(1);
    right->addLayout(links);
    columns->addLayout(right, 1);

    setCentralWidget(central);
    resize(sizeHint().expandedTo(QSize(680, 420)));
}

void WelcomeWindowController::validateButtons()
{
    for (QPushButton *button : {m_newButton, m_openButton, m_userGuideButton, m_videoTutorialButton}) {
        if (!button)
            continue;
        ActionItemState state;
        state.action = button->property(kActionProperty).toString();
        state.title = button->text();
        button->setEnabled(ResponderChain::validate(state));
    }
}

void WelcomeWindowController::showEvent(QShowEvent *event)
{
    validateButtons();
    QMainWindow::showEvent(event);
}

void WelcomeWindowController::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        validateButtons();
    QMainWindow::changeEvent(event);
}
