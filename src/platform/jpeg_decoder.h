// The JPEG decoder each build links under platform/jpeg.cpp: libjpeg-turbo on the desktop
// (jpeg_decoder.cpp), stb_image in the page (web/platform/jpeg_decoder.cpp). jpeg.cpp reads
// the source, applies the size limits and checks the DIB; a decoder only decodes bytes.
#pragma once

#include <cstddef>

#include "platform/jpeg.h"

namespace platform::jpeg_decoder {

// Reads the picture's header into jpgWidth, jpgHeight and jpgChannels, and how the file
// stores its colours into `color`; false when the bytes are no JPEG or are damaged.
bool readHeader(const unsigned char* bytes, size_t size, JpegProperties& properties,
                JpegColor& color);

// Decodes the whole picture into the DIB, whose size jpeg.cpp has checked against the
// header: Ok, Corrupt (any damage fails the decode, never a partly grey picture) or
// Unsupported (a colour layout the decoder cannot deliver in dibChannels).
JpegResult readRows(const unsigned char* bytes, size_t size, JpegProperties& properties);

}  // namespace platform::jpeg_decoder
