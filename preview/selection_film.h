// Render Selection to Video: the view's selection filmed through its 3D preview, which opens
// for the film when it is closed and closes again after it. The current block and the
// selection stay as they were.
#pragma once

#include "preview/film_render.h"
#include "preview/preview_driver.h"

class CTreskView;

// The film request for the view's selection at `fps`, the pictures the preview's size.
FilmRequest SelectionFilmRequest(const CTreskView& view, const PreviewOptions& options, int fps);

// Films `request` into `sink`. When the preview cannot open, the driving has told the person
// why and *whyNot is empty.
FilmResult FilmSelection(CTreskView& view, CPreviewDriver& driver, const FilmRequest& request,
                         FilmSink& sink, const FilmProgress& progress, std::string* whyNot);
