// One open demo: its block list, the signon data that serverdata and configstring messages
// describe, the codec's delta state, per-entity notes and the preview's player models.
#pragma once

#include "byte_sink.h"
#include "configstring_table.h"
#include "demo_block.h"
#include "demo_saver.h"
#include "document_view.h"
#include "edit_history.h"
#include "entity_state.h"
#include "frame_state.h"
#include "player_state.h"

#include "orrery/cqrefapiimport.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int kTableSlots = 256;
constexpr int kStatusBarSlots = 25;
constexpr int kPlayerModels = 64;
constexpr size_t kCdTrackChars = 31;

// Configstring indices the document keeps.
enum ConfigStringIndex : int {
    CS_NAME = 0,
    CS_CDTRACK = 1,
    CS_SKY = 2,
    CS_SKYAXIS = 3,
    CS_SKYROTATE = 4,
    CS_STATUSBAR = 5,
    CS_MAXCLIENTS = 30,
    CS_MAPCHECKSUM = 31,
    kModelBase = 33,
    kSoundBase = 289,
    kImageBase = 545,
    CS_LIGHTS = 800,
    CS_ITEMS = 1056,
    kItemBase = 1057,
    kSkinBase = 1312,
    CS_GENERAL = 1568,
};

// A problem met while reading or decoding, for reports such as the command-line check.
struct DecodeProblem {
    uint32_t block; // 1-based block number, 0 when not known
    std::string text;
};

struct EntityNote {
    int32_t marker = -1; // preview marker, -1 = none
    std::string description;
};

struct PlayerModelEntry {
    std::string path;
    int32_t modelNumber = 0;
};

// The decoder's memory between messages, as the game client keeps it: the baselines and the
// ring of recent frames each frame is read against.
struct DeltaState {
    std::array<EntitySlot, kMaxEntities> baseline{};
    ClientFrames client;

    bool DecodingEntities() const { return client.stage == ClientFrames::Stage::kEntities; }
    void Reset();
};

struct FileBytes;

class CTreskDoc {
  public:
    // Hands the configured pak list to the renderer host.
    CTreskDoc();
    ~CTreskDoc();
    CTreskDoc(const CTreskDoc&) = delete;
    CTreskDoc& operator=(const CTreskDoc&) = delete;

    // --- opening, saving and closing --------------------------------------------------
    // A document is only ever made from a file: a new untitled one is refused.
    bool OnNewDocument() { return false; }
    // Reads a file into undecoded blocks and makes the renderer host current. On failure
    // *error says why and nothing is loaded: a file that cannot be read, one too short to
    // hold a block, and one whose first block does not start with a serverdata message (not
    // a demo) are refused.
    bool OnOpenDocument(const std::string& path, std::string* error);
    // Saves through a temporary file beside the target, renamed over it only once every byte
    // is written and flushed; a failed save leaves the old file untouched.
    bool OnSaveDocument(const std::string& path, std::string* error);
    // Releases the renderer host, then every block; the document is empty afterwards.
    void OnCloseDocument();
    // The document differs from the file it was opened from or last saved to: its history
    // stands elsewhere than at the save.
    bool IsModified() const { return !history.IsClean(); }
    const std::string& PathName() const { return pathName_; }

    // Loading from bytes: reads the container into undecoded blocks (resets the codec state).
    void LoadFromBytes(const uint8_t* data, size_t size);
    // Saving into a sink: hint 20 to the views, the rebuilt signon, then every frame as the
    // difference to what the game holds after the frame written before it (DemoSaver). No end
    // marker follows. Also kept in lastSave.
    SaveReport SaveTo(ByteSink& out);

    // Decodes every block in file order; the tables, texts and slots describe the demo after.
    void DecodeAll();
    // Optional: called by DecodeAll after each block with the blocks done so far and the block
    // count, so that the program can show how far decoding has come.
    std::function<void(uint32_t done, uint32_t total)> decodeProgress;
    // The first block from block 6 on that holds a frame message; 0 when there is none.
    uint32_t FindFirstPlayBlock();

