#include "base/picture_keeping.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Pictures as a count of pieces: `missing` of `pieces` are not loaded.
struct PicturedLayer : Layer {
    int pieces;
    int missing = 0;
    explicit PicturedLayer(int count) : pieces(count) {}
    void draw(const Frame&) override {}
    bool unload() override {
        const bool held = missing < pieces;
        missing = pieces;
        return held;
    }
    bool loadNext() override {
        if (missing == 0) {
            return false;
        }
        --missing;
        return true;
    }
};

// Two lines: a flip-book with a window at 10–20 and another at 40–50, and a tag at 30–38.
struct Show {
    PicturedLayer flipBook{3};
    PicturedLayer tag{1};
    std::array<Timeline, 2> lines;
    Show() {
        lines[0].add(10, 20, &flipBook);
        lines[0].add(40, 50, &flipBook);
        lines[1].add(30, 38, &tag);
    }
    bool at(double t, bool mayLoad = true) { return keepPicturesAround(lines, t, 4.0, mayLoad); }
};

TEST(PictureKeeping, LayersLetGoOutsideTheirEntriesAndComeBackAPiecePerFrameSoonestFirst) {
    Show show;
    // Before anything is near, both let go (and say so once).
    EXPECT_TRUE(show.at(0));
    EXPECT_FALSE(show.at(1));
    EXPECT_EQ(show.flipBook.missing, 3);
    EXPECT_EQ(show.tag.missing, 1);

    // Within the lead of the flip-book's first entry: one piece a frame, none when not allowed.
    show.at(6, false);
    EXPECT_EQ(show.flipBook.missing, 3);
    for (int frame = 0; frame < 3; ++frame) {
        show.at(6 + frame * 0.1);
    }
    EXPECT_EQ(show.flipBook.missing, 0);
    EXPECT_EQ(show.tag.missing, 1);

    // Held through its entry, up to its end.
    show.at(20);
    EXPECT_EQ(show.flipBook.missing, 0);

    // Between its entries and out of the lead of the next: let go, though drawn again later.
    EXPECT_TRUE(show.at(20.5));
    EXPECT_EQ(show.flipBook.missing, 3);

    // Where both are near, the sooner entry (the tag's) loads first.
    show.at(36.5);
    EXPECT_EQ(show.tag.missing, 0);
    EXPECT_EQ(show.flipBook.missing, 3);
    show.at(36.6);
    EXPECT_EQ(show.flipBook.missing, 2);

    // Past the tag's entry: let go, while the flip-book keeps what it has.
    EXPECT_TRUE(show.at(38.1));
    EXPECT_EQ(show.tag.missing, 1);
    EXPECT_EQ(show.flipBook.missing, 1);
}

}  // namespace
