// Opening the preview, building its scene and feeding it blocks.
#include "preview/preview_driver.h"

#include "demo/demo_block.h"
#include "demo/frame_timeline.h"
#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"
#include "preview/preview_records.h"
#include "preview/scene_names.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char* const kNeedPreviewText = "3D preview must be open for this feature to work.";
const char* const kStopSelectionText = "STOPPED: end of selection.";
const char* const kStopDemoText = "STOPPED: end of demo.";

namespace {

constexpr const char* kWindowTitle = "Cinerad 2 Preview Window";
constexpr const char* kDefaultPlayerSkin = "players/male/cyborg.pcx";

void CopySkinPath(preventity_s& r, const std::string& path) {
    std::memset(r.skinpath, 0, sizeof r.skinpath);
    std::memcpy(r.skinpath, path.data(), std::min(path.size(), sizeof r.skinpath - 1));
}

} // namespace

CPreviewDriver::CPreviewDriver(CTreskView& view, PreviewWindowFactory& factory,
                               PreviewTimers& timers, FilmStrip* filmstrip)
    : view_(view), factory_(factory), timers_(timers), filmstrip_(filmstrip) {
    view_.previewHooks.feedCurrentBlock = [this] { FeedCurrentBlock(); };
    view_.previewHooks.showModel = [this](uint32_t row) { ShowModel(row); };
    view_.previewHooks.selectionConfirmed = [this] { RefreshFilmstrip(); };
}

CPreviewDriver::~CPreviewDriver() {
    Close();
    view_.previewHooks = {};
}

CTreskDoc& CPreviewDriver::Doc() const {
    return view_.Document();
}

std::vector<std::string> CPreviewDriver::LibraryPaths() const {
    const char* name = options_.useOpenGL ? "ref_gl.so" : "ref_soft.so";
    std::vector<std::string> paths;
    if (!options_.library.empty()) {
        return {options_.library};
    }
    if (!options_.quake2Path.empty()) {
        paths.push_back(options_.quake2Path + "/" + name);
    }
    if (!options_.programDir.empty()) {
        paths.push_back(options_.programDir + "/" + name);
    }
    return paths;
}

bool CPreviewDriver::OnPreview3d() {
    if (IsOpen()) {
        Close();
        return true;
    }
    return Open();
}

bool CPreviewDriver::Open() {
    CTreskDoc& doc = Doc();
    if (!view_.HasCurrentBlock()) {
        return false;
    }
    InitializeImports(&doc.refImport);

    const std::string model1 = doc.modelTable.Count() > 0 ? doc.modelTable.Entry(0) : "";
    const std::optional<std::string> map = MapBaseName(model1);
    if (!map) {
        view_.GetUi().ShowMessage("The 3D preview cannot start: the demo names no map (model 1 "
                                  "is \"" +
                                  model1 + "\", not maps/NAME.bsp).");
        return false;
    }

    CQRefApiImport& host = doc.refImport;
    host.CVar_Set("vid_gamma", static_cast<float>(options_.gamma * 0.01));
    host.SetVideoInfo(options_.width, options_.height);
    host.SetBaseDirectory((options_.quake2Path + "/baseq2/").c_str());
    const std::string mapPath = "maps/" + *map + ".bsp";
    if (host.FS_LoadFile(mapPath.c_str(), nullptr) < 0) {
        view_.GetUi().ShowMessage("The 3D preview cannot start: the map " + mapPath +
                                  " is in none of the pak files and not in the game folder.");
        return false;
    }

    PreviewWindowRequest request;
    request.host = &host;
    request.libraryPaths = LibraryPaths();
    request.title = kWindowTitle;
    request.owner = this;
    std::string whyNot;
    window_ = factory_.Open(request, &whyNot);
    if (!window_) {
        view_.GetUi().ShowMessage(whyNot);
        return false;
    }
    doc.previewOpen = true;
    seenChanges_ = doc.blockListChanges;
    shown_.clear();
    shownBlock_ = nullptr;
    scene_ = {};
    viewerSpawned_ = false;
    BuildScene();
    return true;
}

