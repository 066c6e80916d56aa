#pragma once
// Small stand-ins for the kinds that the base class treats specially: a page
// section, an image with a natural size, and a class that refuses fills.
#include "model/SKTGraphic.h"

class TestSection : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("TestSection"); }
    QString gridType() const override { return QStringLiteral("section"); }
};

class TestImage : public SKTGraphic {
public:
    QString className() const override { return QStringLiteral("SKTImage"); }
    QSizeF naturalImageSize() const override { return natural; }
    void flipHorizontally() override { ++horizontalFlips; }
    QSizeF natural;
    int horizontalFlips = 0;
};

class NoFillGraphic : public SKTGraphic {
public:
    bool canSetDrawingFill() const override { return false; }
};
