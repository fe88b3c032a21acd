// Where the frame is drawn and where it is read back from. The window's own framebuffer
// (multisampled when the window was made so), or, off the screen, a framebuffer object
// whose colour, depth and stencil share one sample count. A multisampled picture cannot be
// read as it is: whatever reads it (a still, a recording, a copy into a texture) resolves
// it first into a plain framebuffer, which is where every read looks from then on.
#pragma once

#include <string>

#include "platform/pixel_rect.h"

namespace render {

// Draws the frames into a width × height framebuffer object with `samples` samples a
// pixel (1: one sample, through the same resolve). More samples than the driver offers
// become its most, said in `note`. False with the reason when the driver makes no such
// framebuffer: the window's framebuffer is drawn into as before.
bool drawPictureOffscreen(int width, int height, int samples, std::string& note);
// Draws into the window's own framebuffer, width × height pixels; when it has samples
// of its own, reads go through a plain framebuffer of its size.
void drawPictureInWindow(int width, int height);
// The drawable changed its size.
void resizePicture(int width, int height);
// Deletes the framebuffers while their context is still current.
void releasePicture();

// Samples a pixel of what the frame is drawn into: 0 for a plain framebuffer.
int pictureSamples();
// Resolves the picture (or the part of it given) for reading: glReadPixels and
// glCopyTexImage2D see it until the next resolve. Nothing to do for a plain window.
void resolvePicture();
void resolvePicture(const platform::PixelRect& area);

}  // namespace render
