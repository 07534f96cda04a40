#include "GifWriter.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include <QFile>
#include <QHash>

namespace {

constexpr int kMaxCodeBits = 12;

QRgb blendOverMatte(QRgb pixel, QRgb matte) {
    const int alpha = qAlpha(pixel);
    auto mix = [alpha](int front, int back) { return (front * alpha + back * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(pixel), qRed(matte)), mix(qGreen(pixel), qGreen(matte)),
                mix(qBlue(pixel), qBlue(matte)));
}

int distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return 2 * dr * dr + 4 * dg * dg + 3 * db * db;
}

using Histogram = std::vector<std::pair<QRgb, int>>;

int channel(QRgb color, int axis) {
    return axis == 0 ? qRed(color) : axis == 1 ? qGreen(color) : qBlue(color);
}

struct ColorBox {
    Histogram::iterator begin;
    Histogram::iterator end;
    int axis = 0;
    int range = 0;
    long long pixels = 0;

    void Measure() {
        int low[3] = {255, 255, 255};
        int high[3] = {0, 0, 0};
        pixels = 0;
        for (auto it = begin; it != end; ++it) {
            for (int a = 0; a < 3; ++a) {
                low[a] = qMin(low[a], channel(it->first, a));
                high[a] = qMax(high[a], channel(it->first, a));
            }
            pixels += it->second;
        }
        range = -1;
        for (int a = 0; a < 3; ++a)
            if (high[a] - low[a] > range) {
                range = high[a] - low[a];
                axis = a;
            }
    }

    QRgb Average() const {
        long long sum[3] = {0, 0, 0};
        for (auto it = begin; it != end; ++it)
            for (int a = 0; a < 3; ++a)
                sum[a] += static_cast<long long>(channel(it->first, a)) * it->second;
        auto mean = [this](long long total) { return static_cast<int>((total + pixels / 2) / pixels); };
        return qRgb(mean(sum[0]), mean(sum[1]), mean(sum[2]));
    }
};

// Median cut: split the box with the widest spread (weighted by how many pixels it holds) at its
// pixel median, until there are as many boxes as palette entries. A flat area is one colour and stays
// exact; gradients and anti-aliased edges share the remaining entries.
std::vector<QRgb> medianCut(Histogram& histogram, size_t colors) {
    std::vector<ColorBox> boxes(1);
    boxes.front().begin = histogram.begin();
    boxes.front().end = histogram.end();
    boxes.front().Measure();
    while (boxes.size() < colors) {
        auto widest = std::max_element(boxes.begin(), boxes.end(), [](const ColorBox& a, const ColorBox& b) {
            const bool aSplits = a.end - a.begin > 1;
            const bool bSplits = b.end - b.begin > 1;
            if (aSplits != bSplits)
                return !aSplits;
            return static_cast<double>(a.range) * a.pixels < static_cast<double>(b.range) * b.pixels;
        });
        if (widest->end - widest->begin < 2)
            break;
        const int axis = widest->axis;
        std::sort(widest->begin, widest->end, [axis](const auto& a, const auto& b) {
            return channel(a.first, axis) < channel(b.first, axis);
        });
        long long seen = 0;
        auto middle = widest->begin;
        while (middle + 1 < widest->end && seen + middle->second <= widest->pixels / 2)
            seen += (middle++)->second;
        if (middle == widest->begin)
            ++middle;
        ColorBox upper{middle, widest->end};
        widest->end = middle;
        widest->Measure();
        upper.Measure();
        boxes.push_back(upper);
    }
    std::vector<QRgb> palette;
    for (const ColorBox& box : boxes)
        palette.push_back(box.Average());
    return palette;
}

class Palette {
public:
    Palette(const QList<QImage>& frames, QRgb matte) {
        QHash<QRgb, int> counts;
        for (const QImage& frame : frames)
            for (int y = 0; y < frame.height(); ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
                for (int x = 0; x < frame.width(); ++x) {
                    if (qAlpha(row[x]) < 128)
                        m_hasTransparency = true;
                    else
                        ++counts[blendOverMatte(row[x], matte)];
                }
            }
        Histogram histogram;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            histogram.emplace_back(it.key(), it.value());
        // A fixed order keeps the palette, and so the files, the same from build to build.
        std::sort(histogram.begin(), histogram.end());
        const size_t room = m_hasTransparency ? 255 : 256;
        if (histogram.size() <= room) {
            for (const auto& entry : histogram)
                m_colors.push_back(entry.first);
        } else {
            m_colors = medianCut(histogram, room);
        }
        if (m_colors.empty())
            m_colors.push_back(matte);
        m_transparentIndex = m_hasTransparency ? static_cast<int>(m_colors.size()) : -1;
        m_bits = 1;
        while ((1 << m_bits) < static_cast<int>(m_colors.size()) + (m_hasTransparency ? 1 : 0))
            ++m_bits;
    }

    uint8_t IndexOf(QRgb opaque) {
        const auto cached = m_lookup.find(opaque);
        if (cached != m_lookup.end())
            return cached->second;
        size_t best = 0;
        for (size_t i = 1; i < m_colors.size(); ++i)
            if (distance(m_colors[i], opaque) < distance(m_colors[best], opaque))
                best = i;
        m_lookup.emplace(opaque, static_cast<uint8_t>(best));
        return static_cast<uint8_t>(best);
    }

