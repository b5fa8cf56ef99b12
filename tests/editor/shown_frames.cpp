#include "shown_frames.h"

#include "demo/frame_timeline.h"

#include <gtest/gtest.h>

namespace edtest {

std::map<int, ShownFrame> ShownFramesOf(const Bytes& saved) {
    auto again = LoadFile(saved);
    again->DecodeAll();
    for (const DecodeProblem& p : again->Problems()) {
        ADD_FAILURE() << "saved demo, block " << p.block << ": " << p.text;
    }
    std::map<int, ShownFrame> frames;
    FrameTimeline timeline;
    for (const DemoBlock* b = again->FirstBlock(); b != nullptr; b = b->next) {
        int n = -1;
        std::vector<std::string> commands;
        std::vector<std::string> prints;
        for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            timeline.Apply(*m);
            if (const auto* text = MessageCast<TextMessage>(m); text && m->type == svc_stufftext) {
                commands.push_back(text->text);
            }
            if (const auto* print = MessageCast<PrintMessage>(m)) {
                prints.push_back(print->text);
            }
            const auto* f = MessageCast<FrameMessage>(m);
            if (f != nullptr && f->complete && n < 0) {
                n = FramePlayer(*f)->state.stats[1];
                frames[n] = {FramePlayer(*f)->state, timeline.Shown(), {}, {}};
            }
        }
        if (n >= 0) {
            frames[n].commands = commands;
            frames[n].prints = prints;
        }
    }
    return frames;
}

std::optional<EntityState> EntityIn(const ShownFrame& frame, uint16_t number) {
    for (const EntityState& e : frame.entities) {
        if (e.number == number) {
            return e;
        }
    }
    return std::nullopt;
}

} // namespace edtest
