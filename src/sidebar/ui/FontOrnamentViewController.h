#pragma once
// The content view of the window's shape and text pop-overs: a plain
// container of the pop-over's size that the opener fills.
#include <QWidget>

class FontOrnamentViewController : public QWidget {
    Q_OBJECT
public:
    explicit FontOrnamentViewController(const QSize &size, QWidget *parent = nullptr);
};
