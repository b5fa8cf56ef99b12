// The process-wide settings record: filled by the program at start-up, read by documents
// and the preview.
#pragma once

#include <string>
#include <vector>

struct AppSettings {
    std::string quake2Path;
    int gamma = 0;
    int previewWidth = 0;
    int previewHeight = 0;
    std::vector<std::string> pakFiles;
    bool useOpenGL = false;
    bool insideSelect = true;
    bool showIdsAsHex = false;
    bool deleteWithoutConfirmation = false;
    bool displayTriggerBrushes = true;
    // How many commands each open demo can undo.
    int undoDepth = 100;
};

// The one settings record of the process.
AppSettings& TheAppSettings();
