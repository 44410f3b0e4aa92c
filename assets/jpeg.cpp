// JPEG through libjpeg's 6b interface with the standard error manager: a warning is
// printed once per file and decoding goes on; an error prints the library's message
// and ends the process with status 1. Both messages start with the file's name. Gray and YCbCr
// files come out as RGB; CMYK and YCCK files are converted to RGB here, so every image has 3
// components.
//
// Texture files come from the player's folder, so a file is refused, with one line on
// standard error and no image, before it can cost much: when its header declares more
// than a texture may hold, when it has more scans than any picture needs, or when the
// library would need more memory than it is allowed.

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include <jerror.h>

#include "assets/decoders.h"

namespace {

// The largest side a texture may have. The game's own pictures are at most 1024 wide
// and its window 800 x 600; 2048 leaves room for finer replacements while a picture,
// its mip-maps and the GL's copy of them stay well under 300 MB in all (at 4096 they
// already pass it; GL here would take 16384).
constexpr JDIMENSION kMaxTextureSide = 2048;
// A progressive file from an encoder has about 10 scans (6 for gray); every scan walks
// the whole picture, so a file of a hundred thousand empty scans takes seconds.
constexpr int kMaxScans = 100;
// libjpeg's own memory: a 2048 x 2048 four-component file buffered whole for its scans
// needs about 35 MiB.
constexpr long kLibraryMemoryBytes = 64L * 1024 * 1024;

// One decode: the library's state, what it made so far, and where a refusal returns.
struct JpegReader {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    void (*standardErrorExit)(j_common_ptr) = nullptr;
    const char* fileName = nullptr;
    Image* image = nullptr;
    std::jmp_buf refusal;
};

void sayRefused(const char* fileName, const char* why) {
    std::fprintf(stderr, "%s: not loaded: %s\n", fileName, why);
}

// The library's message on standard error, after the name of the file it is about.
void sayLibraryMessage(j_common_ptr common) {
    const JpegReader& reader = *static_cast<const JpegReader*>(common->client_data);
    char text[JMSG_LENGTH_MAX];
    (*common->err->format_message)(common, text);
    std::fprintf(stderr, "%s: %s\n", reader.fileName, text);
}

// Running out of the memory the library may use refuses the file; every other error
// goes the standard way: the library's message, then the end of the process.
void refuseOrExit(j_common_ptr common) {
    JpegReader& reader = *static_cast<JpegReader*>(common->client_data);
    const int code = common->err->msg_code;
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) {
        char text[JMSG_LENGTH_MAX];
        (*common->err->format_message)(common, text);
        sayRefused(reader.fileName, text);
        std::longjmp(reader.refusal, 1);
    }
    reader.standardErrorExit(common);
}

// Called before each piece of input is absorbed, so one scan past the limit at most.
void limitScans(j_common_ptr common) {
    const j_decompress_ptr info = reinterpret_cast<j_decompress_ptr>(common);
    if (info->input_scan_number > kMaxScans) {
        JpegReader& reader = *static_cast<JpegReader*>(common->client_data);
        char text[64];
        std::snprintf(text, sizeof text, "more than %i scans", kMaxScans);
        sayRefused(reader.fileName, text);
        std::longjmp(reader.refusal, 1);
    }
}

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

// The header and its checks, then the decode into reader.image, which stays nullptr
// when the file gives no image. May leave through a refusal.
void readPicture(JpegReader& reader) {
    jpeg_decompress_struct& info = reader.info;
    jpeg_read_header(&info, TRUE);

    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        info.out_color_space = JCS_CMYK;
    } else if (info.num_components == 1 || info.num_components == 3) {
        info.out_color_space = JCS_RGB;
    } else {
        return;  // a component layout the game cannot show
    }
    // Before anything is decoded: the start alone would buffer a progressive file whole.
    const unsigned long long bytes = 3ull * info.image_width * info.image_height;
    if (info.image_width > kMaxTextureSide || info.image_height > kMaxTextureSide ||
        bytes > imageByteLimit()) {
        char text[128];
        std::snprintf(text, sizeof text, "%u x %u pixels, more than a texture may have (%u x %u)",
                      info.image_width, info.image_height, kMaxTextureSide, kMaxTextureSide);
        sayRefused(reader.fileName, text);
        return;
    }
    jpeg_start_decompress(&info);

    if (info.output_components != (cmyk ? 4 : 3)) {
        return;
    }
    reader.image =
        newImage(3, static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    Image* image = reader.image;
    if (image == nullptr) {
        sayRefused(reader.fileName, "no memory for its pixels");
        return;
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
}

// readPicture behind the refusal point; false when the file was refused on the way.
// The jump skips only the library's frames and readPicture's, which own nothing.
bool readPictureOrRefuse(JpegReader& reader) {
    if (setjmp(reader.refusal) != 0) {
        return false;
    }
    readPicture(reader);
    return true;
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
    JpegReader reader;
    reader.fileName = fileName;
    reader.info.err = jpeg_std_error(&reader.errors);
    reader.standardErrorExit = reader.errors.error_exit;
    reader.errors.error_exit = refuseOrExit;
    reader.errors.output_message = sayLibraryMessage;
    reader.info.client_data = &reader;
    jpeg_create_decompress(&reader.info);
    reader.info.mem->max_memory_to_use = kLibraryMemoryBytes;
    reader.progress = jpeg_progress_mgr();
    reader.progress.progress_monitor = limitScans;
    reader.info.progress = &reader.progress;
    jpeg_stdio_src(&reader.info, file);

    if (!readPictureOrRefuse(reader)) {
        releaseImage(reader.image);
        reader.image = nullptr;
    }
    jpeg_destroy_decompress(&reader.info);
    std::fclose(file);
    return reader.image;
}
