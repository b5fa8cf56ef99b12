#include "preview/film_render.h"

#include "preview/preview_driver.h"
#include "preview/scene_lerp.h"

bool ValidFilmFps(int fps) {
    return fps >= kBlockFps && fps <= 6 * kBlockFps && fps % kBlockFps == 0;
}

uint64_t FilmPictureCount(const FilmRequest& request) {
    if (request.last < request.first || !ValidFilmFps(request.fps)) {
        return 0;
    }
    return (static_cast<uint64_t>(request.last) - request.first + 1) *
           static_cast<uint64_t>(request.fps / kBlockFps);
}

namespace {

class Filming {
  public:
    Filming(CPreviewDriver& driver, const FilmRequest& request, FilmSink& sink,
            const FilmProgress& progress, std::string* whyNot)
        : driver_(driver), request_(request), sink_(sink), progress_(progress), whyNot_(whyNot),
          steps_(request.fps / kBlockFps), total_(FilmPictureCount(request)) {}

    FilmResult Run() {
        if (total_ == 0) {
            *whyNot_ = "Nothing to film: the blocks or the frame rate are out of range.";
            return FilmResult::Failed;
        }
        if (!driver_.ShowBlock(request_.first)) {
            *whyNot_ = "The 3D preview cannot show block " + std::to_string(request_.first) + ".";
            return FilmResult::Failed;
        }
        PreviewScene scene = driver_.Scene();
        for (uint32_t n = request_.first;; ++n) {
            if (FilmResult r = Take({n, 0, steps_}); r != FilmResult::Written) {
                return r;
            }
            if (n == request_.last) {
                break;
            }
            if (!driver_.ShowBlock(n + 1)) {
                *whyNot_ = "The 3D preview cannot show block " + std::to_string(n + 1) + ".";
                return FilmResult::Failed;
            }
            const PreviewScene next = driver_.Scene();
            if (steps_ > 1) {
                for (int j = 1; j < steps_; ++j) {
                    driver_.ShowScene(LerpScene(scene, next, static_cast<float>(j) / steps_));
                    if (FilmResult r = Take({n, j, steps_}); r != FilmResult::Written) {
                        return r;
                    }
                }
                driver_.ShowScene(next);
            }
            scene = next;
        }
        // The last block has no next one to move towards: it is held.
        for (int j = 1; j < steps_; ++j) {
            if (FilmResult r = Take({request_.last, j, steps_}); r != FilmResult::Written) {
                return r;
            }
        }
        return sink_.Finish(whyNot_) ? FilmResult::Written : FilmResult::Failed;
    }

  private:
    FilmResult Take(const FilmFrame& frame) {
        // The renderer's clock (sky rotation, water) follows the film's own time.
        driver_.HoldClock(static_cast<float>(done_) / static_cast<float>(request_.fps));
        const PreviewImage picture = driver_.Grab(request_.width, request_.height);
        if (picture.Empty()) {
            *whyNot_ = "The 3D preview drew nothing for block " + std::to_string(frame.block) + ".";
            return FilmResult::Failed;
        }
        if (!sink_.Write(picture, frame, whyNot_)) {
            return FilmResult::Failed;
        }
        ++done_;
        if (progress_ && !progress_(done_, total_)) {
            whyNot_->clear();
            return FilmResult::Cancelled;
        }
        return FilmResult::Written;
    }

    CPreviewDriver& driver_;
    const FilmRequest& request_;
    FilmSink& sink_;
    const FilmProgress& progress_;
    std::string* whyNot_;
    const int steps_;
    const uint64_t total_;
    uint64_t done_ = 0;
};

} // namespace

FilmResult RenderFilm(CPreviewDriver& driver, const FilmRequest& request, FilmSink& sink,
                      const FilmProgress& progress, std::string* whyNot) {
    std::string ignored;
    const FilmResult result =
        Filming(driver, request, sink, progress, whyNot != nullptr ? whyNot : &ignored).Run();
    driver.ReleaseClock();
    return result;
}
