#pragma once
// The one application object a fuzz program needs for drawing (fonts,
// pictures), made once before the first input, without a window system.
#include <QGuiApplication>

class FuzzApplication {
public:
    static void start(int *argc, char ***argv)
    {
        if (QGuiApplication::instance())
            return;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int count = 1;
        static char *arguments[] = {argc && *argc > 0 ? (*argv)[0] : const_cast<char *>("fuzz"), nullptr};
        static QGuiApplication application(count, arguments);
    }
};
