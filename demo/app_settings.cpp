#include "app_settings.h"

AppSettings& TheAppSettings() {
    static AppSettings settings;
    return settings;
}
