// The host's console variables.

#include "orrery/cqrefapiimport.h"

#include <charconv>
#include <cstring>

namespace {

// The console variables every host starts with, in creation order.
constexpr const char* kDefaultVars[][2] = {
    {"hostname", "unnamed"},
    {"vid_ref", "soft"},
    {"vid_xpos", "3.000000"},
    {"vid_ypos", "22.000000"},
    {"vid_fullscreen", "0.000000"},
    {"vid_gamma", "0.4"},
    {"win_noalttab", "0"},
    {"sw_stipplealpha", "0.000000"},
    {"r_lefthand", "0"},
    {"s_volume", "0.7"},
    {"s_sounddir", "sound"},
    {"s_khz", "22.000000"},
    {"s_loadas8bit", "0.000000"},
    {"s_mixahead", "0.2"},
    {"crosshair", "1"},
    {"cd_volume", "1.000000"},
    {"in_mouse", "1"},
    {"viewsize", "100"},
    {"cl_forwardspeed", "200"},
    {"cl_backspeed", "200"},
    {"freelook", "0"},
    {"lookspring", "0"},
    {"lookstrafe", "0"},
    {"sensitivity", "10.500000"},
    {"m_pitch", "0.022"},
    {"name", "unnamed"},
    {"rate", "25000"},
    {"msg", "1"},
    {"in_joystick", "0"},
    {"g_select_empty", "0"},
    {"sw_allow_modex", "1"},
    {"sw_mode", "0"},
};

char* CopyText(const char* text) {
    if (!text)
        text = "";
    const std::size_t size = std::strlen(text) + 1;
    char* copy = new char[size];
    std::memcpy(copy, text, size);
    return copy;
}

bool EqualsIgnoringAsciiCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        char ca = *a;
        char cb = *b;
        if (ca >= 'A' && ca <= 'Z')
            ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z')
            cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb)
            return false;
        if (ca == 0)
            return true;
    }
}

// The number a value text stands for, read as "%f" reads it (leading blanks and
// a sign allowed) but independent of the process locale, so "0.4" is 0.4 even
// where the decimal mark is a comma. A text that is not a number gives 0.
float ReadNumber(const char* text) {
    if (!text)
        return 0.0f;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    if (*text == '+')
        ++text;
    float value = 0.0f;
    const auto result = std::from_chars(text, text + std::strlen(text), value);
    return result.ec == std::errc() ? value : 0.0f;
}

} // namespace

void CQRefApiImport::InitVars() {
    for (const auto& pair : kDefaultVars)
        CQRefApiImport::CVar_Set(pair[0], pair[1]);
}

void CQRefApiImport::DeleteCVar(cvar_s* record) {
    while (record) {
        cvar_s* next = record->next;
        delete[] record->name;
        delete[] record->string;
        delete[] record->latched_string;
        delete record;
        record = next;
    }
}

cvar_s* CQRefApiImport::CVar_Get(const char* name, const char* value, int flags) {
    if (!name)
        return nullptr;
    for (cvar_s* record = m_pCVars; record; record = record->next) {
        if (EqualsIgnoringAsciiCase(record->name, name)) {
            record->flags |= flags;
            return record;
        }
    }
    auto* record = new cvar_s{};
    record->name = CopyText(name);
    record->string = CopyText(value);
    record->latched_string = nullptr;
    record->flags = flags;
    record->modified = 1;
    record->value = ReadNumber(record->string);
    record->next = m_pCVars;
    m_pCVars = record;
    return record;
}

cvar_s* CQRefApiImport::CVar_Set(const char* name, const char* value) {
    cvar_s* record = CVar_Get(name, value, 0);
    if (!record)
        return nullptr;
    char* text = CopyText(value);
    delete[] record->string;
    record->string = text;
    record->value = ReadNumber(text);
    return record;
}

void CQRefApiImport::CVar_Set(const char* name, float value) {
    // "%f" of the value, written with '.' whatever the process locale.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text - 1, static_cast<double>(value),
                                      std::chars_format::fixed, 6);
    *result.ptr = '\0';
    CVar_Set(name, text);
}