    // The opening block or blocks: the first message (normally the serverdata), then the
    // configstrings the document keeps, from its fields and tables.
    void WriteSignon(ByteSink& out);
    // Appends table entries 0..count-1 as configstrings base+k to the buffer, writing the
    // buffer out as a block whenever the next entry would take it past 1390 bytes.
    void WriteConfigStringTable(const ConfigStringTable& table, int count, int base,
                                std::vector<uint8_t>& buffer, ByteSink& out);
    // Numbers the frames as saving does (FrameNumbering): consecutive server frames, each a
    // delta from the one before, the first of a map standing alone.
    void RenumberFrames();

    // --- views ----------------------------------------------------------------------------
    void AddView(DocumentView* view);
    void RemoveView(DocumentView* view);
    const std::vector<DocumentView*>& Views() const { return views_; }
    // Tells every view but the sender.
    void UpdateAllViews(DocumentView* sender, int hint, const std::vector<uint32_t>& values = {});

    // --- block list -----------------------------------------------------------------------
    DemoBlock* FirstBlock() const;
    DemoBlock* LastBlock() const;
    // The block at a 1-based position (walking from the current block), or null.
    DemoBlock* BlockAt(uint32_t number) const;
    // 1-based position of a block of the list, 0 when it is not in the list.
    uint32_t NumberOf(const DemoBlock* block) const;

    // --- problems -------------------------------------------------------------------------
    void ReportProblem(const std::string& text);
    const std::vector<DecodeProblem>& Problems() const { return problems_; }
    // The block number problems are reported against while decoding (0 = unknown).
    void SetDecodingBlock(uint32_t number) { decodingBlock_ = number; }

    // --- fields -----------------------------------------------------------------------------
    // The preview's host for the game renderer; current while the document is open.
    CQRefApiImport refImport;
    // A 3D preview window is open on the document: set by the view that opens one and cleared
    // when it closes. The model list's View Model needs one.
    bool previewOpen = false;
    std::string cdTrack;
    DemoBlock* currentBlock = nullptr;
    uint32_t blockCount = 0;
    DeltaState delta;
    ConfigStringTable modelTable{kTableSlots};
    ConfigStringTable soundTable{kTableSlots};
    ConfigStringTable imageTable{kTableSlots};
    ConfigStringTable statusBarTable{kStatusBarSlots};
    ConfigStringTable itemTable{kTableSlots};
    ConfigStringTable skinTable{kTableSlots};
    int32_t protocolVersion = 0;
    int32_t playerNumber = 0;
    std::string levelName;
    std::string mapName; // the serverdata's level name as read
    std::string mapChecksum;
    std::string skyName;
    std::string skyRotate;
    std::string skyAxis;
    uint16_t maxClients = 0;
    uint32_t firstFrameBlock = 0;
    // Set once the decoder has read a frame: configstrings before it describe the demo as it
    // starts and feed the fields and tables above; later ones stay records in their blocks.
    bool playStarted = false;
    // The warning about a protocol the editor does not understand has been shown.
    bool unknownProtocolShown = false;
    // The demo's serverdata names such a protocol (protocolVersion holds it): what was
    // decoded after it may be misread, and saving drops what could not be decoded. Later
    // serverdata are taken for misread bytes and change nothing.
    bool unsupportedProtocol = false;
    std::array<EntityNote, kMaxEntities> entityNotes;
    std::array<PlayerModelEntry, kPlayerModels> playerModels;
    // Every change made to the document, for undo and redo.
    EditHistory history;
    // Edit transactions open now (edit_transaction.h).
    int openEdits = 0;
    // Goes up with every change of the blocks or their messages: each committed edit of blocks
    // and each undo, redo or taken-back one (edits of the fields alone leave it). What was numbered by block and message before (a search
    // report's rows) is known to be out of date when this has moved on.
    uint64_t blockListChanges = 0;
    // What the last save could not do exactly.
    SaveReport lastSave;

  private:
    void LoadBlocks(const FileBytes& file);
    void ClearSignon();

    std::vector<DocumentView*> views_;
    std::vector<DecodeProblem> problems_;
    uint32_t decodingBlock_ = 0;
    std::string pathName_;
    bool hostCurrent_ = false;
};
