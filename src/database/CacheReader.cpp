// Reading config.dat back (the layout is described in Cache.cpp). The whole file is in
// memory; lines and fields are views into it, and every count is checked against the
// lines that are left before anything is allocated for it. Building the records is most
// of the cost, so a large file is decoded in two parts at once: while the first thread
// decodes from the start, the second walks the counts alone to the record where its part
// begins.
#include "database/Cache.h"
#include "database/GameDatabase.h"
#include "database/OrderedJobs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace
{
using Field = std::string_view;

// Lines average some thirty bytes, so a call per line break (memchr) costs more than the
// scan itself: these look at sixteen bytes a step where the processor has SSE2.

// The line breaks in [p, end).
std::size_t CountBreaks(const char* p, const char* end)
{
    std::size_t count = 0;
#if defined(__SSE2__)
    const __m128i nl = _mm_set1_epi8('\n');
    while (end - p >= 16)
    {
        // A byte counter per lane, summed before it can wrap.
        const std::size_t blocks =
            std::min<std::size_t>(static_cast<std::size_t>(end - p) / 16, 255);
        __m128i lanes = _mm_setzero_si128();
        for (std::size_t i = 0; i < blocks; ++i, p += 16)
            lanes = _mm_sub_epi8(
                lanes, _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), nl));
        const __m128i sums = _mm_sad_epu8(lanes, _mm_setzero_si128());
        count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums)) +
                 static_cast<std::size_t>(_mm_extract_epi16(sums, 4));
    }
#endif
    for (; p != end; ++p)
        count += *p == '\n';
    return count;
}

// Just past the count-th line break from p; there are at least count (>= 1) before end.
const char* PastBreaks(const char* p, const char* end, std::size_t count)
{
#if defined(__SSE2__)
    const __m128i nl = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16)
    {
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), nl)));
        for (; mask != 0; mask &= mask - 1)
            if (--count == 0)
                return p + __builtin_ctz(mask) + 1;
    }
#else
    (void)end;
#endif
    for (;; ++p)
        if (*p == '\n' && --count == 0)
            return p + 1;
}

bool ParseInt(Field text, int& value)
{
    // Nearly every field is a short decimal, and from_chars' generality showed in the
    // profile of a load. Nine digits cannot overflow; longer ones (leading zeros, out of
    // range) go to it.
    const char* p = text.data();
    const char* end = p + text.size();
    const bool negative = p != end && *p == '-';
    p += negative;
    if (p != end && end - p <= 9)
    {
        int magnitude = 0;
        for (; p != end; ++p)
        {
            const unsigned digit = static_cast<unsigned>(*p) - '0';
            if (digit > 9)
                return false;
            magnitude = magnitude * 10 + static_cast<int>(digit);
        }
        value = negative ? -magnitude : magnitude;
        return true;
    }
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParseFlag(Field text, bool& value)
{
    if (text == "y" || text == "n")
    {
        value = text == "y";
        return true;
    }
    return false;
}

// Reservations stay modest even for a count that is plausible only by line numbers.
template <typename T> void ReserveBounded(std::vector<T>& list, int count)
{
    list.reserve(static_cast<std::size_t>(std::min(count, 1024)));
}

class CCacheReader
{
public:
    explicit CCacheReader(std::string_view text) : m_text(text)
    {
        // Bytes after the last line break are a cut-off line, not a line.
        m_linesLeft = CountBreaks(text.data(), text.data() + text.size());
    }

    // A reader that goes on from a place another reader has reached.
    CCacheReader(std::string_view text, std::size_t pos, std::size_t linesLeft)
        : m_text(text), m_pos(pos), m_linesLeft(linesLeft)
    {
    }

    bool Line(Field& line)
    {
        if (m_linesLeft == 0)
            return false;
        const char* start = m_text.data() + m_pos;
        const char* next = PastBreaks(start, m_text.data() + m_text.size(), 1);
        line = Field(start, static_cast<std::size_t>(next - 1 - start));
        m_pos += line.size() + 1;
        --m_linesLeft;
        return true;
    }

    // One line of exactly N fields, split in one pass over its bytes.
    template <std::size_t N> bool Fields(std::array<Field, N>& fields)
    {
        if (m_linesLeft == 0)
            return false;
        --m_linesLeft;
        const char* p = m_text.data() + m_pos;
        const char* start = p;
        std::size_t i = 0;
#if defined(__SSE2__)
        // Sixteen bytes a step while they are all inside the text; the rest byte by byte.
        const char* end = m_text.data() + m_text.size();
        const __m128i bar = _mm_set1_epi8('|');
        const __m128i nl = _mm_set1_epi8('\n');
        for (; end - p >= 16; p += 16)
        {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const auto breaks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nl)));
            auto bars = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, bar)));
            if (breaks != 0)
                bars &= (breaks & (0u - breaks)) - 1; // only the bars before the line break
            for (; bars != 0; bars &= bars - 1)
            {
                if (i + 1 == N)
                    return false;
                const char* at = p + __builtin_ctz(bars);
                fields[i++] = Field(start, static_cast<std::size_t>(at - start));
                start = at + 1;
            }
            if (breaks != 0)
            {
                p += __builtin_ctz(breaks);
                return LastField(fields, i, start, p);
            }
        }
