// The plain flash pictures and the flash list that puts them on the show's drops and breaks.
#include "base/data_file.h"
#include "lists/flash_row.h"
#include "vintra-gen/lists/list_writer.h"
#include "vintra-gen/pictures/canvas.h"
#include "vintra-gen/pictures/jpeg_encoder.h"
#include "vintra-gen/producers.h"
#include "vintra-gen/show_beats.h"

namespace gen {

void produceFlashes(OutputDirectory& out) {
    Canvas white(64, 64, {1.0f, 1.0f, 1.0f});
    Canvas black(64, 64, {0.0f, 0.0f, 0.0f});
    JpegEncoder::write(out, data::kFlashWhite.inDataSet(), white);
    JpegEncoder::write(out, data::kFlashBlack.inDataSet(), black);

    ListWriter<FlashRow> list;
    list.comment("start fade-in hold fade-out peak kind(1 black, 0 white) beats");
    list.comment("White flashes on the drops.");
    for (double drop : {beats::kFirstDrop, beats::kGraffitiStart, beats::kGraffitiEnd,
                        beats::kTowerEnd, beats::kMorphReturn}) {
        list.add({.start = drop, .fadeIn = 0, .hold = 0.25, .fadeOut = 3, .peak = 1.0});
    }
    list.comment("Short white hits every eighth beat while the character dances.");
    for (double b = beats::kFirstDrop + 8; b < beats::kGraffitiStart - 2; b += 8) {
        list.add({.start = b, .fadeIn = 0, .hold = 0, .fadeOut = 1, .peak = 0.45});
    }
    list.comment("Every fourth beat inside the graffiti window, softer.");
    for (double b = beats::kGraffitiStart + 4; b < beats::kGraffitiEnd; b += 4) {
        list.add({.start = b, .fadeIn = 0, .hold = 0, .fadeOut = 1.5, .peak = 0.3});
    }
    list.comment("The last eighth of the show hits every eighth beat again.");
    for (double b = 296; b < 360; b += 8) {
        list.add({.start = b, .fadeIn = 0, .hold = 0, .fadeOut = 1, .peak = 0.4});
    }
    list.comment("Black flashes on the breaks: before the drops, into and out of the tower.");
    for (double brk : {beats::kFirstDrop - 2, beats::kGraffitiStart - 2, beats::kGraffitiEnd - 2,
                       beats::kTowerStart - 2.0}) {
        list.add({.start = brk,
                  .fadeIn = 1,
                  .hold = 0.5,
                  .fadeOut = 0.5,
                  .peak = 1.0,
                  .kind = FlashRow::kBlack});
    }
    list.add({.start = beats::kTowerEnd - 3,
              .fadeIn = 2,
              .hold = 0.5,
              .fadeOut = 0.5,
              .peak = 1.0,
              .kind = FlashRow::kBlack});
    out.write(data::inDataSet(data::kFlashList.path), list.text());
}

}  // namespace gen
