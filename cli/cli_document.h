// Opening a demo for the command-line tool the way the editor opens it.
#pragma once

#include "demo/tresk_doc.h"

#include <memory>
#include <string>

// A view for documents without a window: it has no pending edits to store before saving.
class HeadlessView : public DocumentView {
  public:
    explicit HeadlessView(CTreskDoc& doc) : doc_(doc) { doc_.AddView(this); }
    ~HeadlessView() override { doc_.RemoveView(this); }
    void OnUpdate(DocumentView*, int, const std::vector<uint32_t>&) override {}

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
