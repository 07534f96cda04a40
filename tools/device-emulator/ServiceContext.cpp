#include "ServiceContext.h"

#include "EmulatedDevice.h"
#include "Emulator.h"
#include "PlistFraming.h"
#include "WireChannel.h"

namespace vexa::emulator {

namespace {

// Enough of a header to say where a message begins; the rest is replaced by noise.
constexpr size_t kKeptPrefix = 4;

} // namespace

bool SendAnswer(ServiceContext& context, const Answer& answer) {
    const auto fault = context.emulator.Faults().Take(context.service);
    if (!fault)
        return PlistFraming::WriteFrame(context.channel, answer.frame);
    switch (*fault) {
    case FaultKind::Drop:
        context.channel.WriteAll(answer.frame.data(), answer.frame.size() / 2);
        return false;
    case FaultKind::Malformed: {
        std::vector<uint8_t> noise = answer.frame;
        for (size_t i = kKeptPrefix; i < noise.size(); ++i)
            noise[i] = static_cast<uint8_t>('#' + i % 7);
        return context.channel.WriteAll(noise.data(), noise.size());
    }
    case FaultKind::Oversized: {
        context.channel.WriteAll(answer.oversizedHead.data(), answer.oversizedHead.size());
        const std::vector<uint8_t> filler(64 * 1024, 'x');
        context.channel.WriteAll(filler.data(), filler.size());
        return false;
    }
    case FaultKind::UnknownError:
        context.endedByError = true;
        return PlistFraming::WriteFrame(context.channel, answer.errorFrame);
    case FaultKind::Timeout: {
        // Never answers; the connection ends when the client gives up or the device goes.
        char discard = 0;
        while (context.channel.ReadExact(&discard, 1)) {
        }
        return false;
    }
    case FaultKind::Detach:
        context.emulator.SetPlugged(context.device.Udid(), false);
        return false;
    }
    return false;
}

} // namespace vexa::emulator
