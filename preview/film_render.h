// Filming a run of blocks: the 3D preview draws each block, and for more than the demo's ten
// pictures a second the pictures on the way from each block to the next (see scene_lerp.h);
// every picture goes to a film sink.
#pragma once

#include "preview/film_sink.h"

#include <cstdint>
#include <functional>
#include <string>

class CPreviewDriver;

// The demo's own rate: one block is a tenth of a second.
constexpr int kBlockFps = 10;

struct FilmRequest {
    uint32_t first = 0; // blocks, inclusive
    uint32_t last = 0;
    int width = 320;
    int height = 240;
    int fps = kBlockFps; // a multiple of 10, at most 60
};

// A frame rate films can have: 10, 20, 30, 40, 50 or 60.
bool ValidFilmFps(int fps);
// How many pictures a film of `request` has: one per block at 10 a second, and for n times
// the rate n per block (the last block is held).
uint64_t FilmPictureCount(const FilmRequest& request);

enum class FilmResult { Written, Cancelled, Failed };

// Told the pictures done so far and the total after each one; false stops the film.
using FilmProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Films the blocks through `driver`, which must have its preview open; the renderer's clock
// is the film's time at each picture (picture / fps). On Written the sink is finished; otherwise
// nothing is finished and *whyNot says why (empty when cancelled). The preview is left showing the
// last block filmed.
FilmResult RenderFilm(CPreviewDriver& driver, const FilmRequest& request, FilmSink& sink,
                      const FilmProgress& progress, std::string* whyNot);
