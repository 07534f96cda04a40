#include "PlistFraming.h"

#include <cstring>

#include <arpa/inet.h>

#include "WireChannel.h"

namespace vexa::emulator {

PlistPtr PlistFraming::Read(WireChannel& channel) {
    uint32_t length = 0;
    if (!channel.ReadExact(&length, sizeof length))
        return nullptr;
    length = ntohl(length);
    if (length == 0 || length > kMaxMessage)
        return nullptr;
    std::vector<uint8_t> body(length);
    if (!channel.ReadExact(body.data(), body.size()))
        return nullptr;
    return formats::Plist::Parse(body);
}

bool PlistFraming::Write(WireChannel& channel, plist_t message, bool binary) {
    return WriteRaw(channel, binary ? formats::Plist::ToBinary(message) : formats::Plist::ToXml(message));
}

namespace {

std::vector<uint8_t> framed(const std::vector<uint8_t>& payload) {
    const uint32_t length = htonl(static_cast<uint32_t>(payload.size()));
    std::vector<uint8_t> frame(sizeof length + payload.size());
    std::memcpy(frame.data(), &length, sizeof length);
    if (!payload.empty())
        std::memcpy(frame.data() + sizeof length, payload.data(), payload.size());
    return frame;
}

} // namespace

bool PlistFraming::WriteRaw(WireChannel& channel, const std::vector<uint8_t>& payload) {
    return WriteFrame(channel, framed(payload));
}

bool PlistFraming::WriteFrame(WireChannel& channel, const std::vector<uint8_t>& frame) {
    if (!channel.IsTls() || frame.size() < 4)
        return channel.WriteAll(frame.data(), frame.size());
    // Under TLS a device sends the length and the plist as records of their own. libimobiledevice
    // waits on the socket before every read, so a plist that arrived in the length's record would sit
    // in its TLS buffer until that wait timed out.
    return channel.WriteAll(frame.data(), 4) && channel.WriteAll(frame.data() + 4, frame.size() - 4);
}

std::vector<uint8_t> PlistFraming::Frame(plist_t message, bool binary) {
    return framed(binary ? formats::Plist::ToBinary(message) : formats::Plist::ToXml(message));
}

Answer PlistFraming::MakeAnswer(plist_t reply, plist_t error, bool binary) {
    Answer answer;
    answer.frame = Frame(reply, binary);
    answer.errorFrame = Frame(error, binary);
    answer.oversizedHead = {0x7f, 0xff, 0xff, 0xf0};
    return answer;
}

} // namespace vexa::emulator
