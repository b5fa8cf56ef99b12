// Block edits on real demos, run through tresk-cli's commands and judged by the reference
// decoder: every frame of the saved demo shows the game what the frame of the original it
// stands for showed, with no parse error and no frame the game would refuse.
#include "demo_test_util.h"

#include "commands.h"
#include "edit_session.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// The block (as the editor numbers them, from 1) of each frame the reference decoder reads.
std::vector<uint32_t> FrameBlocks(const fs::path& demo) {
    std::string command = "python3 " + Quoted(Q2REF_TOOL) + " states " + Quoted(demo.string()) +
                          " | python3 -c 'import sys, json\n"
                          "for line in sys.stdin:\n"
                          "    r = json.loads(line)\n"
                          "    if \"block\" in r: print(r[\"block\"] + 1)'";
    std::vector<uint32_t> blocks;
    std::istringstream in(Output(command));
    for (uint32_t b = 0; in >> b;) {
        blocks.push_back(b);
    }
    return blocks;
}

// Frame ordinals as the reference decoder's ranges ("0-9,20,31-30").
std::string Ranges(const std::vector<int>& ordinals) {
    std::string out;
    for (size_t i = 0; i < ordinals.size();) {
        size_t j = i;
        const int step = i + 1 < ordinals.size() && ordinals[i + 1] == ordinals[i] - 1 ? -1 : 1;
        while (j + 1 < ordinals.size() && ordinals[j + 1] == ordinals[j] + step) {
            ++j;
        }
        out += (out.empty() ? "" : ",") + std::to_string(ordinals[i]);
        if (j > i) {
            out += "-" + std::to_string(ordinals[j]);
        }
        i = j + 1;
    }
    return out;
}

std::vector<int> Count(int first, int count) {
    std::vector<int> out;
    for (int k = 0; k < count; ++k) {
        out.push_back(first + k);
    }
    return out;
}

// The frame ordinals whose block lies in first..last (or outside it).
std::vector<int> FramesIn(const std::vector<uint32_t>& blocks, uint32_t first, uint32_t last,
                          bool inside = true) {
    std::vector<int> out;
    for (size_t i = 0; i < blocks.size(); ++i) {
        if ((blocks[i] >= first && blocks[i] <= last) == inside) {
            out.push_back(static_cast<int>(i));
        }
    }
    return out;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> out;
    for (const auto& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

// Whether the game holds the same configstrings at frame framesA[k] of the original as at
// framesB[k] of the saved demo, every one of them, however far back it was set.
void ExpectHoldsTheSameConfigStrings(const fs::path& original, const fs::path& saved,
                                     const std::vector<int>& framesA,
                                     const std::vector<int>& framesB) {
    std::string command = "python3 " + Quoted(CONFIGSTRINGS_TOOL) + " " + Quoted(Q2REF_TOOL) + " " +
                          Quoted(original.string()) + " " + Quoted(saved.string()) + " " +
                          Ranges(framesA) + " " + Ranges(framesB);
    int rc = -1;
    std::string report = Output(command + " 2>&1", &rc);
    EXPECT_EQ(rc, 0) << command << "\n" << report;
}

enum class ConfigStrings { kHeld, kNotCompared };

// Judges `saved` against `original`: frame framesA[k] of the original against framesB[k] of
// the saved demo. The saved demo must hold exactly `savedFrames` frames (-1: not checked).
// The reference decoder's own configstring comparison (of those that changed since the frame
// before) is left out, since an edit moves where such a change falls; every configstring the
// game holds at each pair is compared instead, unless the frames come from another map.
// `ignore` names more fields to leave out.
void ExpectShowsTheSame(const fs::path& original, const fs::path& saved,
                        const std::vector<int>& framesA, const std::vector<int>& framesB,
                        int savedFrames, const std::string& ignore = "",
                        ConfigStrings configStrings = ConfigStrings::kHeld) {
    ASSERT_EQ(framesA.size(), framesB.size());
    std::string command = "python3 " + Quoted(Q2REF_TOOL) + " compare --ignore cs " +
                          (ignore.empty() ? "" : "--ignore " + ignore + " ") +
                          Quoted(original.string()) + " " + Quoted(saved.string()) +
                          " --frames-a " + Ranges(framesA) + " --frames-b " + Ranges(framesB);
    int rc = -1;
    std::string report = Output(command + " 2>&1", &rc);
    EXPECT_EQ(rc, 0) << command << "\n" << report;
    if (configStrings == ConfigStrings::kHeld) {
        ExpectHoldsTheSameConfigStrings(original, saved, framesA, framesB);
    }
    if (savedFrames >= 0) {
        std::string frames = ", " + std::to_string(savedFrames) + " frames";
        size_t b = report.find("\nB: ");
        ASSERT_NE(b, std::string::npos) << report;
        EXPECT_NE(report.find(frames, b), std::string::npos) << report;
    }
}

std::vector<fs::path> ProtocolDemos() {
    std::vector<fs::path> demos;
    for (const fs::path& path : CorpusDemos()) {
        if (DecodedDoc(fx::ReadBytes(path))->protocolVersion == 34) {
            demos.push_back(path);
        }
    }
    return demos;
}

std::string Blocks(uint32_t first, uint32_t last) {
    return std::to_string(first) + "-" + std::to_string(last);
}

class CorpusEdits : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!HaveReferenceDecoder()) {
            GTEST_SKIP() << "reference decoder missing";
        }
        demos_ = ProtocolDemos();
        if (demos_.empty()) {
            GTEST_SKIP() << "no corpus demos in " << CINERAD_CORPUS_DIR;
        }
    }
    // Calls fn(demo, frame blocks, block count) for every demo long enough to edit.
    template <class F> void ForEachDemo(F&& fn) {
        for (const fs::path& demo : demos_) {
            SCOPED_TRACE(demo.filename().string());
            std::vector<uint32_t> blocks = FrameBlocks(demo);
            if (blocks.size() < 120) {
                continue; // too short for edits of this size
            }
            uint32_t total = DecodedDoc(fx::ReadBytes(demo))->blockCount;
            fn(demo, blocks, total);
        }
    }

    ShownMessages quiet_;
    std::vector<fs::path> demos_;
};

