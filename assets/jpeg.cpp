// JPEG through libjpeg's 6b interface with the standard error manager: a warning is
// printed once per file and decoding goes on; an error prints the library's message
// and ends the process with status 1. Gray and YCbCr files come out as RGB; CMYK and
// YCCK files are converted to RGB here, so every image has 3 components.

#include <cstdio>

#include <jpeglib.h>

#include "assets/decoders.h"

namespace {

// Adobe writes CMYK inverted (0 = full ink); plain CMYK files are not inverted.
void cmykRowToRgb(const JSAMPLE* in, unsigned char* out, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[0] = static_cast<unsigned char>((c * k + 127) / 255);
        out[1] = static_cast<unsigned char>((m * k + 127) / 255);
        out[2] = static_cast<unsigned char>((y * k + 127) / 255);
    }
}

}  // namespace

Image* decodeJpeg(const char* fileName) {
    if (fileName == nullptr) {
        return nullptr;
    }
    FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        info.out_color_space = JCS_CMYK;
    } else if (info.num_components == 1 || info.num_components == 3) {
        info.out_color_space = JCS_RGB;
    } else {
        jpeg_destroy_decompress(&info);  // a component layout the game cannot show
        std::fclose(file);
        return nullptr;
    }
    jpeg_start_decompress(&info);

    Image* image = nullptr;
    const bool shapeOk = info.output_components == (cmyk ? 4 : 3);
    if (shapeOk && info.output_width <= 0x7FFFFFFFu && info.output_height <= 0x7FFFFFFFu) {
        image =
            newImage(3, static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    }
    if (image == nullptr) {
        jpeg_abort_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        return nullptr;
    }

    const std::size_t stride = static_cast<std::size_t>(image->width) * 3;
    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) {
        cmykRow = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                            info.output_width * 4, 1);
    }
    while (info.output_scanline < info.output_height) {
        // Scanline r (0 = top) goes to row height - 1 - r: the buffer is bottom-up.
        unsigned char* row =
            image->pixels + stride * (info.output_height - 1 - info.output_scanline);
        if (cmyk) {
            jpeg_read_scanlines(&info, cmykRow, 1);
            cmykRowToRgb(cmykRow[0], row, info.output_width, info.saw_Adobe_marker != 0);
        } else {
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&info, rows, 1);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
    return image;
}
