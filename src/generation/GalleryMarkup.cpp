// The gallery grid's markup, rules and viewer script. Every class, id and
// selector carries the gallery's number, so that two galleries on one page
// open their own viewer.
#include "generation/GalleryMarkup.h"

#include "document/SKTDocument.h"
#include "document/Escape.h"
#include "document/Fmt.h"
#include "generation/Panels.h"
#include "model/SKTGalleryGrid.h"

#include <algorithm>

namespace {

const char16_t kCSS[] =
    u".galleryGrid%d{\n"
    u"list-style:none;\n"
    u"cursor: pointer;\n"
    u"}\n"
    u"ul.galleryGrid%d.row{\n"
    u"padding:inherit;\n"
    u"}\n"
    u".modal-header{\n"
    u"border:0px;\n"
    u"}\n"
    u".modal-content {\n"
    u"    border-radius:0;\n"
    u"}\n"
    u".modal-dialog img {\n"
    u"   text-align:center;\n"
    u"   margin:0 auto;\n"
    u"   max-height:700px;\n"
    u"}\n"
    u".next {\n"
    u"float:right;\n"
    u"text-align:right;\n"
    u"z-index:999;\n"
    u"position:absolute !important;\n"
    u"top:45%%;\n"
    u"right:5%%;\n"
    u"color:#fff;\n"
    u"opacity:0.20;\n"
    u"padding:0px;\n"
    u"}\n"
    u".previous {\n"
    u"z-index:999;\n"
    u"position:absolute !important;\n"
    u"top:45%%;\n"
    u"left:5%%;\n"
    u"color:#fff;\n"
    u"opacity:0.20;\n"
    u"padding:0px;\n"
    u"}\n"
    u".glyphicon-remove-circle{\n"
    u"color:#FFFFFF;\n"
    u"border-color:#FFFFFF;\n"
    u"background-color:#000000;\n"
    u"opacity: 0.5;\n"
    u"border-radius: 20px;\n"
    u"padding:0px;\n"
    u"}\n"
    u"@media screen and (min-width:768px){\n"
    u"   .modal-dialog {\n"
    u" width:700px;\n"
    u"    }\n"
    u"}\n"
    u"@media screen and (min-width: 1024px){\n"
    u"    .modal-dialog {\n"
    u"    width:1000px;\n"
    u"    }\n"
    u"}\n"
    u"body {\n"
    u"    padding-right: 0px !important\n"
    u"}\n"
    u".modal-open {\n"
    u"    overflow-y: auto;\n"
    u"}\n"
    u".modal-body{\n"
    u"padding:0px;\n"
    u"}\n"
    u".modal-dialog{\n"
    u"background-color:transparent;\n"
    u"}\n"
    u".modal-body{\n"
    u"background-color:transparent;\n"
    u"}\n"
    u".modal-content{\n"
    u"background-color:transparent;\n"
    u"box-shadow: none;\n"
    u"border:0px;\n"
    u"}\n"
    u".modal-dialog img{\n"
    u"box-shadow: 0 5px 15px rgba(0, 0, 0, .5);\n"
    u"}\n"
    u".controls{\n"
    u"text-shadow: 0 1px 0 #000;\n"
    u"color:#fff;\n"
    u"display:block;\n"
    u"}\n"
    u".close{\n"
    u"text-shadow: 0 1px 0 #000;\n"
    u"opacity: .85;\n"
    u"}.close:focus, .close:hover{\n"
    u"opacity: 1.0;\n"
    u"}";

const char16_t kScript[] =
    u"<script>$(document).ready(function(){\n"
    u"$('.galleryGrid%d li img').on('click',function(){\n"
    u"var src = $(this).attr('src');\n"
    u"var img = '<img class=\"img-responsive\"/>';\n"
    u"var index = $(this).parent('li').index();\n"
    u"var html = '';\n"
    u"html +='<button type=\"button\" class=\"close\" data-dismiss=\"modal\" style=\"color:#fff;margin-bottom:-20px;margin-right:-15px;\"><span style=\"font-size:1.5em;\" class=\"glyphicon glyphicon-remove-circle\" aria-hidden=\"true\"></span></button>';\n"
    u"html += img;\n"
    u"html += '<div style=\"height:0px;clear:both;display:block;\">';\n"
    u"html += '<a class=\"controls galleryGrid%d next\" href=\"'+ (index+2) + '\"><span style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-right\" aria-hidden=\"true\"></span></a>';\n"
    u"html += '<a class=\"controls galleryGrid%d previous\" href=\"' + (index) + '\"><span style=\"font-size:3em;\" class=\"glyphicon glyphicon-chevron-left\" aria-hidden=\"true\"></span></a>';\n"
    u"html += '</div>';\n"
    u"$('#myModal%d').modal();\n"
    u"$('#myModal%d').on('shown.bs.modal', function(){\n"
    u"$('#myModal%d .modal-body').html(html);\n"
    u"$('#myModal%d .modal-body img').attr('src', src);\n"
    u"$('a.controls.galleryGrid%d').trigger('click');\n"
    u"})\n"
    u"$('#myModal%d').on('hidden.bs.modal', function(){\n"
    u"$('#myModal%d .modal-body').html('');\n"
    u"});\n"
    u"});\n"
    u"})\n"
    u"$(document).on('click', 'a.controls.galleryGrid%d', function(){\n"
    u"var index = $(this).attr('href');\n"
    u"var src = $('ul.row.galleryGrid%d li:nth-child('+ index +') img').attr('src');\n"
    u"$('#myModal%d .modal-body img').attr('src', src);\n"
    u"var newPrevIndex = parseInt(index) - 1;\n"
    u"var newNextIndex = parseInt(newPrevIndex) + 2;\n"
    u"if($(this).hasClass('previous')){\n"
    u"$(this).attr('href', newPrevIndex);\n"
    u"$('a.next').attr('href', newNextIndex);\n"
    u"}else{\n"
    u"$(this).attr('href', newNextIndex);\n"
    u"$('a.previous').attr('href', newPrevIndex);\n"
    u"}\n"
    u"var total = $('ul.row.galleryGrid%d li').length + 1;\n"
    u"if(total === newNextIndex){\n"
    u"$('a.next').hide();\n"
    u"}else{\n"
    u"$('a.next').show()\n"
    u"}\n"
    u"if(newPrevIndex === 0){\n"
    u"$('a.previous').hide();\n"
    u"}else{\n"
    u"$('a.previous').show()\n"
    u"}\n"
    u"return false;\n"
    u"});\n"
    u"</script>";

} // namespace

