#pragma once
// Drawing functions of the grid's cell decorations and small control parts: colour
// gradients, a linear progress bar with its caption, a progress pie, a signed range
// indicator, the red wave under misspelt characters, the combo drop-down button (themed
// or classic), bitmaps with a replaced background colour, and the layered-window pair.
// They leave the canvas's brush, pen and font colours changed unless said otherwise;
// clNone means no colour.

#include "plataforma/gui/images/graphics.h"
#include "plataforma/gui/kernel/controls.h"
#include "plataforma/gui/kernel/layered_windows.h"
#include "plataforma/gui/painting/canvas.h"

void DrawGradient(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                  bool Direction);
// The colour at Position of a gradient spread over Min..Max (FromColor when Max = Min).
TColor GradientAt(TColor FromColor, TColor ToColor, int Min, int Max, int Position);
// With an empty Format the caption is "<position>%" and the share the position itself;
// otherwise the caption is Format applied to the position and the share
// round((position - min) x 100 / (max - min)). The share stays within 0..100.
void DrawProgressLin(TCanvas* Canvas, TRect R, TColor Color, TColor TextColor, TColor ColorTo,
                     TColor TextColorTo, int Position, int BorderX, int BorderY, int Min, int Max,
                     const AnsiString& Format, TColor BorderColor, bool InvertY);
void DrawProgressPie(TCanvas* Canvas, const TRect& R, TColor Color, int Position, bool InvertY);
// A bar from the middle, right for positive values, left for negative ones; none when the
// range is not positive.
void DrawRangeIndicator(TCanvas* Canvas, TRect R, int Value, int Range, bool ShowValue,
                        TColor NegColor, TColor PosColor);
// The red wave under Count characters from First (0-based) of a one-line Text laid out as
// an edit control of R's size lays it out; Control parents the measuring edit.
void DrawErrorLines(TWinControl* Control, TCanvas* Canvas, const AnsiString& Text, const TRect& R,
                    int Offset, int First, int Count);
void DrawComboButton(TCanvas* Canvas, HWND Handle, const TRect& R, bool Themed, bool Flat);
// The bitmap at its own size at R's top-left corner, its top-left pixel's colour replaced by
// BackgroundColor.
void DrawBitmapTransp(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, const TRect& R);
void DrawBitmapResourceTransp(TCanvas* Canvas, TColor BackgroundColor, const TRect& R,
                              const AnsiString& ResName);
TColor DarkenColor(TColor Color);

// Layered windows, as far as the window layer has them (layered_windows.h).
BOOL DynaLink_UpdateLayeredWindow(HWND hwnd, HDC hdcDst, TPoint* pptDst, TSize* psize, HDC hdcSrc,
                                  TPoint* pptSrc, COLORREF crKey, BLENDFUNCTION* pblend,
                                  DWORD dwFlags);
BOOL DynaLink_SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags);