TEST_F(CorpusEdits, CutsInTheMiddleAtTheStartOfPlayAndToTheEnd) {
    ForEachDemo([](const fs::path& demo, const std::vector<uint32_t>& blocks, uint32_t total) {
        const int frames = static_cast<int>(blocks.size());
        struct Cut {
            uint32_t first, last;
        };
        const uint32_t middle = blocks[static_cast<size_t>(frames / 3)];
        const std::array<Cut, 3> cuts = {{
            {middle, middle + 99},
            {blocks[0], blocks[0] + 29},
            {blocks[static_cast<size_t>(frames - frames / 5)], total},
        }};
        for (const Cut& cut : cuts) {
            SCOPED_TRACE("cut " + Blocks(cut.first, cut.last));
            fx::TempFile out(".dm2");
            ASSERT_EQ(RunCut({demo.string(), out.str(), "--blocks", Blocks(cut.first, cut.last)}),
                      0);
            std::vector<int> kept = FramesIn(blocks, cut.first, cut.last, false);
            int n = static_cast<int>(kept.size());
            if (cut.first == blocks[0]) {
                // The first frame left now arrives with the signon: its events differ.
                ExpectShowsTheSame(demo, out.path(), {kept[0]}, {0}, n, "events");
                kept.erase(kept.begin());
                ExpectShowsTheSame(demo, out.path(), kept, Count(1, n - 1), n);
            } else {
                ExpectShowsTheSame(demo, out.path(), kept, Count(0, n), n);
            }
        }
    });
}

