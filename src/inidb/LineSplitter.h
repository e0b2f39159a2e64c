#pragma once

#include "HugePages.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The first CR or LF in [p, end), or end. Lines are a few dozen bytes, so this is
// where the time of splitting goes: sixteen bytes are looked at in one step.
inline const char *FindLineEnd(const char *p, const char *end)
{
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const int marks = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr)));
        if (marks)
            return p + std::countr_zero(static_cast<unsigned>(marks));
    }
#endif
    while (p < end && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

// Bit i is set when block[i] is a CR or an LF, for the 64 bytes from block.
inline std::uint64_t LineEndMarks(const char *block)
{
    std::uint64_t marks = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    const __m128i cr = _mm_set1_epi8('\r');
    for (int part = 0; part < 4; ++part) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block + 16 * part));
        const auto found = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, lf), _mm_cmpeq_epi8(bytes, cr))));
        marks |= std::uint64_t{found} << (16 * part);
    }
#else
    for (int i = 0; i < 64; ++i)
        marks |= std::uint64_t{block[i] == '\n' || block[i] == '\r'} << i;
#endif
    return marks;
}

// Cuts bytes that arrive in pieces into lines; CR LF, LF and a lone CR each end a line.
// A piece may end anywhere, even between the CR and LF of one line end: what is not yet
// a whole line waits for the next piece.
class LineSplitter final {
public:
    // Hands every line the piece completes to onLine, without its line end.
    template <typename OnLine>
    void feed(std::string_view piece, OnLine &&onLine)
    {
        m_fed += piece.size();
        if (!m_carried.empty()) {
            // The line begun in an earlier piece ends at the first line end of this one.
            const char *lineEnd = FindLineEnd(piece.data(), piece.data() + piece.size());
            // A long line that goes on past this piece is only added to: looking at the
            // whole of it again for every piece would take time that grows with its square.
            if (lineEnd == piece.data() + piece.size() && m_carried.back() != '\r') {
                // A line this long may well run on to the end: room for all that can still
                // come spares copying it again at every doubling. Untouched room costs nothing.
                const std::size_t needed = m_carried.size() + piece.size();
                if (needed > m_carried.capacity() && m_carried.size() >= kLongLine && m_expected > m_fed)
                    m_carried.reserve(needed + static_cast<std::size_t>(m_expected - m_fed));
                m_carried.append(piece);
                return;
            }
            std::size_t taken = static_cast<std::size_t>(lineEnd - piece.data());
            if (taken < piece.size())
                taken += 1 + (*lineEnd == '\r' && taken + 1 < piece.size() && lineEnd[1] == '\n');
            // A byte after them in this piece settles a CR the taken bytes end in.
            const bool settled = taken < piece.size();
            // Only a CR at its very end can be a line end in what was carried so far.
            const std::size_t lineEndFrom = m_carried.size() - 1;
            m_carried.append(piece.data(), taken);
            piece.remove_prefix(taken);
            Bytes carried = std::move(m_carried);
            m_carried.clear();
            const char *rest = splitLines(carried.data(), carried.data() + carried.size(), settled, onLine,
                                          carried.data() + lineEndFrom);
            m_carried.assign(rest, static_cast<std::size_t>(carried.data() + carried.size() - rest));
        }
        const char *rest = splitLines(piece.data(), piece.data() + piece.size(), false, onLine);
        m_carried.append(rest, static_cast<std::size_t>(piece.data() + piece.size() - rest));
    }

    // The bytes have ended: hands over the last line, if it had no line end.
    template <typename OnLine>
    void finish(OnLine &&onLine)
    {
        splitLines(m_carried.data(), m_carried.data() + m_carried.size(), true, onLine);
        m_carried.clear();
    }

    // How many bytes all pieces together will hold, when that is known.
    void expectBytes(std::uint64_t total) { m_expected = total; }

    // The 1-based number of the line last handed over.
    std::size_t lineNumber() const { return m_lineNumber; }

private:
    // A line that goes on past the pieces it began in waits here. A long one grows in
    // blocks huge pages can back, as the file's bytes would.
    using Bytes = std::basic_string<char, std::char_traits<char>, FreshBlockAllocator<char>>;

    // Hands over the lines of [p, end) and returns where the unfinished rest begins.
    // final says that nothing after end can belong to these lines; otherwise a CR at the
    // very end waits, as the LF of the same line end may follow. The caller may know
    // that no line end comes before lineEndFrom, which spares looking at those bytes.
    template <typename OnLine>
    const char *splitLines(const char *p, const char *end, bool final, OnLine &onLine,
                           const char *lineEndFrom = nullptr)
    {
        const char *scanned = lineEndFrom ? lineEndFrom : p;
        // Whole blocks of 64 bytes first: their line ends are found in one step, so
        // the search does not stop and guess anew at every line.
        for (; end - scanned >= 64; scanned += 64) {
            const char *block = scanned;
            for (std::uint64_t marks = LineEndMarks(block); marks != 0; marks &= marks - 1) {
                const char *lineEnd = block + std::countr_zero(marks);
                // The LF of a CR LF, passed with its CR.
                if (lineEnd < p)
                    continue;
                if (*lineEnd == '\r' && lineEnd + 1 == end && !final)
                    return p;
                p = handOver(p, lineEnd, end, onLine);
            }
        }
        for (;;) {
            const char *lineEnd = FindLineEnd(std::max(p, scanned), end);
            if (lineEnd == end) {
                if (final && p < end) {
                    ++m_lineNumber;
                    onLine(std::string_view(p, static_cast<std::size_t>(end - p)));
                    return end;
                }
                return p;
            }
            if (*lineEnd == '\r' && lineEnd + 1 == end && !final)
                return p;
            p = handOver(p, lineEnd, end, onLine);
        }
    }

    // Hands over the line [p, lineEnd) and returns where the next one begins.
    template <typename OnLine>
    const char *handOver(const char *p, const char *lineEnd, const char *end, OnLine &onLine)
    {
        ++m_lineNumber;
        onLine(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
        return lineEnd + 1 + (*lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n');
    }

    static constexpr std::size_t kLongLine = std::size_t{1} << 20;

    Bytes m_carried;
    std::size_t m_lineNumber = 0;
    std::uint64_t m_fed = 0;
    std::uint64_t m_expected = 0;
};
