#include <expat.h>

#include <cstring>

#include "receivers/DeviceXmlFields.h"

namespace mapwren {

namespace {

// expat joins a namespace and a local name with this character.
constexpr char kNamespaceEnd = '|';

std::string_view LocalName(const XML_Char* name)
{
    const char* bar = std::strrchr(name, kNamespaceEnd);
    return bar ? bar + 1 : name;
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char**)
{
    static_cast<DeviceXmlFields*>(data)->Start(LocalName(name));
}

void XMLCALL OnEnd(void* data, const XML_Char*)
{
    static_cast<DeviceXmlFields*>(data)->End();
}

void XMLCALL OnText(void* data, const XML_Char* text, int length)
{
    static_cast<DeviceXmlFields*>(data)->Text(std::string_view(text, static_cast<std::size_t>(length)));
}

} // namespace

Result<GarminDevice> ParseGarminDevice(std::string_view xml)
{
    XML_Parser parser = XML_ParserCreateNS(nullptr, kNamespaceEnd);
    if (!parser)
        return Result<GarminDevice>::Failure("No memory to read the file.");
    DeviceXmlFields fields;
    XML_SetUserData(parser, &fields);
    XML_SetElementHandler(parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser, OnText);
    const bool parsed = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
    const std::string why = parsed ? "" : XML_ErrorString(XML_GetErrorCode(parser));
    XML_ParserFree(parser);
    if (!parsed)
        return Result<GarminDevice>::Failure("The file is no well-formed XML: " + why + ".");
    return fields.Finish();
}

} // namespace mapwren