    int Bits() const { return m_bits; }
    int TransparentIndex() const { return m_transparentIndex; }

    QByteArray Table() const {
        QByteArray table;
        for (int i = 0; i < (1 << m_bits); ++i) {
            const QRgb color = i < static_cast<int>(m_colors.size()) ? m_colors[static_cast<size_t>(i)] : 0;
            table.append(char(qRed(color))).append(char(qGreen(color))).append(char(qBlue(color)));
        }
        return table;
    }

private:
    std::vector<QRgb> m_colors;
    std::unordered_map<QRgb, uint8_t> m_lookup;
    bool m_hasTransparency = false;
    int m_transparentIndex = -1;
    int m_bits = 1;
};

// Packs variable-width codes least significant bit first into 255-byte data sub-blocks.
class CodeStream {
public:
    void Put(int code, int bits) {
        m_buffer |= static_cast<uint32_t>(code) << m_used;
        m_used += bits;
        while (m_used >= 8) {
            m_bytes.append(char(m_buffer & 0xff));
            m_buffer >>= 8;
            m_used -= 8;
        }
    }

    QByteArray Blocks() {
        if (m_used > 0)
            m_bytes.append(char(m_buffer & 0xff));
        m_used = 0;
        m_buffer = 0;
        QByteArray blocks;
        for (qsizetype at = 0; at < m_bytes.size(); at += 255) {
            const qsizetype length = qMin<qsizetype>(255, m_bytes.size() - at);
            blocks.append(char(length)).append(m_bytes.mid(at, length));
        }
        blocks.append('\0');
        return blocks;
    }

private:
    QByteArray m_bytes;
    uint32_t m_buffer = 0;
    int m_used = 0;
};

QByteArray compress(const std::vector<uint8_t>& indices, int minCodeSize) {
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    int codeSize = minCodeSize + 1;
    int nextCode = endCode + 1;
    std::unordered_map<uint32_t, int> dictionary;
    CodeStream out;
    out.Put(clearCode, codeSize);
    int prefix = indices.empty() ? 0 : indices.front();
    for (size_t i = 1; i < indices.size(); ++i) {
        const uint32_t key = (static_cast<uint32_t>(prefix) << 8) | indices[i];
        const auto found = dictionary.find(key);
        if (found != dictionary.end()) {
            prefix = found->second;
            continue;
        }
        out.Put(prefix, codeSize);
        if (nextCode < (1 << kMaxCodeBits)) {
            dictionary.emplace(key, nextCode++);
            // The decoder learns each entry one code later, so the width grows once the entry
            // numbered 2^width exists.
            if (nextCode > (1 << codeSize) && codeSize < kMaxCodeBits)
                ++codeSize;
        } else {
            out.Put(clearCode, codeSize);
            dictionary.clear();
            nextCode = endCode + 1;
            codeSize = minCodeSize + 1;
        }
        prefix = indices[i];
    }
    out.Put(prefix, codeSize);
    out.Put(endCode, codeSize);
    return out.Blocks();
}

void putWord(QByteArray& out, int value) {
    out.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

} // namespace

bool GifWriter::Write(const QString& path, const QList<QImage>& frames, int delayMs, const QColor& matte,
                      QString* error) {
    if (frames.isEmpty()) {
        *error = QStringLiteral("no frames for %1").arg(path);
        return false;
    }
    QList<QImage> argb;
    for (const QImage& frame : frames)
        argb.append(frame.convertToFormat(QImage::Format_ARGB32));
    const QSize size = argb.front().size();
    Palette palette(argb, matte.rgb());
    const int minCodeSize = qMax(2, palette.Bits());

    QByteArray gif("GIF89a");
    putWord(gif, size.width());
    putWord(gif, size.height());
    gif.append(char(0x80 | (7 << 4) | (palette.Bits() - 1))).append('\0').append('\0');
    gif.append(palette.Table());
    gif.append("\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00", 19);

    const int delay = qMax(2, (delayMs + 5) / 10);
    for (const QImage& frame : argb) {
        const bool transparent = palette.TransparentIndex() >= 0;
        gif.append("\x21\xf9\x04", 3);
        gif.append(char(((transparent ? 2 : 1) << 2) | (transparent ? 1 : 0)));
        putWord(gif, delay);
        gif.append(char(transparent ? palette.TransparentIndex() : 0)).append('\0');
        gif.append('\x2c');
        putWord(gif, 0);
        putWord(gif, 0);
        putWord(gif, size.width());
        putWord(gif, size.height());
        gif.append('\0');
        std::vector<uint8_t> indices;
        indices.reserve(static_cast<size_t>(size.width() * size.height()));
        for (int y = 0; y < size.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                indices.push_back(qAlpha(row[x]) < 128
                                      ? static_cast<uint8_t>(palette.TransparentIndex())
                                      : palette.IndexOf(blendOverMatte(row[x], matte.rgb())));
        }
        gif.append(char(minCodeSize));
        gif.append(compress(indices, minCodeSize));
    }
    gif.append('\x3b');

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(gif) != gif.size()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