#endif
        for (;; ++p)
        {
            const char c = *p;
            if (c == '|')
            {
                if (i + 1 == N)
                    return false;
                fields[i++] = Field(start, static_cast<std::size_t>(p - start));
                start = p + 1;
            }
            else if (c == '\n')
                break;
        }
        return LastField(fields, i, start, p);
    }

    // A count of records that take at least one line each.
    bool Count(Field text, int& count) const
    {
        return ParseInt(text, count) && count >= 0 &&
               static_cast<std::size_t>(count) <= m_linesLeft;
    }

    bool Keywords(std::vector<std::string>& keywords)
    {
        std::array<Field, 1> f;
        int count = 0;
        if (!Fields(f) || !Count(f[0], count))
            return false;
        ReserveBounded(keywords, count);
        for (int i = 0; i < count; ++i)
        {
            Field line;
            if (!Line(line))
                return false;
            keywords.emplace_back(line);
        }
        return true;
    }

    bool KeywordSets(std::vector<CKeywordSet>& sets, int count)
    {
        ReserveBounded(sets, count);
        for (int i = 0; i < count; ++i)
            if (!Keywords(sets.emplace_back()))
                return false;
        return true;
    }

    bool Attributes(std::vector<CAttribute>& attributes, int count)
    {
        ReserveBounded(attributes, count);
        std::array<Field, 2> f;
        for (int i = 0; i < count; ++i)
        {
            if (!Fields(f))
                return false;
            attributes.push_back({std::string(f[0]), std::string(f[1])});
        }
        return true;
    }

    bool Resources(std::vector<CResource>& resources, int count)
    {
        ReserveBounded(resources, count);
        std::array<Field, 7> f;
        for (int i = 0; i < count; ++i)
        {
            if (!Fields(f))
                return false;
            CResource& r = resources.emplace_back();
            r.name = f[0];
            r.skill = f[1];
            if (!ParseInt(f[2], r.minSkill) || !ParseInt(f[3], r.qtyAtMin) ||
                !ParseInt(f[4], r.optSkill) || !ParseInt(f[5], r.qtyAtOpt) ||
                !ParseInt(f[6], r.units))
                return false;
        }
        return true;
    }

    // The last N fields of a line as counts; the fields before them are not looked at.
    template <std::size_t N> bool TailCounts(std::array<std::size_t, N>& counts)
    {
        Field line;
        if (!Line(line))
            return false;
        const char* begin = line.data();
        const char* end = begin + line.size();
        for (std::size_t i = N; i-- > 0;)
        {
            const char* start = end;
            while (start != begin && start[-1] != '|')
                --start;
            if (start == begin && i != 0)
                return false;
            int count = 0;
            if (!Count(Field(start, static_cast<std::size_t>(end - start)), count))
                return false;
            counts[i] = static_cast<std::size_t>(count);
            if (i != 0)
                end = start - 1;
        }
        return true;
    }

    bool SkipLines(std::size_t count)
    {
        if (count > m_linesLeft)
            return false;
        if (count == 0)
            return true;
        const char* begin = m_text.data();
        m_pos = static_cast<std::size_t>(PastBreaks(begin + m_pos, begin + m_text.size(), count) -
                                         begin);
        m_linesLeft -= count;
        return true;
    }

    std::size_t LinesLeft() const
    {
        return m_linesLeft;
    }
    std::size_t Position() const
    {
        return m_pos;
    }

