#pragma once
// The last stage of page generation: joins the pieces of the passes into the
// page (absolute and form shapes), writes the separate style sheet, saves the
// background, appends the profile fields and cleans the page folder.
#include <QString>

class GenerationContext;

class PageAssembly {
public:
    PageAssembly() = delete;
    // The page text. A style sheet or background file that could not be
    // written is reported in *writeError; the text is made all the same.
    static QString assemble(GenerationContext &ctx, QString *writeError);
};
