// Films to video files through the ffmpeg program: the pictures go to its standard input as
// raw 32-bit BGRA frames, and it encodes them into a temporary file beside the output, which
// is renamed over the output once ffmpeg finished well. A cancelled or failed film leaves
// nothing behind.
#pragma once

#include "preview/film_sink.h"

#include <cstdint>
#include <string>
#include <sys/types.h>

// The environment variable naming the ffmpeg program to run (a path, or a name looked up on
// PATH); without it, "ffmpeg".
constexpr const char* kFfmpegVariable = "CINERAD_FFMPEG";

// The ffmpeg program to run: `chosen` when not empty, else $CINERAD_FFMPEG, else "ffmpeg",
// found as the shell would (on PATH unless it names a folder). Empty when there is none that
// can be run.
std::string FindFfmpeg(const std::string& chosen = {});
// The text shown when no ffmpeg could be found.
extern const char* const kNoFfmpegText;

// The output names a video file (.mp4, .mkv, .mov, .avi or .webm) rather than a folder.
bool IsVideoPath(const std::string& path);

struct VideoSettings {
    std::string path;   // the video to write
    std::string ffmpeg; // the program, as FindFfmpeg gives it
    int width = 320;
    int height = 240;
    int fps = 10;
};

class VideoWriter : public FilmSink {
  public:
    explicit VideoWriter(VideoSettings settings);
    ~VideoWriter() override; // abandons an unfinished video
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // Starts ffmpeg on the temporary file. False, with the reason, when it could not.
    bool Start(std::string* whyNot);
    bool Write(const PreviewImage& picture, const FilmFrame& frame, std::string* whyNot) override;
    bool Finish(std::string* whyNot) override;
    // Stops ffmpeg and removes the temporary file; the output is left as it was.
    void Abandon();

    const std::string& TemporaryPath() const { return temporary_; }

  private:
    // Waits for ffmpeg; true when it exited with 0.
    bool Reap(std::string* whyNot);
    std::string ErrorText() const;

    VideoSettings settings_;
    std::string temporary_;
    pid_t child_ = -1;
    int input_ = -1;      // ffmpeg's standard input
    int log_ = -1;        // its standard error
    std::string failure_; // why ffmpeg went away while pictures were written
};
