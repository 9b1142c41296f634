#pragma once
// Rich text as the rich edit keeps it in a cell: paragraphs of runs of Windows-1252 text, each
// run with its character format (font, size, bold, italic, underline, colour, raised or
// lowered). ReadRtf reads the RTF subset the rich edit writes (font and colour tables,
// \b \i \ul \fs \f \cf \up \dn \super \sub \plain \par \line \tab, \'hh and \u characters;
// other destinations are skipped) and WriteRtf writes it. Text that is not such RTF (broken
// groups, a truncated text, huge numbers) is refused as a whole, never read in part.

#include "plataforma/base/ansi_string.h"

#include <cstdint>
#include <vector>

// The largest size the rich edit shows (1638 points), in half points: larger sizes and
// offsets are shown at it.
constexpr int RichLargestHalfPoints = 3276;

struct TRichFormat {
    AnsiString FontName = "Tahoma";
    // In half points (RTF's \fs).
    int HalfPoints = 16;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    // 0x00BBGGRR; -1 is the default (automatic) colour.
    int32_t Color = -1;
    // Raised (positive) or lowered (negative), in half points (RTF's \up and \dn).
    int Offset = 0;
    bool operator==(const TRichFormat& O) const = default;
};

struct TRichRun {
    AnsiString Text;
    TRichFormat Format;
    bool operator==(const TRichRun& O) const = default;
};

struct TRichParagraph {
    std::vector<TRichRun> Runs;
    bool operator==(const TRichParagraph& O) const = default;
};

struct TRichDocument {
    std::vector<TRichParagraph> Paragraphs;
    bool operator==(const TRichDocument& O) const = default;
    // Runs of one format joined, empty runs dropped; at least one paragraph stays.
    void Normalize();
    // The text alone, paragraphs joined by "\r\n".
    AnsiString PlainText() const;
    // A document of plain text: one paragraph per line, in the given format.
    static TRichDocument FromPlainText(const AnsiString& Text, const TRichFormat& Format = {});
};

// Whether the text starts as RTF does ("{\rtf").
bool IsRtf(const AnsiString& Text);
// Reads Text into Doc (normalized); false, with Doc untouched, when Text is no readable RTF.
bool ReadRtf(const AnsiString& Text, TRichDocument& Doc);
AnsiString WriteRtf(const TRichDocument& Doc);
// The document a text shows: its RTF read, or the text itself when it is no readable RTF.
TRichDocument RichDocumentOf(const AnsiString& Text);
