// The runs of blocks that corpus_runs.py chooses in a corpus demo for the checks of the camera,
// speed and removal commands, with the reference decoder's states of the demo saved once for
// the judges to read.
#pragma once

#include "fx/demo_file_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct CorpusRun {
    std::string kind;
    uint32_t first = 0; // editor block numbers of the run
    uint32_t last = 0;
    int from = 0; // frame ordinals of its first and last frame
    int to = 0;
    std::string arg;
};

// tresk-cli film over a run of a demo with `action`, saved to `out`; its exit code.
int FilmOver(const std::filesystem::path& demo, const CorpusRun& run, const std::string& out,
             const std::vector<std::string>& action);

class CorpusRuns {
  public:
    explicit CorpusRuns(const std::filesystem::path& demo);
    // False when corpus_runs.py failed (then no run is found).
    bool Chosen() const { return chosen_; }
    // The run chosen for a kind of check; none when the demo has nothing to tell it.
    std::optional<CorpusRun> Find(const std::string& kind) const;
    // The demo's states as JSON lines, which the judges take in place of the demo.
    std::string States() const { return states_.str(); }

  private:
    fx::TempFile states_{".jsonl"};
    std::vector<CorpusRun> runs_;
    bool chosen_ = false;
};

// The test name of a corpus demo, for the suites that take every demo as their parameter.
std::string DemoTestName(const testing::TestParamInfo<std::filesystem::path>& demo);

// What the reference decoder's comparison of two demos, ignoring some fields, concludes.
std::string ReferenceCompare(const std::string& a, const std::string& b,
                             const std::vector<std::string>& ignored);
// check_film.py's verdict on a saved demo: `check` is its action and arguments ("zoom 45 125"),
// from and to the frame ordinals it judges; *rc gets its exit status.
std::string FilmVerdict(const std::string& saved, const std::string& check, int from, int to,
                        int* rc);
