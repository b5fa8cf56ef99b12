// Renumbering the frame messages before saving, so that blocks cut, pasted or reversed still
// play as consecutive frames, each a delta from the one before.
#include "tresk_doc.h"

void CTreskDoc::RenumberFrames() {
    DemoBlock* block = BlockAt(firstFrameBlock);
    if (block == nullptr) {
        return;
    }
    auto* frame = MessageCast<FrameMessage>(block->FindMessage(svc_frame));
    if (frame == nullptr) {
        return;
    }
    int32_t base = frame->server_frame;
    for (block = block->next; block != nullptr; block = block->next) {
        if (!block->decoded) {
            block->Decode(*this, kDecodeWithNeighbours);
        }
        ++base;
        bool newMap = false;
        FrameMessage* found = nullptr;
        for (DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next) {
            if (m->type == svc_serverdata) {
                newMap = true;
            } else if (m->type == svc_frame) {
                found = static_cast<FrameMessage*>(m);
                break;
            }
        }
        if (found == nullptr) {
            return;
        }
        found->server_frame = base;
        // The first frame after a new serverdata stands alone: the game has no frame to
        // delta from there, and the encoder sends it against the baselines.
        found->delta_frame = newMap ? -1 : base - 1;
    }
}
