// tresk-cli's command table: which subcommand runs, its usage, --help and --version.
#pragma once

#include <string>
#include <vector>

// Runs tresk-cli with the arguments after the program name and returns its exit code.
// "--help" (or "-h") alone prints the overview, after a command that command's usage; both
// and "--version" print to standard output and return 0.
int RunTreskCli(const std::vector<std::string>& args);

// "tresk-cli 2.0.0": the program and the project's version.
std::string VersionText();

// The render subcommand draws through Qt and the renderer plug-in; the program hands it in,
// so that the other subcommands stay free of both.
void SetRenderCommand(int (*run)(const std::vector<std::string>&), const char* usage);
