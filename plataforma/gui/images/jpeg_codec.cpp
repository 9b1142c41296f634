#include "plataforma/gui/images/jpeg_codec.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {

// Pictures larger than this are refused before any memory is taken for them.
constexpr long long kMaxPixels = 200LL * 1000 * 1000;

// libjpeg reports fatal errors by calling error_exit, which must not return: it jumps back
// to the function that made the call into the library. Only plain data lives in the frames
// between the jump and its target.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    std::vector<char>* message;
};

extern "C" void ErrorExit(j_common_ptr cinfo) {
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    e->message->assign(JMSG_LENGTH_MAX, '\0');
    (*cinfo->err->format_message)(cinfo, e->message->data());
    std::longjmp(e->jump, 1);
}

extern "C" void Silent(j_common_ptr) {}

void Install(jpeg_error_mgr* pub, ErrorManager& e, std::vector<char>& message) {
    jpeg_std_error(pub);
    pub->error_exit = ErrorExit;
    pub->output_message = Silent;
    e.message = &message;
}

AnsiString MessageOf(const std::vector<char>& m) {
    return AnsiString("JPEG error: ") + AnsiString(m.empty() ? "" : m.data());
}

bool StartDecoding(jpeg_decompress_struct* cinfo, ErrorManager* err, const unsigned char* data,
                   unsigned long size, int scale) {
    if (setjmp(err->jump)) return false;
    jpeg_mem_src(cinfo, data, size);
    jpeg_read_header(cinfo, TRUE);
    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    cinfo->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;
    cinfo->scale_num = 1;
    cinfo->scale_denom = static_cast<unsigned>(scale);
    jpeg_calc_output_dimensions(cinfo);
    if (static_cast<long long>(cinfo->output_width) * cinfo->output_height > kMaxPixels) {
        cinfo->err->msg_code = JERR_IMAGE_TOO_BIG;
        cinfo->err->msg_parm.i[0] = static_cast<int>(cinfo->output_width);
        (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
    }
    jpeg_start_decompress(cinfo);
    return true;
}

bool ReadRows(jpeg_decompress_struct* cinfo, ErrorManager* err, unsigned char* bits,
              long long stride) {
    if (setjmp(err->jump)) return false;
    const bool cmyk = cinfo->out_color_space == JCS_CMYK;
    JSAMPARRAY buffer = cmyk ? (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                           JPOOL_IMAGE, cinfo->output_width * 4, 1)
                             : nullptr;
    while (cinfo->output_scanline < cinfo->output_height) {
        unsigned char* row = bits + stride * cinfo->output_scanline;
        if (!cmyk) {
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(cinfo, rows, 1);
            continue;
        }
        jpeg_read_scanlines(cinfo, buffer, 1);
        // Adobe writes CMYK inverted; each channel times the black gives the colour.
        const bool inverted = cinfo->saw_Adobe_marker;
        for (unsigned x = 0; x < cinfo->output_width; ++x) {
            const unsigned char* p = buffer[0] + 4 * x;
            int c = p[0], m = p[1], y = p[2], k = p[3];
            if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
            row[4 * x + 0] = static_cast<unsigned char>(y * k / 255);
            row[4 * x + 1] = static_cast<unsigned char>(m * k / 255);
            row[4 * x + 2] = static_cast<unsigned char>(c * k / 255);
            row[4 * x + 3] = 255;
        }
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

bool Compress(jpeg_compress_struct* cinfo, ErrorManager* err, unsigned char** out,
              unsigned long* size, const unsigned char* bits, long long stride, int width,
              int height, bool grayscale, int quality, bool progressive) {
    if (setjmp(err->jump)) return false;
    jpeg_mem_dest(cinfo, out, size);
    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = grayscale ? 1 : 4;
    cinfo->in_color_space = grayscale ? JCS_GRAYSCALE : JCS_EXT_BGRA;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(cinfo);
    jpeg_start_compress(cinfo, TRUE);
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW rows[1] = {const_cast<unsigned char*>(bits + stride * cinfo->next_scanline)};
        jpeg_write_scanlines(cinfo, rows, 1);
    }
    jpeg_finish_compress(cinfo);
    return true;
}

} // namespace

bool IsJpegData(const std::string& data) {
    return data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xFF &&
           static_cast<unsigned char>(data[1]) == 0xD8 &&
           static_cast<unsigned char>(data[2]) == 0xFF;
}

bool DecodeJpeg(const std::string& data, QImage& out, AnsiString& error, int scaleDenominator) {
    if (data.empty()) {
        error = "JPEG error: empty file";
        return false;
    }
    const int scale = scaleDenominator == 2 || scaleDenominator == 4 || scaleDenominator == 8
                          ? scaleDenominator
                          : 1;
    std::vector<char> message;
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    Install(&err.pub, err, message);
    cinfo.err = &err.pub;
    jpeg_create_decompress(&cinfo);
    bool ok = StartDecoding(&cinfo, &err, reinterpret_cast<const unsigned char*>(data.data()),
                            static_cast<unsigned long>(data.size()), scale);
    if (ok) {
        QImage image(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                     QImage::Format_RGB32);
        if (image.isNull()) {
            const std::string oom = "not enough memory for the picture";
            message.assign(oom.c_str(), oom.c_str() + oom.size() + 1);
            ok = false;
        } else {
            ok = ReadRows(&cinfo, &err, image.bits(), image.bytesPerLine());
            if (ok) out = std::move(image);
        }
    }
    jpeg_destroy_decompress(&cinfo);
    if (!ok) error = MessageOf(message);
    return ok;
}

std::string EncodeJpeg(const QImage& image, int quality, bool grayscale, bool progressive,
                       AnsiString& error) {
    if (image.isNull()) {
        error = "JPEG error: empty image";
        return {};
    }
    const QImage src = grayscale ? image.convertToFormat(QImage::Format_Grayscale8)
                                 : image.convertToFormat(QImage::Format_RGB32);
    std::vector<char> message;
    jpeg_compress_struct cinfo;
    ErrorManager err;
    Install(&err.pub, err, message);
    cinfo.err = &err.pub;
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool ok =
        Compress(&cinfo, &err, &buffer, &size, src.constBits(), src.bytesPerLine(), src.width(),
                 src.height(), grayscale, std::clamp(quality, 1, 100), progressive);
    jpeg_destroy_compress(&cinfo);
    std::string result;
    if (ok && buffer) result.assign(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    if (!ok) error = MessageOf(message);
    return result;
}