private:
    // The field that ends at the line break at p.
    template <std::size_t N>
    bool LastField(std::array<Field, N>& fields, std::size_t i, const char* start, const char* p)
    {
        fields[i] = Field(start, static_cast<std::size_t>(p - start));
        m_pos = static_cast<std::size_t>(p + 1 - m_text.data());
        return i + 1 == N;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_linesLeft = 0;
};

// The top-level records of one stretch of the file, in file order.
struct CRecords
{
    std::vector<std::unique_ptr<CFormulaSet>> formulaSets;
    std::vector<CFormulaSet*> resourceSets;
    std::vector<std::unique_ptr<CTechniqueSet>> techniqueSets;
    std::vector<std::unique_ptr<CComponent>> components;
    std::vector<std::unique_ptr<CWizardTemplate>> wizards;
};

bool ReadLines(CCacheReader& in, std::vector<std::string>& lines, int count)
{
    ReserveBounded(lines, count);
    for (int i = 0; i < count; ++i)
    {
        Field line;
        if (!in.Line(line))
            return false;
        lines.emplace_back(line);
    }
    return true;
}

bool ReadFormulaTier(CCacheReader& in, CFormulaTier& t)
{
    std::array<Field, 8> f;
    int attributes = 0, resources = 0;
    if (!in.Fields(f) || !ParseInt(f[1], t.level) || !ParseInt(f[4], t.allowedTechniques) ||
        !ParseInt(f[5], t.batchQty) || !in.Count(f[6], attributes) || !in.Count(f[7], resources))
        return false;
    t.name = f[0];
    t.levelName = f[2];
    t.description = f[3];
    return in.Keywords(t.keywords) && in.Attributes(t.attributes, attributes) &&
           in.Resources(t.resources, resources);
}

bool ReadFormula(CCacheReader& in, CFormula& formula)
{
    std::array<Field, 8> f;
    int attributes = 0, tiers = 0;
    if (!in.Fields(f) || !ParseInt(f[1], formula.batchQty) || !ParseInt(f[2], formula.iconIndex) ||
        !ParseFlag(f[5], formula.hasTierKeywords) || !in.Count(f[6], attributes) ||
        !in.Count(f[7], tiers))
        return false;
    formula.name = f[0];
    formula.note = f[3];
    formula.category = f[4];
    if (!in.Keywords(formula.keywords) || !in.Attributes(formula.attributes, attributes))
        return false;
    ReserveBounded(formula.tiers, tiers);
    for (int i = 0; i < tiers; ++i)
        if (!ReadFormulaTier(in, *formula.tiers.emplace_back(std::make_unique<CFormulaTier>())))
            return false;
    return true;
}

bool ReadFormulaSet(CCacheReader& in, CRecords& out)
{
    std::array<Field, 5> f;
    int formulae = 0;
    auto set = std::make_unique<CFormulaSet>();
    if (!in.Fields(f) || !ParseInt(f[3], set->iconIndex) || !in.Count(f[4], formulae))
        return false;
    set->name = f[0];
    set->category = f[1];
    set->note = f[2];
    ReserveBounded(set->formulae, formulae);
    for (int i = 0; i < formulae; ++i)
        if (!ReadFormula(in, *set->formulae.emplace_back(std::make_unique<CFormula>())))
            return false;
    if (set->category == "Resources")
        out.resourceSets.push_back(set.get());
    out.formulaSets.push_back(std::move(set));
    return true;
}

