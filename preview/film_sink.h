// Where a film's pictures go, one after the other: a video file or a folder of pictures.
#pragma once

#include "preview/preview_ports.h"

#include <cstdint>
#include <string>

struct FilmFrame {
    uint32_t block = 0; // the block it shows, or the one it is on the way from
    int step = 0;       // 0 for the block itself, 1.. for the pictures on the way to the next
    int steps = 1;      // pictures per block
};

class FilmSink {
  public:
    virtual ~FilmSink() = default;
    // False when the picture could not be taken; *whyNot then says why.
    virtual bool Write(const PreviewImage& picture, const FilmFrame& frame,
                       std::string* whyNot) = 0;
    // After the last picture: makes the result whole and puts it in place. False, with the
    // reason, when that failed; nothing is left behind then.
    virtual bool Finish(std::string* whyNot) = 0;
};
