#pragma once
// To be filled (B2): the table-grid pass and the snippet pass of the page
// generator. Both walk their list from the last entry to the first.
class GenerationContext;

class TableOutput {
public:
    TableOutput() = delete;
    // Table-grid CSS; cells (reversed) join doc.textViewArray (or
    // doc.htmlSnippetArray in responsive editions), table images and a saved
    // background image join doc.imageViewArray.
    static void writeTableGrids(GenerationContext &ctx);
    // Snippet CSS and markup of doc.htmlSnippetArray.
    static void writeSnippets(GenerationContext &ctx);
};
