#pragma once
// TRichEdit: the edit of formatted text (fonts, sizes, bold, italic, underline, colours,
// raised and lowered text, paragraphs). Its contents go in and out as RTF (the subset of
// rich_text.h). The selection's character offset is set and read as EM_SETCHARFORMAT and
// EM_GETCHARFORMAT do (in twips); RequestResize reports the height the text needs, as the
// request-resize notification does. EM_SETRECT (EM_SETRECTNP) sets the formatting rectangle,
// where the text is laid, in client coordinates (none: the default, one pixel inside the
// edges); it keeps its distances from the edges when the edit is resized. EM_GETRECT reads it.

#include "plataforma/base/rich_text.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/painting/rich_layout.h"

class TRichEdit : public TWinControl {
public:
    explicit TRichEdit(TComponent* AOwner);

    // The contents as RTF; a text that is no readable RTF is taken as plain text.
    AnsiString GetRtf() const;
    void SetRtf(const AnsiString& Value);
    TRichDocument GetDocument() const;
    void SetDocument(const TRichDocument& Value);
    // The text alone, paragraphs joined by CR LF.
    AnsiString GetPlainText() const;
    int GetSelStart() const;
    void SetSelStart(int Value);
    int GetSelLength() const;
    void SetSelLength(int Value);
    void SelectAll();
    // The selection's raised (positive) or lowered offset in twips: the first character's
    // when reading.
    void SetSelOffset(int Twips);
    int GetSelOffset() const;
    // The height (pixels) the text needs at the present width, without the formatting
    // rectangle's distances from the edges.
    int GetContentHeight() const;
    // Lines broken at the edit's width (on by default), else one line per paragraph.
    bool GetWordWrap() const { return wordWrap_; }
    void SetWordWrap(bool Value);
    // The text laid into a rectangle of a canvas, as EM_FORMATRANGE does (rich_layout.h).
    int FormatRange(TFormatRange& Range, bool Render) const;

    TNotifyEvent OnChange;
    TNotifyEvent OnSelectionChange;

protected:
    void CreateWindowHandle(const TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    // The text needs Width × Height pixels (after each change).
    virtual void RequestResize(int /*Width*/, int /*Height*/) {}
    virtual void Change();

private:
    void ApplyWordWrap();
    void ApplyFormatRect();
    // The formatting rectangle's distances from the left, top, right and bottom edges.
    TRect inset_{1, 1, 1, 1};
    AnsiString pending_; // the RTF set before the window exists
    bool wordWrap_ = true;
};
