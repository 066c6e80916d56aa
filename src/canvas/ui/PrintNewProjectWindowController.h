#pragma once
// The window for printing a new project: a plain window with no controls of
// its own yet.
#include <QWidget>

class PrintNewProjectWindowController : public QWidget {
public:
    explicit PrintNewProjectWindowController(QWidget *parent = nullptr) : QWidget(parent, Qt::Window)
    {
        setObjectName(QStringLiteral("PrintNewProjectWindowController"));
    }
};
