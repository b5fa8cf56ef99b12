// tresk-cli render: a film of blocks as the 3D preview shows them (the recorded camera), drawn
// by the renderer plug-in through the preview driving, on Qt's offscreen platform: a video
// through ffmpeg, or a folder of PNG pictures.
#include "render_command.h"

#include "cli_document.h"
#include "edit_session.h"
#include "film_target.h"
#include "preview/film_render.h"
#include "preview/preview_driver.h"
#include "preview/video_writer.h"
#include "qt_preview_window.h"

#include "orrery/cqrefapiimport.h"

#include <QApplication>

#include <charconv>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <memory>

const char* const kRenderUsage =
    "usage: tresk-cli render IN OUT --blocks A-B [--size WxH] [--fps N] [--pak FILE]...\n"
    "                        [--quake2 DIR] [--renderer FILE] [--ffmpeg PROGRAM]\n"
    "  films blocks A to B as the 3D preview shows them: OUT ending in .mp4, .mkv, .mov,\n"
    "  .avi or .webm is a video made with ffmpeg; any other OUT is a folder of pictures,\n"
    "  NNNN.png per block (NNNN-J.png above 10 fps)\n"
    "  --size      picture size, 64x64 to 1024x768 (default 320x240)\n"
    "  --fps       10 (the demo's own rate, the default), 20, 30, 40, 50 or 60: the pictures\n"
    "              between blocks move entities and camera part of the way\n"
    "  --pak       pak archives the renderer reads the map and models from, in order\n"
    "  --quake2    the game folder: its baseq2 folder and its ref_soft.so\n"
    "  --renderer  the renderer library to use (default: ref_soft.so in the game folder,\n"
    "              then beside tresk-cli)\n"
    "  --ffmpeg    the ffmpeg program (default: $CINERAD_FFMPEG, else ffmpeg on PATH)\n";

namespace {

// The timers never tick: rendering moves block by block itself.
class NoTimers : public PreviewTimers {
  public:
    void Start(int, int) override {}
    void Stop(int) override {}
};

bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    auto [e1, c1] = std::from_chars(text.data(), text.data() + x, width);
    auto [e2, c2] = std::from_chars(text.data() + x + 1, text.data() + text.size(), height);
    return c1 == std::errc() && c2 == std::errc() && e1 == text.data() + x &&
           e2 == text.data() + text.size() && width >= 64 && width <= 1024 && height >= 64 &&
           height <= 768;
}

// Ctrl+C or a termination request while filming: the film stops and its temporary file goes.
volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) {
    g_interrupted = 1;
}

std::string ProgramDir() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

} // namespace

int RunRender(const std::vector<std::string>& args) {
    std::vector<std::string> positional;
    std::vector<std::string> paks;
    std::string blocks;
    std::string ffmpeg;
    int fps = kBlockFps;
    PreviewOptions options;
    options.quake2Path = "/usr/share/games/quake2";
    options.programDir = ProgramDir();
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--blocks" && hasValue) {
            blocks = args[++i];
        } else if (a == "--size" && hasValue) {
            if (!ParseSize(args[++i], options.width, options.height)) {
                std::cerr << "tresk-cli render: bad size \"" << args[i] << "\"\n" << kRenderUsage;
                return 2;
            }
        } else if (a == "--fps" && hasValue) {
            const std::string& text = args[++i];
            auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), fps);
            if (ec != std::errc() || end != text.data() + text.size() || !ValidFilmFps(fps)) {
                std::cerr << "tresk-cli render: bad frame rate \"" << text << "\"\n"
                          << kRenderUsage;
                return 2;
            }
        } else if (a == "--ffmpeg" && hasValue) {
            ffmpeg = args[++i];
        } else if (a == "--pak" && hasValue) {
            paks.push_back(args[++i]);
        } else if (a == "--quake2" && hasValue) {
            options.quake2Path = args[++i];
        } else if (a == "--renderer" && hasValue) {
            options.library = args[++i];
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "tresk-cli render: unknown option " << a << "\n" << kRenderUsage;
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    uint32_t first = 0;
    uint32_t last = 0;
    if (positional.size() != 2 || !ParseRange(blocks, first, last)) {
        std::cerr << kRenderUsage;
        return 2;
    }

    // Without ffmpeg no video can be made: said before anything is drawn.
    const std::string& out = positional[1];
    const bool video = IsVideoPath(out);
    std::string program; // empty: a folder of pictures
    if (video) {
        program = FindFfmpeg(ffmpeg);
        if (program.empty()) {
            std::cerr << "tresk-cli render: " << kNoFfmpegText << "\n";
            return 1;
        }
    }

    // Nothing is shown on a screen: the preview window lives on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "tresk-cli";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QApplication> app;
    if (QCoreApplication::instance() == nullptr) {
        app = std::make_unique<QApplication>(argc, argv);
    }

    EditSession session;
    if (!session.Open(positional[0])) {
        return 1;
    }
    if (last > session.doc->blockCount) {
        std::cerr << "tresk-cli render: the demo has " << session.doc->blockCount << " blocks\n";
        return 1;
    }
    CQRefApiImport::AddPakFiles(paks);

    QtPreviewWindowFactory factory;
    NoTimers timers;
    CPreviewDriver driver(*session.view, factory, timers, nullptr);
    driver.SetOptions(options);
    if (!driver.OnPreview3d()) {
        return 1; // the reason is on standard error
    }

    FilmRequest request;
    request.first = first;
    request.last = last;
    request.width = options.width;
    request.height = options.height;
    request.fps = fps;
    std::string whyNot;
    const std::unique_ptr<FilmSink> sink = StartFilmTarget(out, program, request, &whyNot);
    if (!sink) {
        std::cerr << "tresk-cli render: " << whyNot << "\n";
        return 1;
    }
    g_interrupted = 0;
    auto* const oldInt = std::signal(SIGINT, OnInterrupt);
    auto* const oldTerm = std::signal(SIGTERM, OnInterrupt);
    const FilmResult result = RenderFilm(
        driver, request, *sink, [](uint64_t, uint64_t) { return g_interrupted == 0; }, &whyNot);
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    if (result == FilmResult::Cancelled) {
        std::cerr << "tresk-cli render: interrupted; " << out << " was not written\n";
        return 1;
    }
    if (result != FilmResult::Written) {
        std::cerr << "tresk-cli render: " << whyNot << "\n";
        return 1;
    }
    const uint64_t pictures = FilmPictureCount(request);
    std::cerr << pictures << (pictures == 1 ? " picture" : " pictures") << " written to " << out
              << "\n";
    return 0;
}
