// tresk-cli pak: lists and extracts the files of a PACK archive.
#pragma once

// Usage lines of the pak subcommand.
extern const char* const kPakUsage;

// Runs "pak list ARCHIVE" or "pak extract ARCHIVE NAME [OUT]"; argv[0] is "pak".
// Output goes to std::cout, messages to std::cerr. Returns the exit code:
// 0 done, 1 the archive or the stored file could not be read or written,
// 2 the command line was wrong (the usage is printed).
int RunPakCommand(int argc, char** argv);
