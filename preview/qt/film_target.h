// Where a film goes: a video made by ffmpeg, or a folder of PNG pictures.
#pragma once

#include "preview/film_render.h"
#include "preview/film_sink.h"

#include <memory>
#include <string>

// Starts the sink for a film of `request` at `target`: a video through the ffmpeg program
// `ffmpeg` (as FindFfmpeg gives it), or a folder of pictures when `ffmpeg` is empty. Null,
// with the reason, when it cannot start.
std::unique_ptr<FilmSink> StartFilmTarget(const std::string& target, const std::string& ffmpeg,
                                          const FilmRequest& request, std::string* whyNot);
