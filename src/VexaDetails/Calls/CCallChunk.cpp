#include "CCallChunk.h"

#include <cmath>

#include <QDateTime>

#include "IBaseSerial.h"

namespace {

const char* OrEmpty(const char* text) {
    return text ? text : "";
}

const char* KindName(int kind) {
    switch (kind) {
    case CALL_PHONE:
        return "Phone";
    case CALL_FACETIME_AUDIO:
        return "FaceTime Audio";
    case CALL_FACETIME_VIDEO:
        return "FaceTime Video";
    default:
        return "Other";
    }
}

const char* OutcomeName(CCallChunk::Outcome outcome) {
    switch (outcome) {
    case CCallChunk::Outcome::Answered:
        return "Yes";
    case CCallChunk::Outcome::Missed:
        return "Missed";
    default:
        return "No";
    }
}

} // namespace

std::list<IBaseChunk*> CCallChunk::BuildChunks(const CallHistoryList& list) {
    std::list<IBaseChunk*> chunks;
    if (list.count <= 0 || !list.calls)
        return chunks;
    for (int32_t i = 0; i < list.count; ++i) {
        const CallHistoryRecord& record = list.calls[i];
        auto* chunk = new CCallChunk;
        chunk->SetName(OrEmpty(record.name));
        chunk->address = OrEmpty(record.address);
        chunk->unixTime = record.date;
        chunk->durationSeconds = std::isfinite(record.duration) && record.duration > 0 ? record.duration : 0;
        chunk->outgoing = record.outgoing != 0;
        chunk->answered = record.answered != 0;
        chunk->kind = record.kind;
        chunks.push_back(chunk);
    }
    return chunks;
}

QString CCallChunk::DurationText(double seconds) {
    const qint64 whole = seconds > 0 && std::isfinite(seconds) ? qint64(seconds) : 0;
    const qint64 hours = whole / 3600;
    const qint64 minutes = whole / 60 % 60;
    const QString secondsText = QStringLiteral("%1").arg(whole % 60, 2, 10, QLatin1Char('0'));
    if (hours == 0)
        return QStringLiteral("%1:%2").arg(minutes).arg(secondsText);
    return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secondsText);
}

QString CCallChunk::DateTimeText(int64_t unixTime) {
    return QDateTime::fromSecsSinceEpoch(unixTime).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

CCallChunk::Outcome CCallChunk::CallOutcome() const {
    if (answered)
        return Outcome::Answered;
    return outgoing ? Outcome::NotAnswered : Outcome::Missed;
}

QString CCallChunk::NameOrNumber() const {
    const std::string name = GetName();
    return QString::fromStdString(name.empty() ? address : name);
}

void CCallChunk::Serialize(IBaseSerial* writer) {
    if (!writer)
        return;
    writer->BeginItem("Item", -1);
    writer->WriteString("Name", GetName().c_str());
    writer->WriteString("PhoneNumber", address.c_str());
    writer->WriteString("Datetime", DateTimeText(unixTime).toUtf8().constData());
    writer->WriteString("Duration", DurationText(durationSeconds).toUtf8().constData());
    writer->WriteString("Seconds", QString::number(durationSeconds, 'f', 3).toUtf8().constData());
    writer->WriteString("Direction", outgoing ? "Outgoing" : "Incoming");
    writer->WriteString("Answered", OutcomeName(CallOutcome()));
    writer->WriteString("Type", KindName(kind));
    writer->EndItem();
}
