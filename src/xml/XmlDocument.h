#pragma once

#include "xml/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The line-oriented XML files of the program. A document is a list of lines, each
// left-trimmed, each holding at most one tag; cursors (CXmlElement) find elements by name
// and read the values on their lines. Nothing is decoded or escaped: bytes in, bytes out.
class CXmlDocument
{
public:
    CXmlDocument() = default;
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Reading. A document that failed to load has no lines, so every search fails.
    bool Load(const std::filesystem::path& path);
    // Replaces the lines by those of a text held in memory (tests, fuzzing, downloads).
    void LoadFromText(std::string text);

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    std::string_view RawLine(int index) const;
    std::string_view TagName(int index) const;
    std::string_view ElementText(int index) const;
    std::string_view AttributeValue(int index) const;

    // The same analysis on any line.
    static std::string_view LineTagName(std::string_view line);
    static std::string_view LineElementText(std::string_view line);
    static std::string_view LineAttributeValue(std::string_view line);

    // The first line at or after `from` whose tag name is `tag`; -1 when there is none.
    // Every search of the cursors goes through this index, so a lookup costs a hash and a
    // binary search instead of a scan of the lines in between.
    int FirstLineWithTag(std::string_view tag, int from) const;
    // The first line at or after `from` whose tag is `tag` when it comes before any line whose
    // tag is `stop`; -1 otherwise. Looks at the next few lines directly (a child value is
    // nearly always there) before asking the index.
    int FirstLineWithTagBefore(std::string_view tag, std::string_view stop, int from) const;

    // Writing, one line per call, one tab of indentation per open element. Nothing is
    // written to the target until Close() succeeds; a failed save leaves it untouched.
    bool OpenForWrite(const std::filesystem::path& path);
    void BeginElement(std::string_view name);
    void EndElement(std::string_view name);
    void WriteElement(std::string_view name, std::string_view value);
    void WriteElement(std::string_view name, int value);
    void WriteElementWithAttributes(std::string_view name, std::string_view attributes,
                                    std::string_view value);
    // True when every line reached the file and the file replaced the target.
    bool Close();
    bool IsOpenForWrite() const { return m_out != nullptr; }

    static constexpr std::string_view Header = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

private:
    struct Line
    {
        std::size_t offset;
        std::size_t length;
        std::uint32_t tagOffset; // from the start of the line
        std::uint32_t tagLength;
    };
    void SplitLines();
    void WriteIndent();

    std::string m_text;
    std::vector<Line> m_lines;
    // Lines by tag name, ascending; keys point into m_text.
    std::unordered_map<std::string_view, std::vector<int>> m_linesByTag;
    std::unique_ptr<CAtomicFile> m_out;
    int m_depth = 0;
};

// A named cursor into a document: where it last found its element, and the state of the
// child iterations NextText and NextTextAndAttribute.
class CXmlElement
{
public:
    explicit CXmlElement(std::string name) : m_name(std::move(name)), m_closingTag("/" + m_name) {}

    const std::string& Name() const { return m_name; }
    int Position() const { return m_position; }
    void SetPosition(int position) { m_position = position; }

    bool FindNext(const CXmlDocument& doc, const CXmlElement& parent);
    bool GetText(const CXmlDocument& doc, std::string_view child, std::string& text, bool clear);
    bool GetInt(const CXmlDocument& doc, std::string_view child, int& value, bool clear);
    bool GetTextAndAttribute(const CXmlDocument& doc, std::string_view child,
                             std::string& attribute, std::string& text, bool clear);
    bool GetIntAndAttributeInt(const CXmlDocument& doc, std::string_view child, int& attribute,
                               int& value, bool clear);
    bool NextText(const CXmlDocument& doc, std::string_view child, std::string& text, bool clear);
    bool NextTextAndAttribute(const CXmlDocument& doc, std::string_view child,
                              std::string& attribute, std::string& text, bool clear);

    // The root cursor's name; no line is ever its closing line.
    static constexpr std::string_view RootName = "#ROOT#";

private:
    // Index of the first line named child after the cursor, up to its closing line; -1.
    int FindChild(const CXmlDocument& doc, std::string_view child, int from) const;

    std::string m_name;
    std::string m_closingTag;
    int m_position = -1;
    int m_counter = 0;
};
