#pragma once
// The publish settings a person types into the server settings sheet, for a
// test server of our own: its address, user and password, and a base address
// that nothing answers (the publish checks no page there).
#include "platform/CredentialStore.h"
#include "platform/UserDefaults.h"
#include "support/TestServer.h"

// False when the password could not be kept.
inline bool storePublishSettings(const TestServer &server)
{
    UserDefaults &defaults = UserDefaults::standard();
    defaults.setString(QStringLiteral("127.0.0.1"), QStringLiteral("server"));
    defaults.setString(server.value("user"), QStringLiteral("username"));
    defaults.setString(QString::number(server.port()), QStringLiteral("portnumber"));
    defaults.setString(QStringLiteral("http://127.0.0.1:9"), QStringLiteral("baseurl"));
    return CredentialStore().setPassword(QStringLiteral("password"), server.value("password"));
}
