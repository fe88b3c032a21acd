// What is still shared by the whole process, and why. Everything else a layer, a model or
// a camera draws from comes with the frame the show hands down (base/frame.h) or from the
// object that owns it; nothing below the show reads these to decide a picture, and a test
// (tests/show/frame_poison_gl_test.cpp) sets those a draw could reach to something else
// between two draws of the same frames to keep it so. A new entry needs a reason of the
// same kind.
//
// The process's GL and window, one of each:
//   render::gl::api (render/gl/gl_api.h): the GL entry points every draw call goes through,
//     filled once when the renderer is chosen (the system's GL or the GL ES layer), and the
//     two multitexture pointers beside it (render/gl_entry_points.h), filled by the loader.
//   stencilWrapAvailable (render/gl_entry_points.h): what the context offers, found when
//     the extensions are loaded; the shadow volumes count with it.
//   the window, its context and the display mode (platform/window.cpp, shell/main_window.cpp,
//     the letterbox in shell/gl_window.cpp): there is one, and it outlives a round (F1). In
//     the page, web/platform/ keeps the canvas's context, its events and the audio output
//     the same way: one of each per page.
//   the GL ES layer's context state (render/gles/): the state of the one context it stands
//     in for, as a driver keeps it.
//   TextureCache::shared() (image/texture_cache.h): one texture per picture file in that
//     context, shared by every holder; what it holds is the file, whatever the time.
//
// The process's devices and signals:
//   the sound library's state and the chosen output (platform/sound/, show/music.cpp):
//     one mixer, one device.
//   platform::clock() (platform/clock.h): the tick; only the show's clock reads it.
//   the signal guard (platform/interruption.cpp, platform/process.cpp): what a signal
//     handler may touch has to be static.
//
// The shell's, for the one run it drives:
//   the session (shell/main_loop.cpp): options, the round's objects, the transport.
//   music (show/music.h): the round's music stream; the shell positions and reports it,
//     and hands it to the show (Show::Setup), which is where the clock and the morph get it.
//   keys (base/keys.h): the key-state table the window's events fill; the shell and the
//     authoring keys are handed it.
//   shellLog (shell/log_window.h) and the extension loader's tables (shell/extensions.cpp).
//
// The log, which anything may write to:
//   logWindow and logEnabled (base/log.h), with the report hooks the shell installs
//     (DataProblem::teller, ListLines::reportSkipped): lines and message boxes, never a
//     picture. logEnabled also says whether the authors' keys and GL reports are live.
//
// Scratch that no draw reads back:
//   the shadow volume's buffers (objects/mesh.cpp): rebuilt by every volume drawn.
#pragma once
