// The settings record in the per-user store: QSettings("Cinerad2", "Tresk") with the groups
// "Options" and "Pak Files" and the same value names the program has always used.
#pragma once

#include "demo/app_settings.h"

#include <string>
#include <vector>

// Where the game's data lives when nothing else is configured.
std::string DefaultQuake2Path();
// The editor's own archive: beside the program when it runs from its build folder, otherwise
// where the install rules put it.
std::string CineradPakPath();
// The pak list used when the store names none: the game's first archive, then the editor's.
std::vector<std::string> DefaultPakFiles();

enum class SettingsLoad {
    FirstRun, // no "Options"/"Gamma" stored: defaults for gamma and preview size only
    Loaded,   // every persisted value read; the pak list falls back to the defaults
};

// Fills the persisted fields of the record. On the first run only gamma (50) and the preview
// size (320 x 240) are set; the Quake 2 path and the pak list are left as they are.
SettingsLoad LoadSettings(AppSettings& settings);

// Writes gamma, the Quake 2 path, the preview size and the pak list ("Pak0" .. "Pak<n-1>").
// Pak values left over from a longer earlier list are removed, so that a pak file the person
// took out of the list does not come back at the next start.
void SaveSettings(const AppSettings& settings);
