// Opening a demo for the command-line tool the way the editor opens it.
#pragma once

#include "demo/tresk_doc.h"

#include <memory>
#include <string>

// A view for documents without a window: before saving it renumbers the frames, as the
// editor view does.
class HeadlessView : public DocumentView {
  public:
    explicit HeadlessView(CTreskDoc& doc) : doc_(doc) { doc_.AddView(this); }
    ~HeadlessView() override { doc_.RemoveView(this); }
    void OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>&) override {
        if (hint == kHintBeforeSave) {
            doc_.RenumberFrames();
        }
    }

  private:
    CTreskDoc& doc_;
};

// An open, fully decoded demo with its first block of play found.
struct OpenDemo {
    std::unique_ptr<CTreskDoc> doc;
    std::unique_ptr<HeadlessView> view;
};

// Opens and decodes a demo; on failure prints the reason to standard error and returns an
// empty document.
OpenDemo OpenAndDecode(const std::string& path);
