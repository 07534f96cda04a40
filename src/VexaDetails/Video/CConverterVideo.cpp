#include "CConverterVideo.h"

#include <QDebug>

#include "IConverterVideoCallback.h"

namespace {
constexpr int kPollMs = 500;
}

CConverterVideo::CConverterVideo(const QString& source, const QString& destination)
    : m_source(source)
    , m_destination(destination) {
    MediaConfig* config = Config_Create();
    if (config) {
        Config_SetVideoFormat(config, MEDIACORE_VIDEO_H264);
        Config_SetAudioFormat(config, MEDIACORE_AUDIO_AAC);
    }
    // Zero leaves the choice to the engine: the source's size, rate and channels, quality-driven bit rates.
    Config_SetVideoSize(config, 0, 0);
    Config_SetVideoBitRate(config, 0);
    Config_SetVideoQuality(config, 90);
    Config_SetVideoFrameRate(config, 0, 1);
    Config_SetAudioSampleRate(config, 0);
    Config_SetAudioChannels(config, 2);
    Config_SetAudioBitRate(config, 0);
    Config_SetAudioQuality(config, 0);
    m_converter = Converter_Create(MEDIACORE_CONVERTER_MP4);
    if (m_converter) {
        const int code = Converter_Open(m_converter, m_source.toUtf8().constData(),
                                        m_destination.toUtf8().constData(), "mp4", config);
        if (code != MEDIACORE_OK)
            qDebug() << "CConverterVideo Converter_Open failed" << code << m_source;
    }
    Config_Release(config);
    m_timer.setInterval(kPollMs);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { OnTimer(); });
}

CConverterVideo::~CConverterVideo() {
    m_timer.stop();
    if (m_converter) {
        Converter_Stop(m_converter);
        Converter_Close(m_converter);
    }
    Converter_Release(m_converter);
}

void CConverterVideo::Start() {
    if (!m_converter)
        return; // never completes: the user ends the dialog with Cancel
    m_duration = Converter_GetDuration(m_converter);
    if (m_callback)
        m_callback->OnBegin();
    Converter_Start(m_converter);
    m_timer.start();
}

void CConverterVideo::Pause() {
    if (m_converter)
        Converter_Pause(m_converter);
}

void CConverterVideo::Resume() {
    if (m_converter)
        Converter_Start(m_converter);
}

void CConverterVideo::Stop() {
    m_timer.stop();
    if (m_converter)
        Converter_Stop(m_converter);
}

void CConverterVideo::OnTimer() {
    const int completed = Converter_IsCompleted(m_converter);
    if (completed != 0) {
        Finish(completed);
        return;
    }
    if (m_callback)
        m_callback->OnProgress(quint64(qMax<qint64>(0, Converter_GetConvertTime(m_converter)) / 1000),
                               quint64(qMax<qint64>(0, m_duration) / 1000));
}

void CConverterVideo::Finish(int outcome) {
    m_timer.stop();
    m_outcome = outcome;
    if (!m_callback)
        return;
    Converter_Stop(m_converter);
    Converter_Close(m_converter);
    if (outcome < 0) {
        qDebug() << "CConverterVideo conversion failed" << outcome << m_source;
        m_callback->OnError("conversion failed");
    }
    m_callback->OnEnd();
}
