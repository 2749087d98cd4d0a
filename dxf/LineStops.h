// The line breaks of a run of text, found 64 bytes at a time.
//
// A drawing has a line break every six or seven bytes. Looking for each break from the end of the
// last one makes every line wait for the one before it; marking the breaks of 64 bytes at once in
// bit masks and taking them from the masks in order does not.
//
// Breaks are as the reader counts them: CR LF, a lone LF and a lone CR each end a line. Only the
// plain middle of a text is taken here: 64 bytes that hold a NUL, and the last 64 bytes of the
// text (whose last break may be the first half of a CR LF in a block not yet read), are left to
// the caller's byte-by-byte reading.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

namespace kolvo {

class LineStops {
public:
    // Starts at `at`, the start of a line, in the text [at, end).
    void Seat(const char* at, const char* end) {
        end_ = end;
        ok_ = true;
        Mark(at, false);
    }

    // The end of the line that starts where the last one taken ended (or at the seat), and the
    // start of the line after it. False when that line is not in the plain middle of the text;
    // then the caller reads on by itself and seats again where it stops.
    bool Take(const char*& stop, const char*& after) {
        while (ends_ == 0) {
            if (!ok_) {
                return false;
            }
            Mark(base_ + 64, base_[63] == '\r');
        }
        const int at = std::countr_zero(ends_);
        ends_ &= ends_ - 1;
        stop = base_ + at;
        after = stop + 1 + ((crlf_ >> at) & 1);
        return true;
    }

private:
    struct Masks {
        std::uint64_t lf = 0, cr = 0, nul = 0;
    };

    // Marks the 64 bytes from `at`, which have at least one byte after them; `afterCr` when the
    // byte before `at` is a CR whose LF, if `at` holds one, is already part of its break.
    void Mark(const char* at, bool afterCr) {
        base_ = at;
        ends_ = crlf_ = 0;
        if (end_ - at <= 64) {
            ok_ = false;
            return;
        }
        const Masks m = Find(at);
        if (m.nul != 0) {
            ok_ = false;
            return;
        }
        const std::uint64_t lfAfterCr = m.lf & ((m.cr << 1) | std::uint64_t{afterCr});
        ends_ = (m.lf & ~lfAfterCr) | m.cr;
        crlf_ = m.cr & ((m.lf >> 1) | (std::uint64_t{at[64] == '\n'} << 63));
    }

    static Masks Find(const char* at) {
        Masks m;
#if defined(__SSE2__) || defined(_M_X64)
        const __m128i lf = _mm_set1_epi8('\n');
        const __m128i cr = _mm_set1_epi8('\r');
        const __m128i nul = _mm_setzero_si128();
        for (int part = 0; part < 4; ++part) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * part));
            m.lf |= Bits(_mm_cmpeq_epi8(bytes, lf), part);
            m.cr |= Bits(_mm_cmpeq_epi8(bytes, cr), part);
            m.nul |= Bits(_mm_cmpeq_epi8(bytes, nul), part);
        }
#else
        for (int i = 0; i < 64; ++i) {
            m.lf |= std::uint64_t{at[i] == '\n'} << i;
            m.cr |= std::uint64_t{at[i] == '\r'} << i;
            m.nul |= std::uint64_t{at[i] == '\0'} << i;
        }
#endif
        return m;
    }

#if defined(__SSE2__) || defined(_M_X64)
    static std::uint64_t Bits(__m128i found, int part) {
        return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(found))} << (16 * part);
    }
#endif

    const char* base_ = nullptr; // the first of the 64 bytes the masks cover
    const char* end_ = nullptr;
    bool ok_ = false;        // false once the plain middle has been left
    std::uint64_t ends_ = 0; // bit i: base_[i] ends a line not yet taken
    std::uint64_t crlf_ = 0; // bit i: base_[i] is a CR with an LF after it
};

} // namespace kolvo
