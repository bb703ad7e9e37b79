#include "import/XmlStream.h"

#include "import/ZipEntries.h"

#include <expat.h>

#include <memory>

namespace xmlStream {
namespace {

// The name without its prefix ("x:c"): the parts' vocabularies do not clash, and binding
// namespaces would cost every element.
std::string_view localName(const char* name)
{
    const std::string_view whole(name);
    const std::size_t cut = whole.find(':');
    return cut == std::string_view::npos ? whole : whole.substr(cut + 1);
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    static_cast<Handler*>(data)->start(localName(name), attributes);
}

void XMLCALL onEnd(void* data, const XML_Char* name) { static_cast<Handler*>(data)->end(localName(name)); }

void XMLCALL onText(void* data, const XML_Char* chars, int length)
{
    static_cast<Handler*>(data)->text(std::string_view(chars, std::size_t(length)));
}

}  // namespace

std::string_view attribute(const char** attributes, std::string_view name)
{
    for (; attributes && *attributes; attributes += 2) {
        // A namespace declaration ("xmlns:r") is no attribute of the element.
        if (std::string_view(attributes[0]).starts_with("xmlns"))
            continue;
        if (localName(attributes[0]) == name)
            return attributes[1];
    }
    return {};
}

bool parse(const ZipEntries& zip, const QString& name, Handler& handler, qint64 maxBytes)
{
    const std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate(nullptr),
                                                                               &XML_ParserFree);
    if (!parser)
        return false;
    XML_SetUserData(parser.get(), &handler);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    const bool read = zip.stream(
        name,
        [&parser](QByteArrayView piece) {
            return XML_Parse(parser.get(), piece.data(), int(piece.size()), XML_FALSE) == XML_STATUS_OK;
        },
        maxBytes);
    return read && XML_Parse(parser.get(), nullptr, 0, XML_TRUE) == XML_STATUS_OK;
}

}  // namespace xmlStream
