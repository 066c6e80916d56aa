#include "publishing/ui/WebViewModule.h"

#include "publishing/ui/WebViewStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QStringList>

// QtGui's application-wide context that others share OpenGL objects with.
Q_GUI_EXPORT QOpenGLContext *qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace {

Q_LOGGING_CATEGORY(lcWebViewModule, "zov.webview")

struct ModuleState {
    bool tried = false;
    CreateEmbeddedWebView entry = nullptr;
    QString description;
};

ModuleState &moduleState()
{
    static ModuleState state;
    return state;
}

QStringList candidates()
{
    const QString name = QStringLiteral(ZOV_WEBVIEW_MODULE_NAME);
    const QDir program(QCoreApplication::applicationDirPath());
    QStringList paths{program.filePath(name), program.filePath(QStringLiteral("../lib/zov/") + name)};
#ifdef ZOV_WEBVIEW_BUILD_DIR
    paths << QDir(QStringLiteral(ZOV_WEBVIEW_BUILD_DIR)).filePath(name);
#endif
    return paths;
}

QOpenGLContext *gOwnShareContext = nullptr;

void dropShareContext()
{
    if (gOwnShareContext && qt_gl_global_share_context() == gOwnShareContext)
        qt_gl_set_global_share_context(nullptr);
    delete gOwnShareContext;
    gOwnShareContext = nullptr;
}

// The engine's drawing shares OpenGL objects with the windows through QtGui's
// share context. Made here, just before the engine loads, rather than asked of
// QApplication at start: then a launch makes no OpenGL context at all.
void provideShareContext()
{
    if (qt_gl_global_share_context())
        return;
    auto *context = new QOpenGLContext;
    if (!context->create()) {
        delete context;
        return; // the engine draws without OpenGL then
    }
    gOwnShareContext = context;
    qt_gl_set_global_share_context(context);
    qAddPostRoutine(dropShareContext);
}

void load()
{
    ModuleState &state = moduleState();
    state.tried = true;
    // What the engine reads once, when it starts.
    WebViewStart::prepare();
    QStringList problems;
    for (const QString &path : candidates()) {
        if (!QFileInfo::exists(path))
            continue;
        provideShareContext();
        QLibrary library(path);
        const auto entry = reinterpret_cast<CreateEmbeddedWebView>(library.resolve(ZOV_WEBVIEW_ENTRY));
        if (entry) {
            // Never unloaded: the engine cannot start twice in one process.
            state.entry = entry;
            state.description = path;
            return;
        }
        problems << library.errorString();
    }
    state.description = problems.isEmpty() ? QStringLiteral("no web view module (%1) beside the program")
                                                 .arg(QStringLiteral(ZOV_WEBVIEW_MODULE_NAME))
                                           : problems.join(QLatin1Char('\n'));
    qCInfo(lcWebViewModule) << "previews open in the default browser:" << state.description;
}

} // namespace

std::unique_ptr<EmbeddedWebView> WebViewModule::create(QWidget *parent)
{
    if (!moduleState().tried)
        load();
    const CreateEmbeddedWebView entry = moduleState().entry;
    return entry ? std::unique_ptr<EmbeddedWebView>(entry(parent)) : nullptr;
}

bool WebViewModule::isLoaded()
{
    return moduleState().entry != nullptr;
}

QString WebViewModule::describe()
{
    return moduleState().description;
}