void CPreviewDriver::BuildScene() {
    CTreskDoc& doc = Doc();
    PreviewWindow& w = *window_;
    w.BeginRegistration(MapBaseName(doc.modelTable.Entry(0)).value_or("").c_str());

    for (int i = 1; i <= doc.modelTable.Count(); ++i) {
        const std::string name = doc.modelTable.Entry(i - 1);
        if (name.find("v_shotg/flash2") == std::string::npos) {
            w.RegisterModel(32 + i, name.c_str());
        }
    }

    std::vector<std::string> skins;
    for (int k = 0; k < doc.skinTable.Count(); ++k) {
        skins.push_back(doc.skinTable.Entry(k));
    }
    const PlayerModelPlan plan = PlanPlayerModels(skins);
    for (size_t m = 0; m < plan.models.size(); ++m) {
        const std::string path = "players/" + plan.models[m] + "/tris.md2";
        w.RegisterModel(332 + static_cast<int>(m), path.c_str());
    }
    for (size_t k = 0; k < plan.players.size() && k < doc.playerModels.size(); ++k) {
        doc.playerModels[k].path = plan.players[k].skinPath;
        doc.playerModels[k].modelNumber = plan.players[k].modelNumber;
    }
    w.EndRegistration();

    for (int n = 1; n <= doc.maxClients && n < kPrevEntitySlots; ++n) {
        preventity_s r;
        std::memset(&r, 0, sizeof r);
        r.spawn = 1;
        CopySkinPath(r, kDefaultPlayerSkin);
        w.SpawnEntity(n, &r);
        // Shown once a frame holds the player.
        w.HideEntity(n);
    }

    float axis[3] = {0, 0, 0};
    std::sscanf(doc.skyAxis.c_str(), "%f %f %f", &axis[0], &axis[1], &axis[2]);
    w.SetSky(doc.skyName.c_str(), static_cast<float>(std::atof(doc.skyRotate.c_str())), axis);

    // The signon from its first block on: baselines may stand in any of its blocks.
    Feed(nullptr, kFeedResetScene);
    for (uint32_t n = 1; n <= doc.firstFrameBlock; ++n) {
        if (DemoBlock* b = view_.BlockByNumber(n)) {
            Feed(b, static_cast<int>(n) - 1);
        }
    }
    playbackBlock_ = doc.currentBlock;
    playbackPosition_ = view_.CurrentBlockNumber();
    Feed(doc.currentBlock, static_cast<int>(view_.CurrentBlockNumber()));
}

void CPreviewDriver::Close() {
    timers_.Stop(kPlaybackTimer);
    timers_.Stop(kModelTimer);
    playing_ = false;
    modelTimer_ = false;
    if (window_) {
        window_->SetPlayback(false);
    }
    if (window_) {
        Doc().previewOpen = false;
    }
    window_.reset();
    sceneBuilt_ = false;
    shown_.clear();
    shownBlock_ = nullptr;
    scene_ = {};
}

void CPreviewDriver::FollowBlockList() {
    CTreskDoc& doc = Doc();
    if (doc.blockListChanges == seenChanges_) {
        return;
    }
    seenChanges_ = doc.blockListChanges;
    StopPlayback();
    playbackBlock_ = view_.BlockByNumber(playbackPosition_);
    shownBlock_ = nullptr;
}

void CPreviewDriver::FeedCurrentBlock() {
    if (!window_ || playing_ || !view_.HasCurrentBlock()) {
        return;
    }
    FollowBlockList();
    playbackBlock_ = Doc().currentBlock;
    Feed(Doc().currentBlock, static_cast<int>(view_.CurrentBlockNumber()));
}

