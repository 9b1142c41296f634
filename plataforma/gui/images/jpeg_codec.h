#pragma once
// Inside the platform layer only: JPEG decoding and encoding with libjpeg-turbo (never
// through Qt's image plugins). Malformed input is reported, never read past its end.

#include "plataforma/base/ansi_string.h"

#include <QImage>

#include <string>

// The picture as 32-bit RGB (greyscale and CMYK pictures converted), scaled down by
// 1/ScaleDenominator (1, 2, 4 or 8). False, with the decoder's message, on failure.
bool DecodeJpeg(const std::string& data, QImage& out, AnsiString& error, int scaleDenominator = 1);
// The image compressed at Quality (1-100); greyscale when Grayscale. Empty on failure.
std::string EncodeJpeg(const QImage& image, int quality, bool grayscale, bool progressive,
                       AnsiString& error);
bool IsJpegData(const std::string& data);
