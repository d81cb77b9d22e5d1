// The update servers list.
#include "FuzzSupport.h"
#include "update/ServersList.h"
#include "xml/XmlDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CXmlDocument doc;
    doc.LoadFromText(std::string(Fuzz::Bytes(data, size)));
    CServersList list;
    list.Read(doc);
    for (const std::string& name : list.Names())
        Fuzz::Check(list.FindAddress(name) != nullptr, "every listed server has an address");
    const std::filesystem::path path = Fuzz::ScratchFile("Config.xml", Fuzz::Bytes(data, size));
    CServersList fromFile;
    fromFile.ReadFile(path);
    Fuzz::Check(fromFile.Names() == list.Names(), "the file reads as the text");
    return 0;
}
