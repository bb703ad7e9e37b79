#pragma once

#include <QString>

#include <functional>
#include <string_view>

class ZipEntries;

// A workbook part read as it unpacks, through expat: a worksheet of thousands of rows is tens of
// megabytes of XML, which Qt's reader takes many times longer to go through. Element and
// attribute names come without their prefix ("c" for "x:c", "id" for "r:id"); texts in UTF-8.
namespace xmlStream {

class Handler {
public:
    virtual ~Handler() = default;
    // `attributes` are name, value pairs, ending with a null name.
    virtual void start(std::string_view name, const char** attributes) = 0;
    virtual void end(std::string_view name) = 0;
    virtual void text(std::string_view chars) = 0;
};

// A handler of plain functions, for the small parts; those left empty ignore their events.
class Events : public Handler {
public:
    std::function<void(std::string_view name, const char** attributes)> onStart;
    std::function<void(std::string_view name)> onEnd;
    std::function<void(std::string_view chars)> onText;

    void start(std::string_view name, const char** attributes) override
    {
        if (onStart)
            onStart(name, attributes);
    }
    void end(std::string_view name) override
    {
        if (onEnd)
            onEnd(name);
    }
    void text(std::string_view chars) override
    {
        if (onText)
            onText(chars);
    }
};

// The value of the attribute of local name `name`; empty when the element has none.
std::string_view attribute(const char** attributes, std::string_view name);

// Parses the entry `name` of `zip`; false when it is missing, unpacks to more than `maxBytes`
// or is no well-formed XML.
bool parse(const ZipEntries& zip, const QString& name, Handler& handler, qint64 maxBytes = qint64(256) << 20);

}  // namespace xmlStream
