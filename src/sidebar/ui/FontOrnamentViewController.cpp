#include "sidebar/ui/FontOrnamentViewController.h"

FontOrnamentViewController::FontOrnamentViewController(const QSize &size, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FontOrnamentViewController"));
    resize(size);
}