bool ReadTechniqueTier(CCacheReader& in, CTechniqueTier& t)
{
    std::array<Field, 14> f;
    int keywordSets = 0, effectSets = 0, attributes = 0, components = 0;
    if (!in.Fields(f) || !ParseInt(f[2], t.level) || !ParseInt(f[5], t.skillAdjust) ||
        !ParseInt(f[6], t.usageAdjust) || !ParseInt(f[9], t.techSize) ||
        !in.Count(f[10], keywordSets) || !in.Count(f[11], effectSets) ||
        !in.Count(f[12], attributes) || !in.Count(f[13], components))
        return false;
    t.name = f[0];
    t.origin = f[1];
    t.levelName = f[3];
    t.description = f[4];
    t.prefix = f[7];
    t.suffix = f[8];
    return in.KeywordSets(t.keywordSets, keywordSets) &&
           in.KeywordSets(t.effectKeywordSets, effectSets) &&
           in.Attributes(t.attributes, attributes) && in.Resources(t.components, components);
}

bool ReadTechnique(CCacheReader& in, CTechnique& t)
{
    std::array<Field, 11> f;
    int attributes = 0, keywordSets = 0, effectSets = 0, tiers = 0;
    if (!in.Fields(f) || !ParseInt(f[1], t.iconIndex) || !ParseFlag(f[6], t.hasTierKeywords) ||
        !in.Count(f[7], attributes) || !in.Count(f[8], keywordSets) ||
        !in.Count(f[9], effectSets) || !in.Count(f[10], tiers))
        return false;
    t.name = f[0];
    t.prefix = f[2];
    t.suffix = f[3];
    t.description = f[4];
    t.subdescription = f[5];
    if (!in.Attributes(t.attributes, attributes) || !in.KeywordSets(t.keywordSets, keywordSets) ||
        !in.KeywordSets(t.effectKeywordSets, effectSets))
        return false;
    ReserveBounded(t.tiers, tiers);
    for (int i = 0; i < tiers; ++i)
        if (!ReadTechniqueTier(in, *t.tiers.emplace_back(std::make_unique<CTechniqueTier>())))
            return false;
    return true;
}

bool ReadTechniqueSet(CCacheReader& in, CRecords& out)
{
    std::array<Field, 5> f;
    int techniques = 0;
    auto set = std::make_unique<CTechniqueSet>();
    if (!in.Fields(f) || !ParseInt(f[3], set->iconIndex) || !in.Count(f[4], techniques))
        return false;
    set->name = f[0];
    set->note = f[1];
    set->category = f[2];
    ReserveBounded(set->techniques, techniques);
    for (int i = 0; i < techniques; ++i)
        if (!ReadTechnique(in, *set->techniques.emplace_back(std::make_unique<CTechnique>())))
            return false;
    out.techniqueSets.push_back(std::move(set));
    return true;
}

bool ReadComponent(CCacheReader& in, CRecords& out)
{
    std::array<Field, 10> f;
    int methods = 0, locations = 0;
    auto c = std::make_unique<CComponent>();
    if (!in.Fields(f) || !ParseInt(f[3], c->tier) || !ParseInt(f[4], c->bulk) ||
        !in.Count(f[8], methods) || !in.Count(f[9], locations))
        return false;
    c->name = f[0];
    c->description = f[1];
    c->type = f[2];
    c->buyValue = f[5];
    c->sellValue = f[6];
    c->vendorValue = f[7];
    ReserveBounded(c->gatherMethods, methods);
    for (int i = 0; i < methods; ++i)
    {
        std::array<Field, 6> g;
        int bonuses = 0;
        if (!in.Fields(g) || !in.Count(g[5], bonuses))
            return false;
        CGatherMethod& m = c->gatherMethods.emplace_back();
        m.tool = g[0];
        m.skill = g[1];
        m.rate = g[2];
        m.minSkill = g[3];
        m.maxSkill = g[4];
        ReserveBounded(m.bonuses, bonuses);
        std::array<Field, 3> b;
        for (int j = 0; j < bonuses; ++j)
        {
            if (!in.Fields(b))
                return false;
            m.bonuses.push_back({std::string(b[0]), std::string(b[1]), std::string(b[2])});
        }
    }
    if (!ReadLines(in, c->locations, locations))
        return false;
    out.components.push_back(std::move(c));
    return true;
}

