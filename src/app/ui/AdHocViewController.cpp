#include "app/ui/AdHocViewController.h"

#include "app/ui/AdHocMenuDelegate.h"
#include "platform/ui/ActionBinding.h"

#include <QAction>
#include <QLoggingCategory>
#include <QMenu>

Q_LOGGING_CATEGORY(lcAdHoc, "zov.update")

std::unique_ptr<AdHocViewController> AdHocViewController::create(const QString &distributionChannel)
{
    if (distributionChannel == QLatin1String("AppStore"))
        return nullptr;
    return std::unique_ptr<AdHocViewController>(new AdHocViewController());
}

AdHocViewController::AdHocViewController()
{
    m_updateMenu = std::make_unique<QMenu>(QStringLiteral("Updates"));
    m_updateMenuItem = ActionBinding::makeAction(QStringLiteral("Update"), QStringLiteral("checkForUpdates"), m_updateMenu.get());
    m_updateMenu->addAction(m_updateMenuItem);
    m_menuDelegate = new AdHocMenuDelegate(m_updateMenu.get());
}

AdHocViewController::~AdHocViewController() = default;

void AdHocViewController::insertInto(QMenu *applicationMenu) const
{
    if (!applicationMenu)
        return;
    const QList<QAction *> items = applicationMenu->actions();
    const qsizetype index = std::max<qsizetype>(0, items.size() - 2);
    applicationMenu->insertAction(index < items.size() ? items.at(index) : nullptr, m_updateMenuItem);
}
