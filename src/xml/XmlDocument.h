#pragma once

#include "base/AtomicFile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The line-oriented XML files of the program. A document is a list of lines, each
// left-trimmed, each holding at most one tag; cursors (CXmlElement) find elements by name
// and read the values on their lines. Nothing is decoded or escaped: bytes in, bytes out.
class CXmlDocument
{
public:
    CXmlDocument() = default;
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // Reading. A document that failed to load has no lines, so every search fails.
    bool Load(const std::filesystem::path& path);
    // Replaces the lines by those of a text held in memory (tests, fuzzing, downloads).
    void LoadFromText(std::string text);
    // The bytes LoadFromText adds after the text: a text with that much spare capacity is
    // not copied.
    static constexpr std::size_t TextPadding = 16;

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    std::string_view RawLine(int index) const;
    std::string_view TagName(int index) const;
    std::string_view ElementText(int index) const;
    std::string_view AttributeValue(int index) const;

    // The same analysis on any line.
    static std::string_view LineTagName(std::string_view line);
    static std::string_view LineElementText(std::string_view line);
    static std::string_view LineAttributeValue(std::string_view line);

    // Tag names are numbered per document as the lines are split; every search compares
    // numbers. NoTag is the number of a line without a tag, Absent that of a name that no
    // line of the document has.
    static constexpr int NoTag = -1;
    static constexpr int Absent = -2;
    int TagNumber(std::string_view tag) const;
    // Unique to every load of every document, so that cursors know when the numbers they
    // remember are stale.
    std::uint64_t Generation() const { return m_generation; }

    // The first line at or after `from` whose tag name is `tag`; -1 when there is none.
    // A lookup costs a hash and a binary search instead of a scan of the lines in between.
    int FirstLineWithTag(std::string_view tag, int from) const;
    int FirstLineWithTagNumber(int tag, int from) const;
    // The first line at or after `from` whose tag is `tag` when it comes before any line whose
    // tag is `stop`; -1 otherwise. Looks at the next few lines directly (a child value is
    // nearly always there) before asking the index.
    int FirstLineWithTagBefore(std::string_view tag, std::string_view stop, int from) const;
    int FirstLineWithTagNumberBefore(int tag, int stop, int from) const;
    // The same with the tag by name and the stop by number; a name found among the next few
    // lines needs no lookup at all.
    int FirstLineWithTagBeforeNumber(std::string_view tag, int stop, int from) const;

    // Files are read into one buffer that the next document of the thread reuses; a long
    // run of loads calls this at its end to give the memory back.
    static void ReleaseSpareBuffers();

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
    bool IsOpenForWrite() const { return m_out != nullptr || m_toText; }
    // Why the last save failed, in the system's words ("No space left on device").
    const std::string& SaveError() const { return m_saveError; }
    // The same lines into memory instead of a file; TakeText() ends the writing.
    void OpenForText();
    std::string TakeText();

    static constexpr std::string_view Header = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n";

    // One line of the text: where it starts after its indentation, and its tag's number.
    struct Line
    {
        std::size_t offset;
        std::uint32_t length;
        std::int32_t tag; // NoTag or an index into m_tags
    };

private:
    struct Tag
    {
        // The name's length and bytes as TagWords reads them: equal words are equal names up
        // to 16 bytes, so most comparisons need no memcmp.
        std::uint64_t a;
        std::uint64_t b;
        std::string_view name; // points into m_text
        std::uint32_t first;   // its lines are m_linesByTag[first, first + count)
        std::uint32_t count;
        std::int32_t next; // the tag of the tagged line after the last one with this tag
        bool Is(std::string_view other, std::uint64_t otherA, std::uint64_t otherB) const
        {
            return a == otherA && b == otherB && name.size() == other.size() &&
                   (other.size() <= 16 || name == other);
        }
    };
    void Clear();
    void SplitLines();
    int InternTag(std::string_view name, int previous);
    int FindTag(std::string_view name, std::uint64_t a, std::uint64_t b, std::size_t& slot) const;
    void WriteIndent();
    void Put(std::string_view bytes);

    // The bytes of the document are m_text[0, m_size): a reused buffer can be longer.
    std::string m_text;
    std::size_t m_size = 0;
    std::vector<Line> m_lines;
    std::vector<Tag> m_tags;
    // Open addressing over m_tags, a power of two in size; -1 is an empty slot.
    std::vector<std::int32_t> m_tagSlots;
    // Line numbers grouped by tag, ascending within each group.
    std::vector<std::int32_t> m_linesByTag;
    std::uint64_t m_generation = 0;
    std::unique_ptr<CAtomicFile> m_out;
    bool m_toText = false;
    std::string m_written;
    std::string m_saveError;
    int m_depth = 0;
};

// A named cursor into a document: where it last found its element, and the state of the
// child iterations NextText and NextTextAndAttribute.
class CXmlElement
{
public:
    explicit CXmlElement(std::string_view name);

    std::string_view Name() const { return std::string_view(m_closingTag).substr(1); }
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
    // The document's numbers for the cursor's name and closing tag, looked up once per document.
    void Resolve(const CXmlDocument& doc) const;

    std::string m_closingTag; // "/" and the name
    int m_position = -1;
    int m_counter = 0;
    mutable const CXmlDocument* m_resolvedFor = nullptr;
    mutable std::uint64_t m_resolvedGeneration = 0;
    mutable int m_tag = CXmlDocument::Absent;
    mutable int m_closing = CXmlDocument::Absent;
};
