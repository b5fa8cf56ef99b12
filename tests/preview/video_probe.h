// Reading a video back with ffprobe: its picture count and size.
#pragma once

#include <string>

namespace pvtest {

struct VideoFacts {
    int width = 0;
    int height = 0;
    int frames = 0;
    std::string codec;
};

// The ffprobe program, or empty when the machine has none.
std::string FfprobeProgram();
// What ffprobe reads from `path`; false when it could not read it.
bool ProbeVideo(const std::string& path, VideoFacts& facts);
// Files in `folder`, hidden ones included.
int FilesIn(const std::string& folder);

} // namespace pvtest
