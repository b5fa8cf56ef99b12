#include "film_target.h"

#include "picture_folder_sink.h"
#include "preview/video_writer.h"

std::unique_ptr<FilmSink> StartFilmTarget(const std::string& target, const std::string& ffmpeg,
                                          const FilmRequest& request, std::string* whyNot) {
    if (ffmpeg.empty()) {
        auto folder = std::make_unique<PictureFolderSink>(target);
        if (!folder->Start(whyNot)) {
            return nullptr;
        }
        return folder;
    }
    auto writer = std::make_unique<VideoWriter>(
        VideoSettings{target, ffmpeg, request.width, request.height, request.fps});
    if (!writer->Start(whyNot)) {
        return nullptr;
    }
    return writer;
}