void CPreviewDriver::Feed(DemoBlock* block, int index) {
    if (index == kFeedResetScene) {
        sceneBuilt_ = false;
        return;
    }
    if (!window_ || block == nullptr) {
        return;
    }
    FollowBlockList();
    const int firstFrame = static_cast<int>(Doc().firstFrameBlock);
    if (sceneBuilt_ && index < firstFrame) {
        return;
    }
    if (index == firstFrame - 1) {
        sceneBuilt_ = true;
    }
    PreviewWindow& w = *window_;
    bool framed = false;
    for (DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next) {
        switch (m->type) {
        case svc_print:
            w.Print(static_cast<const PrintMessage*>(m)->level,
                    static_cast<const PrintMessage*>(m)->text.c_str());
            break;
        case svc_centerprint:
            w.Print(3, static_cast<const TextMessage*>(m)->text.c_str());
            break;
        case svc_serverdata:
            // A new map: nothing of the old one is shown any more.
            for (const EntityState& s : shown_) {
                w.HideEntity(s.number);
            }
            shown_.clear();
            scene_.entities.clear();
            break;
        case svc_spawnbaseline: {
            const EntityState& s = static_cast<const EntityMessage*>(m)->state;
            preventity_s r = BaselineRecord(s);
            w.SpawnEntity(s.number, &r);
            break;
        }
        case svc_playerinfo: {
            const PlayerState& ps = static_cast<const PlayerInfoMessage*>(m)->state;
            const prevplayer_s p = PlayerRecord(ps);
            w.UpdatePlayerInfo(&p);
            scene_.hasPlayer = true;
            scene_.player = p;
            std::copy(ps.origin, ps.origin + 3, scene_.playerOrigin);
            break;
        }
        case svc_frame:
            if (!framed && static_cast<const FrameMessage*>(m)->complete) {
                framed = true;
                ShowFrame(*block);
            }
            break;
        default:
            break;
        }
    }
    if (!framed) {
        // What is shown stays what the frame before this block showed only when it was the
        // block before.
        shownBlock_ = (shownBlock_ != nullptr && block->previous == shownBlock_) ? block : nullptr;
    }
    w.SetPlayback(playing_);
    w.SetBlockIndex(index);
    w.UpdateFrame();
}

void CPreviewDriver::ShowFrame(const DemoBlock& block) {
    const FrameMessage* frame = FirstCompleteFrame(block);
    if (frame == nullptr) {
        return;
    }
    CTreskDoc& doc = Doc();
    // What the frame applies onto: what the frame shown just before showed when that was
    // the block before this one, else what the document says.
    EntitySet shown;
    if (frame->keptWhole == nullptr && shownBlock_ != nullptr && block.previous == shownBlock_) {
        shown = ShownBy(*frame, shown_);
    } else {
        const FrameSnapshotPtr base = FrameBase(block);
        shown = ShownBy(*frame, base ? base->base : EntitySet{});
    }

    PreviewWindow& w = *window_;
    size_t old = 0;
    const int recorder = doc.playerNumber + 1;
    scene_.entities.clear();
    for (const EntityState& s : shown) {
        while (old < shown_.size() && shown_[old].number < s.number) {
            w.HideEntity(shown_[old++].number);
        }
        if (old < shown_.size() && shown_[old].number == s.number) {
            ++old;
        }
        if (s.number == 0 || s.number == recorder || s.number >= kPrevEntitySlots) {
            continue;
        }
        preventity_s r = FrameEntityRecord(s, doc.entityNotes[s.number].marker);
        if (s.number <= doc.maxClients && (s.modelindex == 255 || s.modelindex == 0) &&
            r.skinnum < static_cast<int32_t>(doc.playerModels.size())) {
            const PlayerModelEntry& player = doc.playerModels[static_cast<size_t>(r.skinnum)];
            if (player.modelNumber > 0 && player.modelNumber < kPrevModelSlots) {
                r.modelindex = player.modelNumber;
            }
            CopySkinPath(r, player.path);
        }
        if (!w.HasEntity(s.number)) {
            // An entity without a baseline: it gets its slot when it is first seen.
            preventity_s spawn = r;
            spawn.spawn = 1;
            w.SpawnEntity(s.number, &spawn);
        }
        scene_.entities.push_back({s, r});
        w.UpdateEntity(s.number, &r);
    }
    while (old < shown_.size()) {
        w.HideEntity(shown_[old++].number);
    }
    shown_ = std::move(shown);
    shownBlock_ = &block;
}