bool ReadWizard(CCacheReader& in, CRecords& out)
{
    std::array<Field, 7> f;
    int races = 0, slots = 0, sets = 0, techs = 0;
    auto w = std::make_unique<CWizardTemplate>();
    if (!in.Fields(f) || !ParseInt(f[2], w->version) || !in.Count(f[3], races) ||
        !in.Count(f[4], slots) || !in.Count(f[5], sets) || !in.Count(f[6], techs))
        return false;
    w->school = f[0];
    w->type = f[1];
    if (!ReadLines(in, w->races, races) || !ReadLines(in, w->slots, slots))
        return false;
    ReserveBounded(w->formulaSets, sets);
    std::array<Field, 5> s;
    for (int i = 0; i < sets; ++i)
    {
        CWizardFormulaSet& set = w->formulaSets.emplace_back();
        if (!in.Fields(s) || !ParseInt(s[3], set.priority) || !ParseInt(s[4], set.optional))
            return false;
        set.name = s[0];
        set.description = s[1];
        set.filter = s[2];
    }
    if (!ReadLines(in, w->techs, techs))
        return false;
    out.wizards.push_back(std::move(w));
    return true;
}

// The first line of each top-level record gives the number of records of each kind.
using CCounts = std::array<int, 4>;

// Records first ... last - 1, numbered across the four kinds in file order. Before each
// record go(record) may end the walk early (true is then returned, as at last).
template <typename Go>
bool ReadRecords(CCacheReader& in, const CCounts& counts, long long first, long long last,
                 CRecords& out, Go go)
{
    using Reader = bool (*)(CCacheReader&, CRecords&);
    constexpr std::array<Reader, 4> readers = {ReadFormulaSet, ReadTechniqueSet, ReadComponent,
                                               ReadWizard};
    long long kindStart = 0;
    for (std::size_t kind = 0; kind < counts.size() && first < last; ++kind)
    {
        const long long kindEnd = kindStart + counts[kind];
        for (; first < std::min(kindEnd, last); ++first)
            if (!go(first))
                return true;
            else if (!readers[kind](in, out))
                return false;
        kindStart = kindEnd;
    }
    return true;
}

bool ReadRecords(CCacheReader& in, const CCounts& counts, long long first, long long last,
                 CRecords& out)
{
    return ReadRecords(in, counts, first, last, out, [](long long) { return true; });
}

// The skip pass: the same walk over the lines as the readers, reading only the counts.
// Where it goes wrong the readers fail too, before they reach a place it reported.
bool SkipKeywords(CCacheReader& in, std::size_t blocks = 1)
{
    std::array<std::size_t, 1> count;
    for (; blocks != 0; --blocks)
        if (!in.TailCounts(count) || !in.SkipLines(count[0]))
            return false;
    return true;
}

bool SkipFormulaSet(CCacheReader& in)
{
    std::array<std::size_t, 1> formulae;
    std::array<std::size_t, 2> f, t; // attributes, tiers; attributes, resources
    if (!in.TailCounts(formulae))
        return false;
    for (std::size_t i = 0; i < formulae[0]; ++i)
    {
        if (!in.TailCounts(f) || !SkipKeywords(in) || !in.SkipLines(f[0]))
            return false;
        for (std::size_t j = 0; j < f[1]; ++j)
            if (!in.TailCounts(t) || !SkipKeywords(in) || !in.SkipLines(t[0]) ||
                !in.SkipLines(t[1]))
                return false;
    }
    return true;
}

