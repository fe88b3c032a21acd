#include "vintra-gen/pictures/frame_sequences.h"

#include "vintra-gen/pictures/jpeg_encoder.h"

namespace gen {

void storeFrame(OutputDirectory& out, const std::string& path, Canvas& canvas) {
    canvas.clamp01();
    canvas.invert();
    JpegEncoder::write(out, path, canvas);
}

}  // namespace gen
