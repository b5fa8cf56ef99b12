// The names the preview's scene is built from: the map's base name, the player models and
// skins. Bad names from a demo are answered with a fallback, never read out of range.
#pragma once

#include <optional>
#include <string>
#include <vector>

// "maps/base1.bsp" gives "base1"; nothing for a name that is not maps/NAME.bsp (such a demo
// has no map the preview could load).
std::optional<std::string> MapBaseName(const std::string& model1);

// A player skin string "name\model/skin" as the preview reads it. A missing model gives
// "male", a missing skin or one containing "none" gives "cipher".
struct PlayerSkin {
    std::string model;
    std::string skin;
};
PlayerSkin ParsePlayerSkin(const std::string& skinString);

// The player models to register and what each player shows.
struct PlayerModelPlan {
    std::vector<std::string> models; // distinct model names, in order of first appearance
    struct Player {
        int modelNumber = 300; // 300 + the model's position in `models`
        std::string skinPath;  // "players/MODEL/SKIN.pcx"
    };
    std::vector<Player> players; // one per skin string, at most 64
};
// With no players: one model "male" and one player showing players/male/cipher.pcx.
PlayerModelPlan PlanPlayerModels(const std::vector<std::string>& skinStrings);
