// HTML to XML for UploadFTPS, over libxml2's forgiving HTML reader.
#include "publishing/UploadFTPS.h"

#include <libxml/HTMLparser.h>
#include <libxml/xmlsave.h>

QString UploadFTPS::convertHTML(const QString &html)
{
    const QByteArray data = html.toUtf8();
    if (data.trimmed().isEmpty())
        return {};
    htmlDocPtr document = htmlReadMemory(data.constData(), int(data.size()), nullptr, "utf-8",
                                         HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING
                                             | HTML_PARSE_NONET | HTML_PARSE_NOBLANKS);
    if (!document)
        return {};
    xmlBufferPtr buffer = xmlBufferCreate();
    QString result;
    if (buffer) {
        xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "utf-8", XML_SAVE_AS_XML | XML_SAVE_FORMAT);
        if (save) {
            const long written = xmlSaveDoc(save, document);
            xmlSaveClose(save);
            if (written >= 0)
                result = QString::fromUtf8(reinterpret_cast<const char *>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
        }
        xmlBufferFree(buffer);
    }
    xmlFreeDoc(document);
    return result;
}
