#include "show_message.h"

#include <cstdio>
#include <utility>

namespace {
ShowMessageHandler& Handler() {
    static ShowMessageHandler handler;
    return handler;
}
} // namespace

void ShowMessage(const std::string& text) {
    if (Handler()) {
        Handler()(text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

ShowMessageHandler SetShowMessageHandler(ShowMessageHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}
