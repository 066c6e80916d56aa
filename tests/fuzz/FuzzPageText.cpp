// Page files are read by one rule and written by its partner: whatever a file
// holds, the text read from it is written so that it reads back the same.
#include "platform/TextCodec.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = TextCodec::decodePageText(bytes);
    const QString again = TextCodec::decodePageText(TextCodec::encodePageText(text));
    if (again != text) {
        std::fprintf(stderr, "page text of %d characters reads back as %d different ones\n", int(text.size()),
                     int(again.size()));
        std::abort();
    }
    // Without its control characters a text is plain enough for ASCII when it is ASCII.
    const QString clean = TextCodec::withoutControlCharacters(text);
    for (QChar c : clean) {
        if (TextCodec::isUnwantedControl(c.unicode()))
            std::abort();
    }
    return 0;
}
