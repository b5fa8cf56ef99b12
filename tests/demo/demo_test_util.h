// Helpers shared by the demo codec suites.
#pragma once

#include "demo/tresk_doc.h"

#include "fx/demo_file_writer.h"
#include "fx/messages.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A document loaded from container bytes and decoded.
std::unique_ptr<CTreskDoc> DecodedDoc(const fx::Bytes& file);

// The records of a block, in order.
std::vector<const DemoMessage*> Records(const DemoBlock* block);

// True when two records hold the same id and payload; on a difference, *why names it.
bool SameRecord(const DemoMessage& a, const DemoMessage& b, std::string* why = nullptr);

// The bytes of a whole saved document.
fx::Bytes SavedBytes(CTreskDoc& doc);

// The payloads of the blocks of a container, in order.
std::vector<fx::Bytes> BlocksOf(const fx::Bytes& file);

// Collects the texts the core shows while alive and restores the previous handler after.
class ShownMessages {
  public:
    ShownMessages();
    ~ShownMessages();
    const std::vector<std::string>& texts() const { return texts_; }

  private:
    std::vector<std::string> texts_;
    std::function<void(const std::string&)> previous_;
};

// A serverdata block opening a demo of the given protocol.
fx::Bytes ServerDataMsg(int protocol = 34, int playerNum = 0);

// A signon block: the precache command, then one spawnbaseline per delta.
fx::Bytes SignonWith(const std::vector<fx::EntityDelta>& baselines);

// The corpus's demos (sorted; empty when the corpus is missing).
std::vector<std::filesystem::path> CorpusDemos();

// A text in single quotes, for a shell command line.
std::string Quoted(const std::string& s);
// Runs a shell command and returns what it printed; *rc gets its exit status.
std::string Output(const std::string& command, int* rc = nullptr);

// True when the reference decoder and python3 are there to run it.
bool HaveReferenceDecoder();
// The reference decoder's frame ordinal ("i") of the first frame in an editor block; -1
// when the block holds none.
int OrdinalOfBlock(const std::filesystem::path& demo, uint32_t block);
