// A view on a document: learns about changes through the document's update broadcast.
#pragma once

#include <cstdint>
#include <vector>

// Update hints broadcast between the views of one document.
enum UpdateHint : int {
    kHintRefresh = 0,       // the current block changed; redraw
    kHintGotoMessage = 2,   // [block, message]: go to this message
    kHintDeleteMessage = 3, // [block, message(, kind)]: delete / a message was deleted
    kHintSelectBlocks = 4,  // [first, last]: select this run of blocks
    kHintShowModel = 10,    // [model table row, 0]: show this model in the preview
    kHintBeforeSave = 20,   // store pending page edits and renumber frames
    kHintFeedPreview = 69,  // feed the current block to the 3D preview again
    kHintPickEntity = 70,   // [entity]: the person picked this entity (overhead view)
};

class DocumentView {
  public:
    virtual ~DocumentView() = default;
    virtual void OnUpdate(DocumentView* sender, int hint, const std::vector<uint32_t>& values) = 0;
};
