// Saving as the game's server sends: the saver keeps what the game holds after each frame it
// wrote (the entity set with full states, the player state with every stat, the baselines)
// and sends, frame by frame, the difference to what the next frame
// of the document shows. Frames are numbered so that each deltas from the frame written before
// it. No block is written over the game's 1400 bytes: corrections that do not fit a frame's
// block wait for the next frames. Configstrings travel as the records that carry them: each
// stays between the frames it stood between. A frame kept whole also keeps the configstrings
// the game held when it came; where the game holds others after an edit, the saver sends the
// kept values just before the frame.
#pragma once

#include "byte_sink.h"
#include "frame_state.h"
#include "frame_timeline.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class CTreskDoc;
class DemoBlock;
struct DemoMessage;
struct FrameMessage;

// The game's packet buffer: no block may be longer.
constexpr size_t kMaxBlockBytes = 1400;

// What a save could not do exactly.
struct SaveReport {
    // Frames whose corrections did not all fit their block: they show the game something a
    // little different from their records until later frames catch up.
    uint32_t framesDiffering = 0;
    // Single messages too long for one packet, written alone all the same.
    uint32_t blocksOverLimit = 0;
};

// What a person is told after a save that could not do everything exactly; empty when it did.
std::string SaveReportText(const SaveReport& report);

// Gives each frame its server frame and delta frame as the saver writes it: consecutive
// numbers from the first frame's own, each frame a delta from the one before; the first frame
// of a map stands alone, and a frame the game did not show names a stale ring entry so that
// it stays unshown.
class FrameNumbering {
  public:
    void StartMap() { haveFrame_ = false; }
    void Number(FrameMessage& frame);

  private:
    bool started_ = false;
    bool haveFrame_ = false;
    int32_t last_ = 0;
};

class DemoSaver {
  public:
    DemoSaver(CTreskDoc& doc, ByteSink& out);
    // Writes the rebuilt signon and every block. Changes no record but the frame numbers.
    SaveReport Run();

  private:
    struct Unit {
        size_t start;
        size_t end;
    };
    void StartMap();
    void WriteBlock(DemoMessage* from);
    void AfterPlainMessage(const DemoMessage& m);
    void WriteConfigStringCorrections(const ConfigStringOverlay& wanted);
    void WriteFrame(FrameMessage& frame, size_t budget);
    // Writes the entities of a frame that shows `target`; `frame` is given when the game
    // holds what the frame's records apply onto.
    void WriteEntities(const EntitySet& target, size_t room, const FrameMessage* frame);
    // Encodes the differences from what the game holds to `target` into pieces_; with a
    // list, also one piece per entity of either set (what it is and where its bytes are).
    struct EntityPiece;
    void EncodeEntities(const EntitySet& target, std::vector<EntityPiece>* list);
    // The same bytes from the frame's records alone, for a frame whose records apply onto
    // what the game holds. False (pieces_ unusable) when the records are out of order.
    bool EncodeRecordedEntities(const FrameMessage& frame);
    void PackAndEmit();
    void Emit(const uint8_t* data, size_t size);

    CTreskDoc& doc_;
    ByteSink& out_;
    SaveReport report_;
    FrameTimeline timeline_;
    FrameNumbering numbering_;

    // What the game holds.
    bool haveFrame_ = false;
    EntitySet held_;
    // held_ is what the timeline shows: the last frame's differences were all sent.
    bool heldIsShown_ = true;
    PlayerState heldPlayer_{};
    std::array<EntityState, 1024> baselines_{};
    bool frameDiffers_ = false;

    // Scratch of one block: the encoded plain messages, the block's units in order.
    std::vector<uint8_t> plain_;
    std::vector<Unit> plainUnits_;
    std::vector<uint8_t> bytes_;
    std::vector<Unit> units_;
    std::vector<uint8_t> frameHead_;
    // One frame's entity differences, encoded one after the other.
    struct EntityPiece {
        enum Kind : uint8_t { kRemove, kChange, kNew } kind;
        bool sent;
        uint32_t from; // position in held_ (removes and changes)
        uint32_t to;   // position in the target set (changes and new entities)
        size_t start;
        size_t end;
    };
    std::vector<uint8_t> pieces_;
    std::vector<EntityPiece> entityPieces_;
    EntitySet nextHeld_;
};
