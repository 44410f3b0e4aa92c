// BMP on Windows: the file mapped into memory whole, its headers checked as everywhere
// (bmp_source.cpp), and the pixels converted by the GDI: a 24-bit DIB section that
// SetDIBits fills from the source through its colour table, masks or run-length codes.
// The section is bottom-up, so rows stored top-down come out bottom-up too.
#include <windows.h>

#include <cstring>
#include <vector>

#include "assets/bmp_source.h"

namespace {

constexpr char kOutOfMemory[] = "Out of memory.";
constexpr char kConversionError[] = "Image file conversion error.";

Image* fail(const char* message) {
    reportDecoderError(message);
    return nullptr;
}

// The source's header as SetDIBits reads it: the 40-byte form (a core header
// converted), then the three masks of a bit-field source, then the colour table in
// 4-byte entries. An image size or colour count left at 0 is filled in: the colour
// count with the table's entries, the size of uncompressed rows with
// ((bits x width + 7) / 8) x height, and the size of run-length codes with what the
// file holds after the pixel offset (never more).
std::vector<unsigned char> sourceInfo(const BmpSource& src) {
    const std::size_t masks = src.compression == kBmpBitFields ? 3 : 0;
    std::vector<unsigned char> info(sizeof(BITMAPINFOHEADER) + (masks + src.entries) * 4, 0);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = static_cast<LONG>(src.width);
    header.biHeight = static_cast<LONG>(src.height);
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(src.bitCount);
    header.biCompression = src.compression;
    const bool runLength = src.compression == kBmpRle8 || src.compression == kBmpRle4;
    unsigned long long sizeImage = src.sizeImage;
    if (sizeImage == 0 && runLength) {
        // Run-length codes take what they take: an uncompressed size would cut them.
        sizeImage = src.pixelBytes;
    } else if (sizeImage == 0) {
        const long long rows = src.height > 0 ? src.height : -src.height;
        sizeImage = ((static_cast<unsigned long long>(src.bitCount) * src.width + 7) / 8) * rows;
    }
    if (runLength && sizeImage > src.pixelBytes) {
        sizeImage = src.pixelBytes;
    }
    header.biSizeImage = static_cast<DWORD>(sizeImage);
    header.biClrUsed = src.entries;
    header.biClrImportant = src.entries;
    std::memcpy(info.data(), &header, sizeof header);
    unsigned char* after = info.data() + sizeof header;
    for (std::size_t i = 0; i < masks; ++i, after += 4) {
        std::memcpy(after, &src.masks[i], 4);
    }
    for (unsigned i = 0; i < src.entries; ++i, after += 4) {
        std::memcpy(after, src.table + static_cast<std::size_t>(i) * src.entrySize, 3);
    }
    return info;
}

// The GDI conversion into a 24-bit bottom-up section, then the copy into RGB rows.
Image* convert(const BmpSource& src) {
    const int width = static_cast<int>(src.width);
    const int rows = static_cast<int>(src.height > 0 ? src.height : -src.height);
    const std::vector<unsigned char> info = sourceInfo(src);

    HDC context = CreateCompatibleDC(nullptr);
    if (context == nullptr) {
        return fail(kOutOfMemory);
    }
    BITMAPINFO target = {};
    target.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    target.bmiHeader.biWidth = width;
    target.bmiHeader.biHeight = rows;
    target.bmiHeader.biPlanes = 1;
    target.bmiHeader.biBitCount = 24;
    target.bmiHeader.biCompression = BI_RGB;
    target.bmiHeader.biSizeImage = static_cast<DWORD>(rows) * width * 3;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(context, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        DeleteDC(context);
        return fail(kOutOfMemory);
    }
    HGDIOBJ previous = SelectObject(context, section);
    if (previous == nullptr || previous == HGDI_ERROR) {
        DeleteObject(section);
        DeleteDC(context);
        return fail(kOutOfMemory);
    }
    const int converted =
        SetDIBits(context, section, 0, static_cast<UINT>(rows), src.pixels,
                  reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    GdiFlush();

    Image* image = nullptr;
    const char* message = nullptr;
    if (converted == 0) {
        message = kConversionError;
    } else if ((image = newImage(3, width, rows)) == nullptr) {
        message = kOutOfMemory;
    } else {
        // Rows of the section are bottom-up, B, G, R, padded by width mod 4 bytes.
        const unsigned char* in = static_cast<const unsigned char*>(bits);
        unsigned char* out = image->pixels;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < width; ++x, in += 3, out += 3) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            }
            in += width % 4;
        }
    }
    SelectObject(context, previous);
    DeleteObject(section);
    DeleteDC(context);
    if (message != nullptr) {
        return fail(message);
    }
    return image;
}

}  // namespace

Image* decodeBmpMemory(const unsigned char* data, std::size_t size, const char* fileName) {
    BmpSource src;
    if (!readBmpSource(data, size, fileName, src)) {
        return nullptr;
    }
    return convert(src);
}

Image* decodeBmp(const char* fileName) {
    if (!bmpFileOpens(fileName)) {
        return nullptr;
    }

    // The whole file mapped read-only; others may read it meanwhile.
    HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE mapping = nullptr;
    const unsigned char* view = nullptr;
    LARGE_INTEGER size = {};
    if (file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) <= kMaxImageBytes * 2) {
        mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (mapping != nullptr) {
            view =
                static_cast<const unsigned char*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
        }
    }
    Image* image = nullptr;
    if (view == nullptr) {
        char text[MAX_PATH + 64];
        wsprintfA(text, "Failed to open DIB file %.260s.\n", fileName);  // no longer than a path
        reportDecoderError(text);
    } else {
        image = decodeBmpMemory(view, static_cast<std::size_t>(size.QuadPart), fileName);
        UnmapViewOfFile(view);
    }
    if (mapping != nullptr) {
        CloseHandle(mapping);
    }
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    return image;
}
