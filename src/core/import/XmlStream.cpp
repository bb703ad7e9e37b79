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

// The parser with where in the input its last event ended: the bytes after it are a token the
// parser has not finished (a start tag, a comment).
struct Parsing {
    Handler* handler = nullptr;
    XML_Parser parser = nullptr;
    qint64 handled = 0;

    void passed() { handled = qint64(XML_GetCurrentByteIndex(parser)) + XML_GetCurrentByteCount(parser); }
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    auto* parsing = static_cast<Parsing*>(data);
    parsing->passed();
    parsing->handler->start(localName(name), attributes);
}

void XMLCALL onEnd(void* data, const XML_Char* name)
{
    auto* parsing = static_cast<Parsing*>(data);
    parsing->passed();
    parsing->handler->end(localName(name));
}

void XMLCALL onText(void* data, const XML_Char* chars, int length)
{
    auto* parsing = static_cast<Parsing*>(data);
    parsing->passed();
    parsing->handler->text(std::string_view(chars, std::size_t(length)));
}

// Pieces smaller than this go to the parser as they come.
constexpr qint64 SmallToken = 64 << 10;

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
    Parsing parsing{&handler, parser.get()};
    XML_SetUserData(parser.get(), &parsing);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    // The parser reads an unfinished token again from its start at every piece: one attribute of
    // many megabytes given in pieces of a few kilobytes would cost the square of its length. So
    // while a long token is open, pieces are gathered until they at least match what is open
    // already: the token is read again a few times only, and the work stays linear.
    QByteArray gathered;
    qint64 given = 0;  // bytes handed to the parser
    const auto feed = [&](QByteArrayView piece) {
        given += piece.size();
        return XML_Parse(parser.get(), piece.data(), int(piece.size()), XML_FALSE) == XML_STATUS_OK;
    };
    const bool read = zip.stream(
        name,
        [&](QByteArrayView piece) {
            const qint64 open = given - parsing.handled;
            if (open < SmallToken && gathered.isEmpty())
                return feed(piece);
            gathered.append(piece);
            if (gathered.size() < open)
                return true;
            const bool parsed = feed(gathered);
            gathered.clear();
            return parsed;
        },
        maxBytes);
    return read && (gathered.isEmpty() || feed(gathered)) && XML_Parse(parser.get(), nullptr, 0, XML_TRUE) == XML_STATUS_OK;
}

}  // namespace xmlStream
