#include "editor/time_index.h"

#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr uint32_t kTenthsPerSecond = 10;
constexpr uint32_t kSecondsPerMinute = 60;
constexpr uint32_t kMaxMinutes = 100000;

// Digits only, at most 9 of them.
std::optional<uint32_t> Digits(const std::string& text) {
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    uint32_t v = 0;
    for (char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return std::nullopt;
        }
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    return v;
}

} // namespace

std::optional<uint32_t> ParseTimeIndex(const std::string& input) {
    std::string text = input;
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.pop_back();
    }
    size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start])) != 0) {
        ++start;
    }
    text = text.substr(start);
    uint32_t minutes = 0;
    const size_t colon = text.find(':');
    if (colon != std::string::npos) {
        auto m = Digits(text.substr(0, colon));
        if (!m || *m > kMaxMinutes) {
            return std::nullopt;
        }
        minutes = *m;
        text = text.substr(colon + 1);
    }
    uint32_t tenths = 0;
    const size_t dot = text.find('.');
    if (dot != std::string::npos) {
        auto t = Digits(text.substr(dot + 1));
        if (!t || text.size() - dot - 1 != 1) {
            return std::nullopt; // one digit of tenths
        }
        tenths = *t;
        text = text.substr(0, dot);
    }
    auto seconds = Digits(text);
    // Below a minute when minutes are given; any number of seconds alone.
    if (!seconds || (colon != std::string::npos && *seconds >= kSecondsPerMinute) ||
        *seconds > kMaxMinutes * kSecondsPerMinute) {
        return std::nullopt;
    }
    return (minutes * kSecondsPerMinute + *seconds) * kTenthsPerSecond + tenths;
}

std::string FormatTimeIndex(uint32_t tenths) {
    const uint32_t seconds = tenths / kTenthsPerSecond;
    std::string mm = std::to_string(seconds / kSecondsPerMinute);
    std::string ss = std::to_string(seconds % kSecondsPerMinute);
    if (mm.size() < 2) {
        mm.insert(0, "0");
    }
    if (ss.size() < 2) {
        ss.insert(0, "0");
    }
    return mm + ":" + ss + "." + std::to_string(tenths % kTenthsPerSecond);
}

uint32_t BlockAtTime(const CTreskDoc& doc, uint32_t tenths, uint32_t* frames) {
    uint32_t seen = 0;
    uint32_t found = 0;
    uint32_t n = 1;
    for (const DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next, ++n) {
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            const auto* f = MessageCast<FrameMessage>(m);
            if (f == nullptr || !f->complete) {
                continue;
            }
            if (seen <= tenths) {
                found = n;
            }
            ++seen;
        }
    }
    if (frames != nullptr) {
        *frames = seen;
    }
    return found;
}

void JumpToTimeIndex(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    TextEntryDlgData data;
    data.prompt = "Jump to time (mm:ss.t)";
    data.text = "00:00.0";
    if (!view.GetUi().RunTextEntryDlg(data)) {
        return;
    }
    const std::optional<uint32_t> tenths = ParseTimeIndex(data.text);
    if (!tenths) {
        view.GetUi().ShowMessage("\"" + data.text +
                                 "\" is not a time: type minutes, seconds and tenths as mm:ss.t.");
        return;
    }
    uint32_t frames = 0;
    const uint32_t block = BlockAtTime(view.Document(), *tenths, &frames);
    if (block == 0) {
        view.GetUi().ShowMessage("The demo holds no frames of play.");
        return;
    }
    if (*tenths >= frames) {
        view.GetUi().ShowMessage("The demo is only " + FormatTimeIndex(frames - 1) +
                                 " long: going to its last frame.");
    }
    view.ApplyMessagePage();
    view.ShowPlace({block, 1, 1});
    view.GetUi().ShowStatus("Went to " + FormatTimeIndex(std::min(*tenths, frames - 1)) +
                            ", block " + std::to_string(block));
}
