// Writes the sample demo shipped with the editor: a minute of a four-player deathmatch in
// a small arena, with items, movers, a laser, projectiles, sounds, temp entities, prints,
// the scoreboard and centerprints.
//
// Usage: make-sample-demo OUTPUT.dm2

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "fx/game_demo_builder.h"
#include "sample_options.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-demo OUTPUT.dm2\n");
        return 2;
    }
    const std::filesystem::path out = argv[1];

    const fx::GameDemoOptions options = SampleDemoOptions();

    // Written beside the target and renamed over it, so a failed run leaves no partial file.
    const std::filesystem::path temp = out.string() + ".part";
    try {
        fx::GameDemoBuilder builder(options);
        builder.WriteFile(temp);
        std::filesystem::rename(temp, out);
        const fx::GameDemoReport& r = builder.report();
        std::printf("%s: %zu blocks (%zu opening), %zu bytes, largest block %zu bytes\n",
                    out.string().c_str(), r.blocks, r.signonBlocks, r.fileBytes, r.largestBlock);
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        std::fprintf(stderr, "make-sample-demo: %s\n", e.what());
        return 1;
    }
    return 0;
}
