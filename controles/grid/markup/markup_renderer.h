#pragma once
// HTMLDrawEx: measures, draws and hit-tests a markup text in a rectangle of a canvas in one
// call. Fonts (B, I, U, S, FONT), colours, anchors (A) and the anchor under the mouse,
// images (IMG: an image list, the picture container, the picture cache, shell icons),
// bullets (UL, LI), paragraphs (P), sub- and superscript, shadow, hidden (Z), rotated (R)
// and blinking text, highlight (HI), error underline (E), rules (HR), indents (IND), the
// page background (BODY) and painted look-alikes of controls (CONTROL). Tags are known by
// their first letter (and for some by the second); unknown ones are skipped. Nothing is
// kept between calls: what the caller needs comes back through the out-parameters.

#include "controles/grid/markup/picture_container.h"
#include "plataforma/gui/images/image_list.h"
#include "plataforma/gui/painting/canvas.h"

// Returns true when the mouse is over an anchor's text (found by HitPass), over an image
// inside an anchor or over an embedded control (or the control ControlID names, with
// HitPass); always false with MeasureOnly. IDs may repeat: ControlOccurrence, when given,
// says which of the controls with ControlID the hit pass looks for (from 0), and receives
// which of the controls with its ID the control found is.
bool HTMLDrawEx(TCanvas* Canvas, AnsiString Text, const TRect& Rect, TCustomImageList* Images,
                int MouseX, int MouseY, int FocusIndex, int HoverIndex, int ShadowOffset,
                bool HitPass, bool MeasureOnly, bool Printing, bool Selected, bool BlinkOn,
                bool HoverOnly, bool WordWrap, bool MouseDown, double PrintScale,
                TColor AnchorColor, TColor HoverBackColor, TColor HoverTextColor,
                TColor ShadowColor, AnsiString& AnchorHref, AnsiString& PlainText,
                AnsiString& FocusHref, AnsiString& AnchorTitle, int& ExtentX, int& ExtentY,
                int& AnchorCount, int& MouseAnchor, TRect& AnchorRect, TRect& ControlRect,
                AnsiString& ControlID, AnsiString& ControlValue, AnsiString& ControlType,
                THTMLPictureCache* PictureCache, TPictureContainer* Container, HWND WindowHandle,
                int* ControlOccurrence = nullptr);