bool SkipTechniqueSet(CCacheReader& in)
{
    std::array<std::size_t, 1> techniques;
    std::array<std::size_t, 4> t; // attributes, keyword sets, effect keyword sets, tiers
    std::array<std::size_t, 4> r; // keyword sets, effect keyword sets, attributes, components
    if (!in.TailCounts(techniques))
        return false;
    for (std::size_t i = 0; i < techniques[0]; ++i)
    {
        if (!in.TailCounts(t) || !in.SkipLines(t[0]) || !SkipKeywords(in, t[1]) ||
            !SkipKeywords(in, t[2]))
            return false;
        for (std::size_t j = 0; j < t[3]; ++j)
            if (!in.TailCounts(r) || !SkipKeywords(in, r[0]) || !SkipKeywords(in, r[1]) ||
                !in.SkipLines(r[2]) || !in.SkipLines(r[3]))
                return false;
    }
    return true;
}

bool SkipComponent(CCacheReader& in)
{
    std::array<std::size_t, 2> c; // gather methods, locations
    std::array<std::size_t, 1> bonuses;
    if (!in.TailCounts(c))
        return false;
    for (std::size_t i = 0; i < c[0]; ++i)
        if (!in.TailCounts(bonuses) || !in.SkipLines(bonuses[0]))
            return false;
    return in.SkipLines(c[1]);
}

bool SkipWizard(CCacheReader& in)
{
    std::array<std::size_t, 4> w; // races, slots, formula sets, techs
    return in.TailCounts(w) && in.SkipLines(w[0]) && in.SkipLines(w[1]) && in.SkipLines(w[2]) &&
           in.SkipLines(w[3]);
}

// Where the second thread starts: a top-level record and the reader's state before it.
struct CSplit
{
    long long record = 0;
    std::size_t pos = 0;
    std::size_t linesLeft = 0;
};

// The first record boundary where at most secondLines lines are left; none when the walk
// fails or nothing would be left.
std::optional<CSplit> FindSplit(CCacheReader in, const CCounts& counts, std::size_t secondLines)
{
    using Skipper = bool (*)(CCacheReader&);
    constexpr std::array<Skipper, 4> skippers = {SkipFormulaSet, SkipTechniqueSet, SkipComponent,
                                                 SkipWizard};
    long long record = 0, total = 0;
    for (int count : counts)
        total += count;
    for (std::size_t kind = 0; kind < counts.size(); ++kind)
        for (int i = 0; i < counts[kind]; ++i)
        {
            if (!skippers[kind](in))
                return std::nullopt;
            if (++record == total)
                return std::nullopt;
            if (in.LinesLeft() <= secondLines)
                return CSplit{record, in.Position(), in.LinesLeft()};
        }
    return std::nullopt;
}

// The second thread walks to its starting place while the first already decodes, so it
// takes a little less than half of the lines: the walk costs about a fifth of a decode.
std::size_t SecondThreadLines(const CCacheReader& in)
{
    return in.LinesLeft() * 9 / 20;
}

// Which records the first thread reads: all of them until the second thread has claimed
// a place it has not reached yet.
class CBoundary
{
public:
    // Before the first thread reads record r.
    bool FirstMayRead(long long r)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (r >= m_limit)
            return false;
        m_firstNext = r + 1;
        return true;
    }
    // The first thread has stopped (done or failed): no claim from now on.
    void FirstStopped()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_firstNext = LLONG_MAX;
    }
    bool Claim(long long record)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_firstNext > record)
            return false;
        m_limit = record;
        return true;
    }

private:
    std::mutex m_lock;
    long long m_firstNext = 0;
    long long m_limit = LLONG_MAX;
};

