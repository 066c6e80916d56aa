#pragma once
// The table of graphic classes the program knows; GraphicFactory fills its
// registry from it on first use.
class GraphicKinds {
public:
    GraphicKinds() = delete;
    static void registerAll();
};
