#include "preview/video_writer.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pthread.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

const char* const kNoFfmpegText =
    "Videos are made with the ffmpeg program, which was not found. Install ffmpeg (or name "
    "the program in the CINERAD_FFMPEG environment variable), or write the pictures into a "
    "folder instead.";

namespace {

bool Runnable(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Extension(const std::string& path) {
    return Lower(std::filesystem::path(path).extension().string());
}

// Writes all of `size` bytes; false when the reader went away or the pipe failed. A reader that
// died raises SIGPIPE, which is held back here so it does not end the program.
bool WriteAll(int fd, const uint8_t* data, size_t size) {
    sigset_t pipeSignal;
    sigset_t before;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    bool ok = true;
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = false;
            if (errno == EPIPE) {
                const timespec now{};
                sigtimedwait(&pipeSignal, nullptr, &now);
            }
            break;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return ok;
}

} // namespace

std::string FindFfmpeg(const std::string& chosen) {
    std::string name = chosen;
    if (name.empty()) {
        const char* variable = std::getenv(kFfmpegVariable);
        name = variable != nullptr ? variable : "";
    }
    if (name.empty()) {
        name = "ffmpeg";
    }
    if (name.find('/') != std::string::npos) {
        return Runnable(name) ? name : std::string();
    }
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (Runnable(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

bool IsVideoPath(const std::string& path) {
    const std::string ext = Extension(path);
    return ext == ".mp4" || ext == ".mkv" || ext == ".mov" || ext == ".avi" || ext == ".webm";
}

VideoWriter::VideoWriter(VideoSettings settings) : settings_(std::move(settings)) {}

VideoWriter::~VideoWriter() {
    Abandon();
}

bool VideoWriter::Start(std::string* whyNot) {
    Abandon();
    failure_.clear();
    if (settings_.ffmpeg.empty()) {
        *whyNot = kNoFfmpegText;
        return false;
    }
    // The temporary file: hidden beside the output, with its extension, so ffmpeg picks the
    // same container and the rename stays on one file system.
    const std::filesystem::path out(settings_.path);
    const std::string ext = out.extension().string();
    const std::filesystem::path folder =
        out.parent_path().empty() ? std::filesystem::path(".") : out.parent_path();
    const std::string name = (folder / ("." + out.stem().string() + ".XXXXXX" + ext)).string();
    std::vector<char> pattern(name.begin(), name.end());
    pattern.push_back('\0');
    const int file = ::mkstemps(pattern.data(), static_cast<int>(ext.size()));
    if (file < 0) {
        *whyNot = "Cannot write beside " + settings_.path + ": " + std::strerror(errno) + ".";
        return false;
    }
    ::close(file);
    temporary_ = pattern.data();

    FILE* log = std::tmpfile();
    int pipeFds[2] = {-1, -1};
    if (log == nullptr || ::pipe2(pipeFds, O_CLOEXEC) != 0) {
        *whyNot = std::string("Cannot start ffmpeg: ") + std::strerror(errno) + ".";
        if (log != nullptr) {
            std::fclose(log);
        }
        Abandon();
        return false;
    }
    log_ = ::dup(fileno(log));
    std::fclose(log);

    const std::string size =
        std::to_string(settings_.width) + "x" + std::to_string(settings_.height);
    const std::string fps = std::to_string(settings_.fps);
    // The pictures' pixels are 0xAARRGGBB words.
    const char* pixels = std::endian::native == std::endian::little ? "bgra" : "argb";
    std::vector<std::string> args = {settings_.ffmpeg, "-hide_banner", "-loglevel", "error", "-y",
                                     "-f", "rawvideo", "-pixel_format", pixels, "-video_size", size,
                                     "-framerate", fps, "-i", "pipe:0", "-an",
                                     // 4:2:0 colour needs even sides.
                                     "-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-pix_fmt", "yuv420p"};
    const std::string lower = Lower(ext);
    if (lower == ".mp4" || lower == ".mov") {
        args.insert(args.end(), {"-movflags", "+faststart"});
    }
    args.push_back(temporary_);
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[0], STDIN_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, log_, STDERR_FILENO);
    // A process group of its own: Ctrl+C in a terminal reaches this program, which then stops
    // ffmpeg and removes the temporary file, instead of ffmpeg closing a half film itself.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    const int spawned = ::posix_spawn(&child_, settings_.ffmpeg.c_str(), &actions, &attributes,
                                      argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[0]);
    input_ = pipeFds[1];
    if (spawned != 0) {
        child_ = -1;
        *whyNot = "Cannot start " + settings_.ffmpeg + ": " + std::strerror(spawned) + ".";
        Abandon();
        return false;
    }
    return true;
}

bool VideoWriter::Write(const PreviewImage& picture, const FilmFrame&, std::string* whyNot) {
    if (input_ < 0) {
        *whyNot = "The video is not open.";
        return false;
    }
    if (picture.width != settings_.width || picture.height != settings_.height ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) {
        *whyNot = "A picture of the film is not " + std::to_string(settings_.width) + "x" +
                  std::to_string(settings_.height) + ".";
        return false;
    }
    if (!WriteAll(input_, reinterpret_cast<const uint8_t*>(picture.pixels.data()),
                  picture.pixels.size() * sizeof(uint32_t))) {
        std::string reason;
        ::close(input_);
        input_ = -1;
        Reap(&reason);
        failure_ = "ffmpeg stopped taking pictures." + (reason.empty() ? "" : " " + reason);
        *whyNot = failure_;
        Abandon();
        return false;
    }
    return true;
}

bool VideoWriter::Finish(std::string* whyNot) {
    if (child_ < 0) {
        *whyNot = failure_.empty() ? "The video is not open." : failure_;
        return false;
    }
    ::close(input_);
    input_ = -1;
    if (!Reap(whyNot)) {
        Abandon();
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(temporary_, settings_.path, ec);
    if (ec) {
        *whyNot = "Cannot put the video at " + settings_.path + ": " + ec.message() + ".";
        Abandon();
        return false;
    }
    temporary_.clear();
    Abandon(); // closes the log
    return true;
}

bool VideoWriter::Reap(std::string* whyNot) {
    if (child_ < 0) {
        return false;
    }
    int status = 0;
    pid_t done = -1;
    do {
        done = ::waitpid(child_, &status, 0);
    } while (done < 0 && errno == EINTR);
    child_ = -1;
    if (done < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        const std::string text = ErrorText();
        *whyNot = "ffmpeg failed" + (text.empty() ? std::string(".") : ": " + text);
        return false;
    }
    return true;
}

std::string VideoWriter::ErrorText() const {
    if (log_ < 0) {
        return {};
    }
    std::string text;
    char buffer[512];
    ssize_t n = 0;
    off_t at = 0;
    while ((n = ::pread(log_, buffer, sizeof buffer, at)) > 0) {
        text.append(buffer, static_cast<size_t>(n));
        at += n;
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text.size() > 400 ? text.substr(text.size() - 400) : text;
}

void VideoWriter::Abandon() {
    if (input_ >= 0) {
        ::close(input_);
        input_ = -1;
    }
    if (child_ >= 0) {
        ::kill(child_, SIGKILL);
        int status = 0;
        while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
        }
        child_ = -1;
    }
    if (!temporary_.empty()) {
        std::error_code ec;
        std::filesystem::remove(temporary_, ec);
        temporary_.clear();
    }
    if (log_ >= 0) {
        ::close(log_);
        log_ = -1;
    }
}
