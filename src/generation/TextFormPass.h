#pragma once
// The text and form element pass of the page generator.
class GenerationContext;

class TextFormPass {
public:
    TextFormPass() = delete;
    // Walks doc.textViewArray from the last element to the first: appends
    // ctx.textCSS and ctx.textMarkup, ctx.phpVariableLines and
    // ctx.formRecords; sets ctx.galleryCaptionCSS; stores
    // doc.formSubmitButtonValue from a submit button.
    static void run(GenerationContext &ctx);
};
