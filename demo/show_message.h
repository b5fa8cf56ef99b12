// The editor's shared message box. The core calls ShowMessage for its errors and warnings;
// whatever the program installs shows them (a modal box in the editor, standard error in the
// command-line tool). Without a handler the text goes to standard error.
#pragma once

#include <functional>
#include <string>

using ShowMessageHandler = std::function<void(const std::string&)>;

void ShowMessage(const std::string& text);

// Installs a handler and returns the previous one.
ShowMessageHandler SetShowMessageHandler(ShowMessageHandler handler);
