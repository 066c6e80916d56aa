#include "platform/ui/CommandRegistry.h"

#include <utility>
#include <vector>

namespace {
template <typename Installer>
struct Named {
    QString name;
    Installer installer;
};

std::vector<Named<CommandRegistry::WindowInstaller>> &windowInstallers()
{
    static std::vector<Named<CommandRegistry::WindowInstaller>> list;
    return list;
}

std::vector<Named<CommandRegistry::ApplicationInstaller>> &applicationInstallers()
{
    static std::vector<Named<CommandRegistry::ApplicationInstaller>> list;
    return list;
}

template <typename Installer>
void addNamed(std::vector<Named<Installer>> &list, const QString &name, Installer installer)
{
    for (auto &entry : list) {
        if (entry.name == name) {
            entry.installer = std::move(installer);
            return;
        }
    }
    list.push_back({name, std::move(installer)});
}
}  // namespace

namespace CommandRegistry {

void addWindowCommands(const QString &name, WindowInstaller installer)
{
    addNamed(windowInstallers(), name, std::move(installer));
}

void addApplicationCommands(const QString &name, ApplicationInstaller installer)
{
    addNamed(applicationInstallers(), name, std::move(installer));
}

void installWindowCommands(ActionMap &commands, const DocumentWindowContext &context)
{
    for (const auto &entry : windowInstallers()) {
        if (entry.installer)
            entry.installer(commands, context);
    }
}

void installApplicationCommands(ActionMap &commands)
{
    for (const auto &entry : applicationInstallers()) {
        if (entry.installer)
            entry.installer(commands);
    }
}

void clear()
{
    windowInstallers().clear();
    applicationInstallers().clear();
}

}  // namespace CommandRegistry
