#include "UpdateTestData.h"

#include "ZipBuilder.h"

namespace UpdateTestData
{
std::string ServersList(const std::string& name, const std::string& address)
{
    return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<config>\n\t<servers>\n\t\t<server "
           "value=\"" +
           name + "\">" + address + "</server>\n\t</servers>\n</config>\n";
}

std::string Release(const std::string& revision, const std::string& minClient,
                    const std::string& title)
{
    return "<?xml version=\"1.0\" "
           "encoding=\"ISO-8859-1\"?>\n<release>\n\t<release-databaserevision>" +
           revision + "</release-databaserevision>\n\t<release-title>" + title +
           "</release-title>\n\t<release-minclientversion>" + minClient +
           "</release-minclientversion>\n\t<release-notes>\n\t\t<note value=\"Quill\">More "
           "crafts</note>\n"
           "\t</release-notes>\n</release>\n";
}

std::string DatabaseArchive()
{
    return BuildZip({{"Crafts/", ""},
                     {"Categories.xml", "<categories>\n</categories>\n"},
                     {"Crafts/Smithing.xml", "<formulaset>\n</formulaset>\n"},
                     {"readme.txt", "not part of a database"}});
}
} // namespace UpdateTestData
