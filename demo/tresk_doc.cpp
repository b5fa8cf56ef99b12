#include "tresk_doc.h"

#include "app_settings.h"
#include "demo_container.h"
#include "show_message.h"
#include "svc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

void DeltaState::Reset() {
    baseline = {};
    client = ClientFrames{};
}

CTreskDoc::CTreskDoc() {
    CQRefApiImport::AddPakFiles(TheAppSettings().pakFiles);
}

CTreskDoc::~CTreskDoc() {
    OnCloseDocument();
}

void CTreskDoc::OnCloseDocument() {
    if (hostCurrent_) {
        UninitalizeImports();
        hostCurrent_ = false;
    }
    DeleteBlockChain(FirstBlock());
    currentBlock = nullptr;
    blockCount = 0;
}

namespace {

std::string TruncationText(uint32_t block, uint32_t present, uint32_t announced) {
    return "The demo file ends inside block " + std::to_string(block) + ": " +
           std::to_string(present) + " of its " + std::to_string(announced) +
           " bytes are there. Its complete messages are kept; the last, partial message is "
           "dropped.";
}

// Every demo opens with the serverdata that starts its map: the game reads nothing before it.
// A file whose first block starts otherwise (text, another format) is not one.
bool OpensWithServerData(const FileBytes& file) {
    const uint8_t* data = file.data.get();
    uint32_t firstLength = static_cast<uint32_t>(data[0]) | data[1] << 8 | data[2] << 16 |
                           static_cast<uint32_t>(data[3]) << 24;
    return firstLength > 0 && file.size > 4 && data[4] == svc_serverdata;
}

} // namespace

bool CTreskDoc::OnOpenDocument(const std::string& path, std::string* error) {
    FileBytes file;
    if (!ReadWholeFile(path, file, error)) {
        return false;
    }
    if (file.size < 4) {
        if (error != nullptr) {
            *error = "\"" + path + "\" is empty or too short to be a demo.";
        }
        return false;
    }
    if (!OpensWithServerData(file)) {
        if (error != nullptr) {
            *error = "\"" + path +
                     "\" is not a demo: its first block does not start with a "
                     "serverdata message.";
        }
        return false;
    }
    LoadBlocks(std::move(file));
    pathName_ = path;
    InitializeImports(&refImport);
    hostCurrent_ = true;
    return true;
}

void CTreskDoc::LoadFromBytes(const uint8_t* data, size_t size) {
    LoadBlocks(FileBytes::Copy(data, size));
}

void CTreskDoc::LoadBlocks(const FileBytes& file) {
    OnCloseDocument();
    delta.Reset();
    history.Clear();
    unsupportedProtocol = false;
    ContainerResult read = ReadDemoContainer(file);
    currentBlock = read.first;
    blockCount = read.blockCount;
    if (read.truncatedBlock != 0) {
        std::string text = TruncationText(read.truncatedBlock, read.present, read.announced);
        problems_.push_back({read.truncatedBlock, text});
        ShowMessage(text);
    }
}

void CTreskDoc::ClearSignon() {
    cdTrack.clear();
    levelName.clear();
    mapName.clear();
    mapChecksum.clear();
    skyName.clear();
    skyRotate.clear();
    skyAxis.clear();
    for (ConfigStringTable* t :
         {&modelTable, &soundTable, &imageTable, &statusBarTable, &itemTable, &skinTable}) {
        t->Clear();
    }
    maxClients = 0;
}

void CTreskDoc::DecodeAll() {
    ClearSignon();
    delta.Reset();
    playStarted = false;
    unsupportedProtocol = false;
    uint32_t number = 1;
    for (DemoBlock* b = FirstBlock(); b != nullptr; b = b->next, ++number) {
        if (!b->decoded) {
            decodingBlock_ = number;
            b->Decode(*this, kDecodeAlone);
        }
        if (decodeProgress) {
            decodeProgress(number, blockCount);
        }
    }
    decodingBlock_ = 0;
}

uint32_t CTreskDoc::FindFirstPlayBlock() {
    constexpr uint32_t kFirstCandidate = 6;
    DemoBlock* b = BlockAt(kFirstCandidate);
    for (uint32_t number = kFirstCandidate; b != nullptr; b = b->next, ++number) {
        if (!b->decoded) {
            b->Decode(*this, kDecodeWithNeighbours);
        }
        if (b->FindMessage(svc_frame) != nullptr) {
            return number;
        }
    }
    return 0;
}

void CTreskDoc::AddView(DocumentView* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) {
        views_.push_back(view);
    }
}

void CTreskDoc::RemoveView(DocumentView* view) {
    std::erase(views_, view);
}

void CTreskDoc::UpdateAllViews(DocumentView* sender, int hint,
                               const std::vector<uint32_t>& values) {
    // A view may close itself in answer; walk a copy.
    std::vector<DocumentView*> views = views_;
    for (DocumentView* v : views) {
        if (v != sender && std::find(views_.begin(), views_.end(), v) != views_.end()) {
            v->OnUpdate(sender, hint, values);
        }
    }
}

DemoBlock* CTreskDoc::FirstBlock() const {
    DemoBlock* b = currentBlock;
    while (b != nullptr && b->previous != nullptr) {
        b = b->previous;
    }
    return b;
}

DemoBlock* CTreskDoc::LastBlock() const {
    DemoBlock* b = currentBlock;
    while (b != nullptr && b->next != nullptr) {
        b = b->next;
    }
    return b;
}

uint32_t CTreskDoc::NumberOf(const DemoBlock* block) const {
    uint32_t n = 1;
    for (DemoBlock* b = FirstBlock(); b != nullptr; b = b->next, ++n) {
        if (b == block) {
            return n;
        }
    }
    return 0;
}

DemoBlock* CTreskDoc::BlockAt(uint32_t number) const {
    if (number < 1 || number > blockCount) {
        return nullptr;
    }
    DemoBlock* b = FirstBlock();
    for (uint32_t n = 1; n < number && b != nullptr; ++n) {
        b = b->next;
    }
    return b;
}

void CTreskDoc::ReportProblem(const std::string& text) {
    problems_.push_back({decodingBlock_, text});
}
