#include "image/texture_cache.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "image/test_images.h"
#include "support/gl_context.h"

using test_images::Rgb;
using test_images::TempFile;

namespace {

Rgb red(int, int) {
    return {250, 0, 0};
}

Rgb blue(int, int) {
    return {0, 0, 250};
}

// The first texel's red and blue.
std::pair<int, int> firstTexel(GLuint name) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint width = 0, height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<uint8_t> pixels(static_cast<size_t>(width * height) * 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return {pixels[0], pixels[2]};
}

class CountingLog : public Log {
public:
    void showMessage(const char* text, const char*) override { shown.push_back(text); }
    std::vector<std::string> shown;

protected:
    void writeLine(LineKind, const std::string&) override {}
};

TEST(TextureCacheGl, OneTexturePerFileWhateverThePathSaysFreedWithItsLastHolder) {
    TempFile file("cached.jpg", test_images::jpegBytes(16, 16, red));
    TempFile other("other.jpg", test_images::jpegBytes(16, 16, blue));
    const std::string filePath = file.path();
    const std::string roundabout =
        filePath.substr(0, filePath.rfind('/')) + "/./" + filePath.substr(filePath.rfind('/') + 1);
    TextureCache cache;
    auto first = cache.load(file.path(), TextureCache::Kind::Jpg);
    auto second = cache.load(roundabout.c_str(), TextureCache::Kind::Jpg);
    auto third = cache.load(other.path(), TextureCache::Kind::Jpg);
    ASSERT_NE(*first, 0u);
    EXPECT_EQ(*first, *second);
    EXPECT_NE(*first, *third);
    // Clamped edges are another texture of the same picture.
    auto clamped = cache.load(file.path(), TextureCache::Kind::Jpg, TextureCache::Wrap::Clamp);
    EXPECT_NE(*clamped, *first);
    glBindTexture(GL_TEXTURE_2D, *clamped);
    GLint wrap = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
    EXPECT_EQ(wrap, GL_CLAMP);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(cache.liveCount(), 3u);

    const GLuint name = *first;
    first.reset();
    EXPECT_TRUE(glIsTexture(name));
    second.reset();
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_EQ(cache.liveCount(), 2u);
}

TEST(TextureCacheGl, AFileThatFailsIsReportedOnceForAllItsHolders) {
    Log* saved = logWindow;
    CountingLog log;
    logWindow = &log;
    TextureCache cache;
    auto first = cache.load("no/such/picture.jpg", TextureCache::Kind::Jpg);
    auto second = cache.load("no/such/picture.jpg", TextureCache::Kind::Jpg);
    auto another = cache.load("no/such/other.jpg", TextureCache::Kind::Jpg);
    logWindow = saved;
    EXPECT_EQ(*first, 0u);
    EXPECT_EQ(*second, 0u);
    ASSERT_EQ(log.shown.size(), 2u);
    EXPECT_EQ(log.shown[0], "ERROR! Failed to load no/such/picture.jpg !");
    EXPECT_EQ(log.shown[1], "ERROR! Failed to load no/such/other.jpg !");
}

// A list reload loads its pictures again while the old rows still hold theirs: a picture
// changed on disk is read again, the unchanged one shared.
TEST(TextureCacheGl, AChangedPictureIsReadAgainWhileTheOldOneStaysWithItsHolders) {
    TempFile file("changing.jpg", test_images::jpegBytes(16, 16, red));
    TextureCache cache;
    auto before = cache.load(file.path(), TextureCache::Kind::Jpg);
    EXPECT_EQ(*cache.load(file.path(), TextureCache::Kind::Jpg), *before);

    file.write(test_images::jpegBytes(16, 16, blue));
    // A second later, as an editor's save would be, whatever the file system's resolution.
    struct stat info {};
    ASSERT_EQ(stat(file.path(), &info), 0);
    timespec times[2] = {info.st_atim, info.st_mtim};
    times[1].tv_sec += 1;
    ASSERT_EQ(utimensat(AT_FDCWD, file.path(), times, 0), 0);

    auto after = cache.load(file.path(), TextureCache::Kind::Jpg);
    ASSERT_NE(*after, 0u);
    EXPECT_NE(*after, *before);
    const auto [oldRed, oldBlue] = firstTexel(*before);
    const auto [newRed, newBlue] = firstTexel(*after);
    EXPECT_GT(oldRed, 200);
    EXPECT_LT(oldBlue, 50);
    EXPECT_LT(newRed, 50);
    EXPECT_GT(newBlue, 200);
}

}  // namespace