CodeWidgetHelper GalleryMarkup::grabPhotoGalleryCode(SKTDocument &doc, SKTGalleryGrid *gallery)
{
    CodeWidgetHelper code;
    if (!gallery)
        return code;
    code.setRect(gallery->bounds());
    const int32_t g = Panels::elementNumber(doc, gallery);
    code.headerString = Fmt::fill(kCSS, {g, g});
    code.javaScriptString = Fmt::fill(kScript, {g, g, g, g, g, g, g, g, g, g, g, g, g, g});

    QString list = Fmt::fill(u"<ul class=\"galleryGrid%d row\">\n", {g});
    const int32_t columns = gallery->numOfColumns();
    if (columns > 0) {
        // More than twelve columns still give each picture a column.
        const int32_t span = std::max(1, 12 / columns);
        for (int32_t r = 0; r < gallery->numOfRows(); ++r) {
            for (int32_t c = 0; c < columns; ++c) {
                const auto image = gallery->grabSelectedImageAtSpot(r, c);
                if (!image)
                    continue;
                const QString source = Escape::html(Panels::fullSizePath(doc, *image));
                Fmt::append(list,
                            u"\n<li class=\"galleryGrid%d col-sm-%d col-xs-%d\"><img class=\"img-responsive thumbnail\" "
                            u"src=\"%@\">\n</li>",
                            {g, span, span, source});
            }
        }
    }
    list += u"\n</ul>";
    const QString viewer = Fmt::fill(
        u"<div class=\"modal fade\" id=\"myModal%d\" tabindex=\"-1\" role=\"dialog\" aria-labelledby=\"myModalLabel\" "
        u"aria-hidden=\"true\">\n<div class=\"modal-dialog\">\n<div class=\"modal-content\">\n<div class=\"modal-body\">\n"
        u"</div>\n</div>\n</div>\n</div>\n",
        {g});
    code.bodyString = Fmt::fill(u"\n%@\n%@\n", {list, viewer});
    return code;
}
