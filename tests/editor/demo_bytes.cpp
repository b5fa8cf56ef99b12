#include "demo_bytes.h"

namespace edtest {

namespace {

void Put8(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v));
}
void Put16(Bytes& b, uint32_t v) {
    Put8(b, v);
    Put8(b, v >> 8);
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v);
    Put16(b, v >> 16);
}
void PutString(Bytes& b, const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    b.push_back(0);
}

} // namespace

Bytes ServerData(int32_t protocol) {
    Bytes b;
    Put8(b, svc_serverdata);
    Put32(b, static_cast<uint32_t>(protocol));
    Put32(b, 0x10000);
    Put8(b, 1);
    PutString(b, "");
    Put16(b, 0);
    PutString(b, "Sample Arena");
    return b;
}

Bytes ConfigString(uint16_t index, const std::string& value) {
    Bytes b;
    Put8(b, svc_configstring);
    Put16(b, index);
    PutString(b, value);
    return b;
}

Bytes Print(uint8_t level, const std::string& text) {
    Bytes b;
    Put8(b, svc_print);
    Put8(b, level);
    PutString(b, text);
    return b;
}

Bytes StuffText(const std::string& text) {
    Bytes b;
    Put8(b, svc_stufftext);
    PutString(b, text);
    return b;
}

Bytes Nop() {
    return {svc_nop};
}

Bytes Frame(int32_t serverFrame, int32_t deltaFrame) {
    Bytes b;
    Put8(b, svc_frame);
    Put32(b, static_cast<uint32_t>(serverFrame));
    Put32(b, static_cast<uint32_t>(deltaFrame));
    Put8(b, 0); // suppress count
    Put8(b, 0); // no area bits
    return b;
}

Bytes Sound(uint8_t soundnum, uint8_t volume, uint8_t attenuation, int16_t x, int16_t y,
            int16_t z) {
    Bytes b;
    Put8(b, svc_sound);
    Put8(b, SND_VOLUME | SND_ATTENUATION | SND_POS);
    Put8(b, soundnum);
    Put8(b, volume);
    Put8(b, attenuation);
    Put16(b, static_cast<uint16_t>(x));
    Put16(b, static_cast<uint16_t>(y));
    Put16(b, static_cast<uint16_t>(z));
    return b;
}

Bytes Cat(const std::vector<Bytes>& parts) {
    Bytes out;
    for (const Bytes& p : parts) {
        out.insert(out.end(), p.begin(), p.end());
    }
    return out;
}

Bytes Container(const std::vector<Bytes>& blocks) {
    Bytes out;
    for (const Bytes& b : blocks) {
        Put32(out, static_cast<uint32_t>(b.size()));
        out.insert(out.end(), b.begin(), b.end());
    }
    return out;
}

std::unique_ptr<CTreskDoc> LoadDoc(const std::vector<Bytes>& blocks) {
    auto doc = std::make_unique<CTreskDoc>();
    Bytes file = Container(blocks);
    doc->LoadFromBytes(file.data(), file.size());
    return doc;
}

std::vector<Bytes> SampleDemo(uint32_t blocks, uint32_t firstPlay, uint32_t extraMessages) {
    std::vector<Bytes> out;
    out.push_back(Cat({ServerData(), ConfigString(kModelBase, "maps/sample1.bsp"),
                       ConfigString(kSoundBase, "world/ambient.wav")}));
    for (uint32_t n = 2; n <= blocks; ++n) {
        if (firstPlay == 0 || n < firstPlay) {
            out.push_back(Print(2, "signon " + std::to_string(n)));
            continue;
        }
        std::vector<Bytes> parts{
            Frame(static_cast<int32_t>(1000 + n), static_cast<int32_t>(999 + n))};
        for (uint32_t k = 1; k <= extraMessages; ++k) {
            parts.push_back(Print(1, "b" + std::to_string(n) + " m" + std::to_string(k)));
        }
        out.push_back(Cat(parts));
    }
    return out;
}

} // namespace edtest
