// The subcommands of tresk-cli. Each takes the arguments after its name and returns the
// program's exit code (0 success, 1 failure, 2 bad usage).
#pragma once

#include <string>
#include <vector>

int RunInfo(const std::vector<std::string>& args);
int RunDump(const std::vector<std::string>& args);
int RunResave(const std::vector<std::string>& args);
int RunCheck(const std::vector<std::string>& args);
int RunCut(const std::vector<std::string>& args);
int RunDelete(const std::vector<std::string>& args);
int RunReverse(const std::vector<std::string>& args);
int RunPaste(const std::vector<std::string>& args);
int RunTime(const std::vector<std::string>& args);
int RunFilm(const std::vector<std::string>& args);
// film's usage with its actions, for --help.
extern const char* const kFilmUsage;
int RunFind(const std::vector<std::string>& args);
int RunActor(const std::vector<std::string>& args);
extern const char* const kActorUsage;
int RunEntities(const std::vector<std::string>& args);
