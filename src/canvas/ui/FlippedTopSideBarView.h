#pragma once
// The strip along the top of a document window's side bar. Qt widgets lay
// out from the top left already, so it is a plain widget with its name.
#include <QWidget>

class FlippedTopSideBarView : public QWidget {
public:
    explicit FlippedTopSideBarView(QWidget *parent = nullptr) : QWidget(parent)
    {
        setObjectName(QStringLiteral("FlippedTopSideBarView"));
    }
    static constexpr bool isFlipped() { return true; }
};
