#pragma once
// Sets an environment variable for the life of the object, then puts back
// what was there: the old value, or no variable at all. (An empty value is
// not the same as none: an empty XDG_DATA_HOME sends the desktop trash to
// the working folder.)
#include <QByteArray>
#include <QtGlobal>

class ScopedEnvironment {
public:
    ScopedEnvironment(const char *name, const QByteArray &value)
        : m_name(name), m_wasSet(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_wasSet)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    const char *m_name;
    bool m_wasSet;
    QByteArray m_old;
};