TEST_F(CorpusEdits, AReversedRunShowsItsFramesBackwards) {
    ForEachDemo([](const fs::path& demo, const std::vector<uint32_t>& blocks, uint32_t) {
        const uint32_t first = blocks[blocks.size() / 2];
        const uint32_t last = first + 49;
        fx::TempFile out(".dm2");
        ASSERT_EQ(RunReverse({demo.string(), out.str(), "--blocks", Blocks(first, last)}), 0);
        std::vector<int> run = FramesIn(blocks, first, last);
        std::vector<int> expected =
            Join({FramesIn(blocks, 0, first - 1), std::vector<int>(run.rbegin(), run.rend()),
                  FramesIn(blocks, last + 1, UINT32_MAX)});
        int n = static_cast<int>(expected.size());
        ExpectShowsTheSame(demo, out.path(), expected, Count(0, n), n);
    });
}

TEST_F(CorpusEdits, APasteWithinTheDemoShowsTheCopiedFramesAgain) {
    ForEachDemo([](const fs::path& demo, const std::vector<uint32_t>& blocks, uint32_t) {
        const uint32_t first = blocks[blocks.size() / 4];
        const uint32_t last = first + 19;
        const uint32_t after = blocks[blocks.size() * 3 / 4];
        fx::TempFile out(".dm2");
        ASSERT_EQ(RunPaste({demo.string(), out.str(), "--from", demo.string(), "--blocks",
                            Blocks(first, last), "--after", std::to_string(after)}),
                  0);
        std::vector<int> expected = Join({FramesIn(blocks, 0, after), FramesIn(blocks, first, last),
                                          FramesIn(blocks, after + 1, UINT32_MAX)});
        int n = static_cast<int>(expected.size());
        ExpectShowsTheSame(demo, out.path(), expected, Count(0, n), n);
    });
}

TEST_F(CorpusEdits, FramesPastedFromAnotherDemoShowTheSourcesFrames) {
    std::vector<std::pair<fs::path, std::vector<uint32_t>>> sources;
    ForEachDemo([&](const fs::path& demo, const std::vector<uint32_t>& blocks, uint32_t) {
        sources.emplace_back(demo, blocks);
    });
    for (size_t t = 0; t < sources.size(); ++t) {
        const auto& [target, targetBlocks] = sources[t];
        const auto& [source, sourceBlocks] = sources[(t + 1) % sources.size()];
        SCOPED_TRACE(target.filename().string() + " from " + source.filename().string());
        const uint32_t first = sourceBlocks[sourceBlocks.size() / 2];
        const uint32_t last = first + 19;
        const uint32_t after = targetBlocks[targetBlocks.size() / 2];
        fx::TempFile out(".dm2");
        ASSERT_EQ(RunPaste({target.string(), out.str(), "--from", source.string(), "--blocks",
                            Blocks(first, last), "--after", std::to_string(after)}),
                  0);
        std::vector<int> before = FramesIn(targetBlocks, 0, after);
        std::vector<int> pasted = FramesIn(sourceBlocks, first, last);
        std::vector<int> rest = FramesIn(targetBlocks, after + 1, UINT32_MAX);
        const int b = static_cast<int>(before.size());
        const int p = static_cast<int>(pasted.size());
        const int n = b + p + static_cast<int>(rest.size());
        // The source's configstrings belong to its own map and signon.
        ExpectShowsTheSame(source, out.path(), pasted, Count(b, p), -1, "",
                           ConfigStrings::kNotCompared);
        ExpectShowsTheSame(target, out.path(), Join({before, rest}),
                           Join({Count(0, b), Count(b + p, n - b - p)}), n);
    }
}

TEST_F(CorpusEdits, CopyLeavesTheSavedDemoByteForByte) {
    for (const fs::path& demo : demos_) {
        SCOPED_TRACE(demo.filename().string());
        EditSession session;
        ASSERT_TRUE(session.Open(demo.string()));
        VectorSink before;
        session.doc->SaveTo(before);
        const uint32_t first = session.doc->blockCount / 2;
        ASSERT_TRUE(session.Select(
            first, first + 99 < session.doc->blockCount ? first + 99 : session.doc->blockCount));
        CBlockBuffer buffer;
        session.view->blockBuffer = &buffer;
        session.view->OnCommand(ID_EDIT_COPY);
        EXPECT_TRUE(buffer.HasBlocks());
        VectorSink after;
        session.doc->SaveTo(after);
        EXPECT_TRUE(before.bytes == after.bytes);
    }
}

} // namespace
