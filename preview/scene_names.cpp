#include "preview/scene_names.h"

namespace {

constexpr size_t kMaxPlayers = 64;

// A name safe to put in a path: no directory steps, no separators.
bool PlainName(const std::string& s) {
    return !s.empty() && s.find_first_of("/\\") == std::string::npos && s != "." && s != "..";
}

} // namespace

std::optional<std::string> MapBaseName(const std::string& model1) {
    const std::string prefix = "maps/";
    const std::string suffix = ".bsp";
    if (model1.size() <= prefix.size() + suffix.size() || model1.compare(0, 5, prefix) != 0 ||
        model1.compare(model1.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return std::nullopt;
    }
    const size_t slash = model1.rfind('/');
    std::string base = model1.substr(slash + 1, model1.size() - suffix.size() - slash - 1);
    if (base.empty()) {
        return std::nullopt;
    }
    return base;
}

PlayerSkin ParsePlayerSkin(const std::string& skinString) {
    PlayerSkin result{"male", "cipher"};
    const size_t backslash = skinString.find('\\');
    if (backslash == std::string::npos) {
        return result;
    }
    const size_t slash = skinString.find('/', backslash + 1);
    const std::string model = skinString.substr(
        backslash + 1, slash == std::string::npos ? std::string::npos : slash - backslash - 1);
    if (PlainName(model)) {
        result.model = model;
    }
    if (slash != std::string::npos) {
        const std::string skin = skinString.substr(slash + 1);
        if (PlainName(skin) && skin.find("none") == std::string::npos) {
            result.skin = skin;
        }
    }
    return result;
}

PlayerModelPlan PlanPlayerModels(const std::vector<std::string>& skinStrings) {
    PlayerModelPlan plan;
    if (skinStrings.empty()) {
        plan.models.push_back("male");
        plan.players.push_back({300, "players/male/cipher.pcx"});
        return plan;
    }
    for (size_t k = 0; k < skinStrings.size() && k < kMaxPlayers; ++k) {
        const PlayerSkin skin = ParsePlayerSkin(skinStrings[k]);
        size_t m = 0;
        while (m < plan.models.size() && plan.models[m] != skin.model) {
            ++m;
        }
        if (m == plan.models.size()) {
            plan.models.push_back(skin.model);
        }
        plan.players.push_back(
            {300 + static_cast<int>(m), "players/" + skin.model + "/" + skin.skin + ".pcx"});
    }
    return plan;
}
