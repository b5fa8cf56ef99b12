// tresk-cli render: pictures of blocks as the 3D preview shows them (the recorded camera),
// drawn by the renderer plug-in through the preview driving, on Qt's offscreen platform.
#include "render_command.h"

#include "cli_document.h"
#include "edit_session.h"
#include "preview/preview_driver.h"
#include "qt_preview_window.h"

#include "orrery/cqrefapiimport.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>

const char* const kRenderUsage =
    "usage: tresk-cli render IN OUTDIR --blocks A-B [--size WxH] [--pak FILE]...\n"
    "                        [--quake2 DIR] [--renderer FILE]\n"
    "  writes OUTDIR/NNNN.png for each block A to B as the 3D preview shows it\n"
    "  --size      picture size, 64x64 to 1024x768 (default 320x240)\n"
    "  --pak       pak archives the renderer reads the map and models from, in order\n"
    "  --quake2    the game folder: its baseq2 folder and its ref_soft.so\n"
    "  --renderer  the renderer library to use (default: ref_soft.so in the game folder,\n"
    "              then beside tresk-cli)\n";

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
    const QString outDir = QString::fromStdString(positional[1]);
    if (!QDir().mkpath(outDir)) {
        std::cerr << "tresk-cli render: cannot make the folder " << positional[1] << "\n";
        return 1;
    }

    QtPreviewWindowFactory factory;
    NoTimers timers;
    CPreviewDriver driver(*session.view, factory, timers, nullptr);
    driver.SetOptions(options);
    if (!driver.OnPreview3d()) {
        return 1; // the reason is on standard error
    }
    int written = 0;
    for (uint32_t n = first; n <= last; ++n) {
        const QImage picture = ToQImage(driver.RenderBlock(n, options.width, options.height));
        char file[16];
        std::snprintf(file, sizeof file, "%04u.png", n);
        const QString path = QDir(outDir).filePath(QString::fromLatin1(file));
        if (picture.isNull() || !picture.save(path, "PNG")) {
            std::cerr << "tresk-cli render: block " << n << " could not be written to "
                      << path.toStdString() << "\n";
            return 1;
        }
        ++written;
    }
    std::cerr << written << (written == 1 ? " picture" : " pictures") << " written to "
              << positional[1] << "\n";
    return 0;
}
