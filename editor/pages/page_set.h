// The edit pages of a view: one object per page resource, each serving its message types.
// print and stufftext share one page, as do bad, nop, disconnect and reconnect.
#pragma once

#include "editor/pages/message_page.h"

#include <cstdint>
#include <memory>
#include <vector>

class MessagePageSet {
  public:
    MessagePageSet();
    ~MessagePageSet();
    MessagePageSet(const MessagePageSet&) = delete;
    MessagePageSet& operator=(const MessagePageSet&) = delete;

    // The page of a message type; null for download, deltapacketentities and unknown ids.
    MessagePage* ForType(uint8_t type) const;
    // The page with a resource id; null when there is none.
    MessagePage* ById(int resourceId) const;

  private:
    std::vector<std::unique_ptr<MessagePage>> pages_;
    MessagePage* byType_[256] = {};
};
