// The options of the sample demo shipped with the editor, shared by the demo's generator and
// the generator of the game data fitted to it (share/sample.pak).
#pragma once

#include "fx/game_demo_builder.h"

inline fx::GameDemoOptions SampleDemoOptions() {
    fx::GameDemoOptions options;
    options.protocol = 34;
    options.frames = 600; // 60 seconds at 10 frames a second
    options.players = 4;
    options.entities = 24;
    options.seed = 1998;
    options.lateJoin = true; // the fourth player enters during play
    options.levelName = "Sample Arena";
    options.mapName = "sample1";
    options.playerNames = {"Vexa", "Brannock", "Tilde", "Osric"};
    return options;
}
