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

// Parses "A-B" or "A" into a 1-based range of blocks.
bool ParseRange(const std::string& text, uint32_t& first, uint32_t& last);

// Whether a demo may be saved: one of a protocol the codec does not understand loses what
// could not be decoded, so it is saved only when forced. Says so on standard error either way.
bool MaySave(const CTreskDoc& doc, const std::string& path, bool force);

// Writes an open demo through the document's save; says on standard error what the save
// could not do exactly. False (with the reason printed) when the file could not be written.
bool SaveDemo(CTreskDoc& doc, const std::string& path);
