// zov: the program's entry. Reads the command line, puts the platform layer in place
// (bundle, alerts, file panels, work folder), lets each part of the program add its
// commands, and hands over to the application shell.
#include "app/SKTAppDelegate.h"
#include "app/ui/AppShell.h"
#include "app/ui/ProgramCommands.h"
#include "config/ui/ProgressWindowPresenter.h"
#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/FilePanels.h"
#include "platform/WorkFolder.h"
#include "platform/ui/QtAlerts.h"
#include "platform/ui/QtFilePanels.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

void describeCommandLine(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Zov lays out web pages, e-mails, forms and printed sheets on a canvas."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("edition"), QStringLiteral("Start as the edition called <name>."),
                      QStringLiteral("name")});
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Page files to open."),
                                 QStringLiteral("[files...]"));
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("zov"));
    QCoreApplication::setApplicationVersion(Bundle::version());
    QGuiApplication::setDesktopFileName(Bundle::identifier());

    // --help and --version are answered before any window system is needed, so they
    // work on a machine without a display too.
    const QStringList arguments = argumentsOf(argc, argv);
    QCommandLineParser parser;
    describeCommandLine(parser);
    const QString usage = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("zov"));
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h") ||
            argument == QLatin1String("--help-all")) {
            std::fputs(qPrintable(usage), stdout);
            return 0;
        }
        if (argument == QLatin1String("--version") || argument == QLatin1String("-v")) {
            std::printf("zov %s\n", qPrintable(Bundle::version()));
            return 0;
        }
    }

    // The web view of the previews is loaded with the first preview (not here),
    // so the launch needs no web engine and no OpenGL context.
    QApplication app(argc, argv);

    // The application took its own options (-style, -platform, ...) out of the list.
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "zov: %s\n%s", qPrintable(parser.errorText()), qPrintable(usage));
        return 2;
    }
    QString error;
    if (!Bundle::initialize(QCoreApplication::arguments(), &error)) {
        std::fprintf(stderr, "zov: %s\n", qPrintable(error));
        return 2;
    }

    QtAlerts alerts;
    QtFilePanels filePanels;
    Alerts::setCurrent(&alerts);
    FilePanels::setCurrent(&filePanels);

    if (WorkFolder::shared().path().isEmpty()) {
        std::fprintf(stderr, "zov: %s\n", qPrintable(WorkFolder::shared().errorString()));
        return 1;
    }

    // Long tasks report through DataCentre from any thread; this shows their window.
    ProgressWindowPresenter::install();
    // Each part of the program registers its commands here.
    registerProgramCommands();

    // The delegate fixes the edition and every setting that depends on it before any
    // window exists, fits the menus to it and shows the welcome window; the page files
    // named on the command line open after that.
    AppShell shell(SKTAppDelegate::shared());
    shell.launch(parser.positionalArguments());

    const int result = app.exec();
    Alerts::setCurrent(nullptr);
    FilePanels::setCurrent(nullptr);
    return result;
}