void Append(CGameDatabase& db, CRecords& records)
{
    auto append = [](auto& to, auto& from)
    {
        to.insert(to.end(), std::make_move_iterator(from.begin()),
                  std::make_move_iterator(from.end()));
        from.clear();
    };
    append(db.formulaSets, records.formulaSets);
    append(db.ResourceFormulaSets, records.resourceSets);
    append(db.techniqueSets, records.techniqueSets);
    append(db.components, records.components);
    append(db.wizards, records.wizards);
}

// The header and the line of counts; the reader is then at the first record.
bool ReadHead(CCacheReader& in, CCounts& counts, long long& total)
{
    Field header;
    if (!in.Line(header) || header != CacheHeader)
        return false;
    std::array<Field, 4> f;
    if (!in.Fields(f))
        return false;
    total = 0;
    for (std::size_t i = 0; i < counts.size(); ++i)
    {
        if (!in.Count(f[i], counts[i]))
            return false;
        total += counts[i];
    }
    return static_cast<unsigned long long>(total) <= in.LinesLeft();
}

// Below this the second thread costs about what it saves.
constexpr std::size_t TwoThreadBytes = 256 * 1024;
} // namespace

std::size_t CacheSplitOffset(std::string_view text)
{
    CCacheReader in(text);
    CCounts counts{};
    long long total = 0;
    if (!ReadHead(in, counts, total))
        return 0;
    const std::optional<CSplit> split = FindSplit(in, counts, SecondThreadLines(in));
    return split ? split->pos : 0;
}

bool ParseCache(CGameDatabase& db, std::string_view text, std::size_t twoThreadsFrom)
{
    CCacheReader in(text);
    CCounts counts{};
    long long total = 0;
    if (!ReadHead(in, counts, total))
        return false;
    db.formulaSets.reserve(db.formulaSets.size() + static_cast<std::size_t>(counts[0]));
    db.techniqueSets.reserve(db.techniqueSets.size() + static_cast<std::size_t>(counts[1]));
    db.components.reserve(db.components.size() + static_cast<std::size_t>(counts[2]));

    // The records go to the database in file order even when reading stops early: what was
    // read before a failure stays, as the one-thread walk would leave it.
    CRecords first;
    const auto readFirst = [&](auto go)
    {
        try
        {
            const bool ok = ReadRecords(in, counts, 0, total, first, go);
            Append(db, first);
            return ok;
        }
        catch (...)
        {
            Append(db, first);
            throw;
        }
    };
    if (text.size() < twoThreadsFrom)
        return readFirst([](long long) { return true; });

    CBoundary boundary;
    CRecords second;
    bool claimed = false, secondOk = false;
    std::exception_ptr secondError;
    std::jthread worker;
    try
    {
        worker = std::jthread(
            [&, walk = in]
            {
                try
                {
                    const std::optional<CSplit> split =
                        FindSplit(walk, counts, SecondThreadLines(walk));
                    // Where the first thread is already past the place, it reads everything.
                    if (!split || !boundary.Claim(split->record))
                        return;
                    claimed = true;
                    CCacheReader rest(text, split->pos, split->linesLeft);
                    secondOk = ReadRecords(rest, counts, split->record, total, second);
                }
                catch (...)
                {
                    secondError = std::current_exception();
                }
            });
    }
    catch (const std::system_error&)
    {
        // No thread to be had: all records on this one.
        return readFirst([](long long) { return true; });
    }
    bool firstOk = false;
    try
    {
        firstOk = readFirst([&](long long r) { return boundary.FirstMayRead(r); });
    }
    catch (...)
    {
        boundary.FirstStopped();
        throw;
    }
    boundary.FirstStopped();
    worker.join();
    // The first part's failure is the one a single walk meets, and it never reads further.
    if (!firstOk)
        return false;
    if (!claimed)
        return true;
    Append(db, second);
    if (secondError)
        std::rethrow_exception(secondError);
    return secondOk;
}

bool ParseCache(CGameDatabase& db, std::string_view text)
{
    static const std::size_t twoThreadsFrom = LoadThreads() > 1 ? TwoThreadBytes : SIZE_MAX;
    return ParseCache(db, text, twoThreadsFrom);
}
