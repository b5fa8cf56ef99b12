#include "preview/selection_film.h"

#include "editor/tresk_view.h"
#include "preview/preview_driver.h"

FilmRequest SelectionFilmRequest(const CTreskView& view, const PreviewOptions& options, int fps) {
    FilmRequest request;
    request.first = view.CurrentBlockNumber();
    request.last = request.first + (view.SelectionCount() > 0 ? view.SelectionCount() - 1 : 0);
    request.width = options.width;
    request.height = options.height;
    request.fps = fps;
    return request;
}

FilmResult FilmSelection(CTreskView& view, CPreviewDriver& driver, const FilmRequest& request,
                         FilmSink& sink, const FilmProgress& progress, std::string* whyNot) {
    whyNot->clear();
    if (!view.HasCurrentBlock()) {
        *whyNot = "There is no block to film.";
        return FilmResult::Failed;
    }
    const bool wasOpen = driver.IsOpen();
    if (!wasOpen && !driver.OnPreview3d()) {
        return FilmResult::Failed;
    }
    const FilmResult result = RenderFilm(driver, request, sink, progress, whyNot);
    if (wasOpen) {
        driver.FeedCurrentBlock();
    } else {
        driver.Close();
    }
    return result;
}
