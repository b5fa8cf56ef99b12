// Films as a folder of PNG pictures: NNNN.png for each block at the demo's rate, and
// NNNN-J.png (J = 0 for the block, 1.. on the way to the next) at higher rates. A film that
// does not finish takes its pictures away again.
#pragma once

#include "preview/film_sink.h"

#include <string>
#include <vector>

class PictureFolderSink : public FilmSink {
  public:
    explicit PictureFolderSink(std::string folder) : folder_(std::move(folder)) {}
    ~PictureFolderSink() override; // removes the pictures of an unfinished film
    PictureFolderSink(const PictureFolderSink&) = delete;
    PictureFolderSink& operator=(const PictureFolderSink&) = delete;
    // Makes the folder; false, with the reason, when it cannot.
    bool Start(std::string* whyNot);
    bool Write(const PreviewImage& picture, const FilmFrame& frame, std::string* whyNot) override;
    bool Finish(std::string*) override;
    size_t Written() const { return written_.size(); }

  private:
    std::string folder_;
    std::vector<std::string> written_;
    bool finished_ = false;
};
