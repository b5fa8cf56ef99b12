// A renderer host that keeps what the renderer prints instead of writing it out.
#pragma once

#include "orrery/cqrefapiimport.h"

#include <string>
#include <vector>

namespace orrery_test {

class RecordingHost : public CQRefApiImport {
  public:
    struct Line {
        int level;
        std::string text;
    };
    std::vector<Line> printed; // Con_Printf
    std::vector<Line> errors;  // Sys_Error

    void Con_Printf(int printLevel, const char* text) override {
        printed.push_back({printLevel, text});
    }
    void Sys_Error(int errLevel, const char* text) override { errors.push_back({errLevel, text}); }

    // The printed texts alone, in order.
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Line& line : printed)
            texts.push_back(line.text);
        return texts;
    }
};

// Finds a console variable in the host's list by its exact name.
inline cvar_t* FindCVar(const CQRefApiImport& host, const char* name) {
    for (cvar_t* record = host.GetCVarList(); record; record = record->next) {
        if (std::string(record->name) == name)
            return record;
    }
    return nullptr;
}

} // namespace orrery_test
