#include "demo_message.h"

#include "message_arena.h"

#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace {

template <class T> struct Tag { using type = T; };

// Calls f(Tag<RecordType>) with the record type that carries an id's payload.
template <class F> decltype(auto) WithRecordType(uint8_t type, F&& f) {
    switch (type) {
    case svc_muzzleflash:
    case svc_muzzleflash2:
        return f(Tag<MuzzleFlashMessage>{});
    case svc_temp_entity:
        return f(Tag<TempEntityMessage>{});
    case svc_layout:
    case svc_stufftext:
    case svc_centerprint:
        return f(Tag<TextMessage>{});
    case svc_print:
        return f(Tag<PrintMessage>{});
    case svc_inventory:
        return f(Tag<InventoryMessage>{});
    case svc_sound:
        return f(Tag<SoundMessage>{});
    case svc_serverdata:
        return f(Tag<ServerDataMessage>{});
    case svc_configstring:
        return f(Tag<ConfigStringMessage>{});
    case svc_spawnbaseline:
    case svc_packetentities:
        return f(Tag<EntityMessage>{});
    case svc_playerinfo:
        return f(Tag<PlayerInfoMessage>{});
    case svc_frame:
        return f(Tag<FrameMessage>{});
    default:
        return f(Tag<DemoMessage>{});
    }
}

} // namespace

MessagePtr NewMessage(uint8_t type) {
    DemoMessage* m = WithRecordType(type, [](auto tag) -> DemoMessage* {
        using T = typename decltype(tag)::type;
        return new T{};
    });
    m->type = type;
    return MessagePtr(m);
}

DemoMessage* NewMessageIn(MessageArena& arena, uint8_t type) {
    DemoMessage* m = WithRecordType(type, [&arena](auto tag) -> DemoMessage* {
        using T = typename decltype(tag)::type;
        return new (arena.Allocate(sizeof(T), alignof(T))) T{};
    });
    m->type = type;
    m->pooled = true;
    return m;
}

size_t ArenaFootprint(uint8_t type, size_t offset) {
    return WithRecordType(type, [offset](auto tag) {
        using T = typename decltype(tag)::type;
        return ((offset + alignof(T) - 1) & ~(alignof(T) - 1)) + sizeof(T) - offset;
    });
}

DemoMessage* RelocateMessage(DemoMessage* m, MessageArena& to) {
    return WithRecordType(m->type, [m, &to](auto tag) -> DemoMessage* {
        using T = typename decltype(tag)::type;
        T* old = static_cast<T*>(m);
        void* place = to.Allocate(sizeof(T), alignof(T));
        if constexpr (std::is_trivially_copyable_v<T>) {
            std::memcpy(place, old, sizeof(T)); // the old copy needs no destruction
            return static_cast<T*>(place);
        } else {
            T* moved = new (place) T(std::move(*old));
            DestroyMessage(old);
            return moved;
        }
    });
}

DemoMessage* AdoptCopiedMessage(DemoMessage* m, void* place) {
    return WithRecordType(m->type, [m, place](auto tag) -> DemoMessage* {
        using T = typename decltype(tag)::type;
        if constexpr (std::is_trivially_copyable_v<T>) {
            return static_cast<T*>(place); // the copied bytes are the record
        } else {
            T* old = static_cast<T*>(m);
            T* moved = new (place) T(std::move(*old));
            DestroyMessage(old);
            return moved;
        }
    });
}

void DestroyMessage(DemoMessage* m) {
    if (m == nullptr) {
        return;
    }
    WithRecordType(m->type, [m](auto tag) {
        using T = typename decltype(tag)::type;
        T* record = static_cast<T*>(m);
        if (record->pooled) {
            record->~T();
        } else {
            delete record;
        }
    });
}

MessagePtr CloneMessage(const DemoMessage& m) {
    DemoMessage* copy = WithRecordType(m.type, [&m](auto tag) -> DemoMessage* {
        using T = typename decltype(tag)::type;
        return new T(static_cast<const T&>(m));
    });
    copy->next = nullptr;
    copy->pooled = false;
    return MessagePtr(copy);
}

DemoMessage* CloneMessageIn(const DemoMessage& m, MessageArena& arena) {
    DemoMessage* copy = WithRecordType(m.type, [&m, &arena](auto tag) -> DemoMessage* {
        using T = typename decltype(tag)::type;
        return new (arena.Allocate(sizeof(T), alignof(T))) T(static_cast<const T&>(m));
    });
    copy->next = nullptr;
    copy->pooled = true;
    return copy;
}
