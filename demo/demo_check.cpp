#include "demo_check.h"

#include "codec.h"

#include <algorithm>

namespace {

// A run of shown frames whose field of view the game cannot draw: reported once, at its
// first frame.
struct FovRun {
    uint32_t block = 0;
    int32_t frame = 0;
    int fov = 0;
    uint32_t framesAfter = 0;
    uint32_t lastBlock = 0;
};

class RecordWalk {
  public:
    explicit RecordWalk(std::vector<DecodeProblem>& out) : out_(out) {}

    void Block(const DemoBlock& b, uint32_t number) {
        std::vector<int32_t> frames;
        bool precacheHere = false;
        const FrameMessage* frame = nullptr; // the frame the next playerinfo belongs to
        for (const DemoMessage* m = b.FirstMessage(); m != nullptr; m = m->next) {
            if (m->type == svc_serverdata) {
                // A new map: the game loads it again and waits for its own precache.
                EndFovRun();
                precacheRan_ = false;
                playStarted_ = false;
            } else if (auto* t = MessageCast<TextMessage>(m);
                       t != nullptr && m->type == svc_stufftext && RunsPrecache(t->text)) {
                precacheHere = true;
            } else if (auto* f = MessageCast<FrameMessage>(m)) {
                frames.push_back(f->server_frame);
                Frame(*f, number);
            } else if (auto* p = MessageCast<PlayerInfoMessage>(m); p != nullptr && frame) {
                Player(*frame, *p, number);
            }
            frame = m->type == svc_frame ? static_cast<const FrameMessage*>(m) : nullptr;
        }
        if (frames.size() > 1) {
            out_.push_back({number, FramesInOneBlockProblem(frames)});
        }
        // The game runs stuffed commands once it has read the whole packet.
        precacheRan_ = precacheRan_ || precacheHere;
    }

    void End() { EndFovRun(); }

  private:
    static bool Shown(const FrameMessage& f) { return f.complete && f.valid; }

    void Frame(const FrameMessage& f, uint32_t number) {
        // The first frame the game can show ends its loading screen, but only once the map
        // is loaded; a frame before that leaves the loading screen up.
        if (Shown(f) && !playStarted_) {
            playStarted_ = true;
            if (!precacheRan_) {
                out_.push_back({number, FrameBeforePrecacheProblem(f.server_frame)});
            }
        }
    }

    void Player(const FrameMessage& f, const PlayerInfoMessage& p, uint32_t number) {
        if (!Shown(f)) {
            return;
        }
        const int fov = p.state.fov;
        if (fov >= kMinFov && fov <= kMaxFov) {
            EndFovRun();
        } else if (run_.block != 0 && run_.fov == fov) {
            ++run_.framesAfter;
            run_.lastBlock = number;
        } else {
            EndFovRun();
            run_ = {number, f.server_frame, fov, 0, number};
        }
    }

    void EndFovRun() {
        if (run_.block != 0) {
            out_.push_back(
                {run_.block, FovProblem(run_.frame, run_.fov, run_.framesAfter, run_.lastBlock)});
        }
        run_ = {};
    }

    std::vector<DecodeProblem>& out_;
    bool precacheRan_ = false;
    bool playStarted_ = false;
    FovRun run_;
};

} // namespace

bool RunsPrecache(const std::string& commands) {
    size_t pos = 0;
    while (pos <= commands.size()) {
        size_t end = commands.find_first_of(";\n", pos);
        if (end == std::string::npos) {
            end = commands.size();
        }
        size_t word = commands.find_first_not_of(" \t\r", pos);
        if (word < end) {
            size_t wordEnd = std::min(commands.find_first_of(" \t\r", word), end);
            if (commands.compare(word, wordEnd - word, "precache") == 0) {
                return true;
            }
        }
        pos = end + 1;
    }
    return false;
}

std::string BlockTooLongProblem(uint32_t bytes) {
    return std::to_string(bytes) + " bytes, more than the game's " +
           std::to_string(kMaxPacketBytes) + "-byte packet buffer: the game stops playback here";
}

std::string FramesInOneBlockProblem(const std::vector<int32_t>& frames) {
    std::string list;
    for (size_t i = 0; i < frames.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == frames.size() ? " and " : ", ") + std::to_string(frames[i]);
    }
    return std::to_string(frames.size()) + " frames in one block (" + list +
           "): the game reads them at once and shows only frame " + std::to_string(frames.back());
}

std::string FrameBeforePrecacheProblem(int32_t frame) {
    return "frame " + std::to_string(frame) +
           " starts play before the precache command has loaded the map (the game runs it "
           "once the block holding it is read): the game keeps its loading screen up";
}

std::string FovProblem(int32_t frame, int fov, uint32_t framesAfter, uint32_t lastBlock) {
    std::string text = "frame " + std::to_string(frame) + " has a field of view of " +
                       std::to_string(fov) + ", outside the " + std::to_string(kMinFov) + " to " +
                       std::to_string(kMaxFov) + " the game draws";
    if (framesAfter > 0) {
        text += " (so have the " + std::to_string(framesAfter) + " frames after it, to block " +
                std::to_string(lastBlock) + ")";
    }
    return text + ": the game stops playback here";
}

std::string MisreadProblemsLeftOut(size_t count) {
    return std::to_string(count) + " further problem" + (count == 1 ? "" : "s") +
           " met decoding the rest are left out: they come from bytes the editor cannot read";
}

std::vector<DecodeProblem> CheckDemo(CTreskDoc& doc) {
    std::vector<DecodeProblem> found;
    uint32_t number = 1;
    for (DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next, ++number) {
        if (b->rawLength > kMaxPacketBytes) {
            found.push_back({number, BlockTooLongProblem(b->rawLength)});
        }
    }
    doc.DecodeAll();
    if (doc.unsupportedProtocol) {
        const std::string protocol = UnsupportedProtocolProblem(doc.protocolVersion);
        size_t leftOut = 0;
        for (const DecodeProblem& p : doc.Problems()) {
            if (p.text == protocol) {
                found.push_back(p);
            } else {
                ++leftOut;
            }
        }
        std::stable_sort(
            found.begin(), found.end(),
            [](const DecodeProblem& a, const DecodeProblem& b) { return a.block < b.block; });
        if (leftOut > 0) {
            found.push_back({0, MisreadProblemsLeftOut(leftOut)});
        }
        return found;
    }
    found.insert(found.end(), doc.Problems().begin(), doc.Problems().end());
    RecordWalk walk(found);
    number = 1;
    for (DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next, ++number) {
        walk.Block(*b, number);
    }
    walk.End();
    // Block 0 (not known) after every numbered block.
    std::stable_sort(
        found.begin(), found.end(),
        [](const DecodeProblem& a, const DecodeProblem& b) { return a.block - 1 < b.block - 1; });
    return found;
}
