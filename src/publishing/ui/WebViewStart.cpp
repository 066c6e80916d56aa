#include "publishing/ui/WebViewStart.h"

#include <QByteArray>
#include <QtGlobal>

#include <unistd.h>

void WebViewStart::prepare()
{
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
}

bool WebViewStart::sandboxDisabled()
{
    return qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX");
}
