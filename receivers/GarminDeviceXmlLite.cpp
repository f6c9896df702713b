#include <windows.h>
#include <shlwapi.h>
#include <xmllite.h>

#include "common/Encoding.h"
#include "receivers/DeviceXmlFields.h"

namespace mapwren {

namespace {

// Releases a COM object when it goes.
template <class T>
struct Held {
    T* p = nullptr;
    ~Held()
    {
        if (p)
            p->Release();
    }
};

using CreateReader = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// xmllite.dll is part of every Windows since XP SP3; MinGW has no import
// library for it, so its one entry is looked up.
CreateReader ReaderFactory()
{
    static const CreateReader factory = [] {
        HMODULE module = LoadLibraryW(L"xmllite.dll");
        return module ? reinterpret_cast<CreateReader>(
                            reinterpret_cast<void*>(GetProcAddress(module, "CreateXmlReader")))
                      : nullptr;
    }();
    return factory;
}

std::string Narrow(const WCHAR* text, UINT length)
{
    return Utf8FromWide(std::wstring_view(text, length));
}

} // namespace

Result<GarminDevice> ParseGarminDevice(std::string_view xml)
{
    const CreateReader create = ReaderFactory();
    if (!create)
        return Result<GarminDevice>::Failure("The system's XML reader (xmllite.dll) is missing.");
    Held<IStream> stream{SHCreateMemStream(reinterpret_cast<const BYTE*>(xml.data()), static_cast<UINT>(xml.size()))};
    Held<IXmlReader> reader;
    if (!stream.p || FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader.p), nullptr)))
        return Result<GarminDevice>::Failure("No memory to read the file.");
    reader.p->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (FAILED(reader.p->SetInput(stream.p)))
        return Result<GarminDevice>::Failure("The file cannot be read.");
    DeviceXmlFields fields;
    XmlNodeType type;
    HRESULT read;
    while ((read = reader.p->Read(&type)) == S_OK) {
        const WCHAR* text = nullptr;
        UINT length = 0;
        if (type == XmlNodeType_Element) {
            reader.p->GetLocalName(&text, &length);
            fields.Start(Narrow(text, length));
            if (reader.p->IsEmptyElement())
                fields.End();
        } else if (type == XmlNodeType_EndElement) {
            fields.End();
        } else if (type == XmlNodeType_Text || type == XmlNodeType_CDATA) {
            reader.p->GetValue(&text, &length);
            fields.Text(Narrow(text, length));
        }
    }
    if (FAILED(read))
        return Result<GarminDevice>::Failure("The file is no well-formed XML.");
    return fields.Finish();
}

} // namespace mapwren
