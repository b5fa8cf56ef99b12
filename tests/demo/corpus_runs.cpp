#include "corpus_runs.h"

#include "demo_test_util.h"

#include "commands.h"

#include <algorithm>
#include <cctype>
#include <sstream>

int FilmOver(const std::filesystem::path& demo, const CorpusRun& run, const std::string& out,
             const std::vector<std::string>& action) {
    std::vector<std::string> args = {demo.string(), out, "--blocks",
                                     std::to_string(run.first) + "-" + std::to_string(run.last)};
    args.insert(args.end(), action.begin(), action.end());
    return RunFilm(args);
}

CorpusRuns::CorpusRuns(const std::filesystem::path& demo) {
    int rc = -1;
    std::istringstream lines(Output("python3 " + Quoted(RUNS_TOOL) + " " + Quoted(Q2REF_TOOL) +
                                        " " + Quoted(demo.string()) + " " + Quoted(states_.str()),
                                    &rc));
    chosen_ = rc == 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream in(line);
        CorpusRun run;
        if (in >> run.kind >> run.first >> run.last >> run.from >> run.to) {
            in >> run.arg;
            runs_.push_back(run);
        }
    }
}

std::optional<CorpusRun> CorpusRuns::Find(const std::string& kind) const {
    for (const CorpusRun& run : runs_) {
        if (run.kind == kind) {
            return run;
        }
    }
    return std::nullopt;
}

std::string DemoTestName(const testing::TestParamInfo<std::filesystem::path>& demo) {
    std::string name = demo.param.stem().string();
    for (char& c : name) {
        if (std::isalnum(static_cast<unsigned char>(c)) == 0) {
            c = '_';
        }
    }
    return name;
}

std::string ReferenceCompare(const std::string& a, const std::string& b,
                             const std::vector<std::string>& ignored) {
    std::string command = "python3 " + Quoted(Q2REF_TOOL) + " compare";
    for (const std::string& field : ignored) {
        command += " --ignore " + field;
    }
    return Output(command + " " + Quoted(a) + " " + Quoted(b));
}

std::string FilmVerdict(const std::string& saved, const std::string& check, int from, int to,
                        int* rc) {
    const size_t space = std::min(check.find(' '), check.size());
    return Output("python3 " + Quoted(Q2REF_TOOL) + " states " + Quoted(saved) + " | python3 " +
                      Quoted(FILM_CHECK_TOOL) + " " + check.substr(0, space) + " " +
                      std::to_string(from) + " " + std::to_string(to) + check.substr(space),
                  rc);
}
