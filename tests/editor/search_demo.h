// A demo with something for every search: prints, a centre print, a stufftext, a layout and
// sounds, and a match in the demo's last block.
#pragma once

#include "demo_bytes.h"

#include "demo/tresk_doc.h"

#include <string>
#include <vector>

namespace edtest {

// SampleDemo(12, 6): block 1 the serverdata with model "maps/sample1.bsp" and sounds 1
// "world/ambient.wav" and 2 "player/male/JUMP1.wav"; blocks 2 to 5 "signon <n>"; blocks 6 to 12
// a frame (message 1) and prints "b<n> m1", "b<n> m2" (messages 2, 3), then
//   block 7:  4 centerprint "Fraglimit hit", 5 sound 2
//   block 9:  4 stufftext "play misc/secret.wav\n", 5 layout "xv 0 string \"Rocket\""
//   block 10: 4 sound 2, 5 sound 1
//   block 12: 4 print "Grunt was blasted by a rocket\n"
inline std::vector<Bytes> SearchDemo() {
    std::vector<Bytes> blocks = SampleDemo(12, 6);
    const auto append = [&](uint32_t block, const Bytes& message) {
        Bytes& b = blocks[block - 1];
        b.insert(b.end(), message.begin(), message.end());
    };
    fx::Sound jump;
    jump.soundnum = 2;
    fx::Sound ambient;
    ambient.soundnum = 1;
    append(1, fx::Msg::ConfigString(kSoundBase + 1, "player/male/JUMP1.wav"));
    append(7, fx::Msg::CenterPrint("Fraglimit hit"));
    append(7, fx::Msg::Sound(jump));
    append(9, fx::Msg::StuffText("play misc/secret.wav\n"));
    append(9, fx::Msg::Layout("xv 0 string \"Rocket\""));
    append(10, fx::Msg::Sound(jump));
    append(10, fx::Msg::Sound(ambient));
    append(12, fx::Msg::Print(2, "Grunt was blasted by a rocket\n"));
    return blocks;
}

} // namespace edtest
