#include "EpubInfoReader.h"

#include <fstream>
#include <iterator>

#include <QXmlStreamReader>

#include "ZipReader.h"

namespace vexa::formats {

namespace {

constexpr char kDublinCore[] = "http://purl.org/dc/elements/1.1/";
constexpr std::uintmax_t kMaxXmlBytes = 16u << 20;

bool ReadText(const std::filesystem::path& path, std::string& text) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) ||
        std::filesystem::file_size(path, error) > kMaxXmlBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

QXmlStreamReader ReaderOf(const std::string& xml) {
    return QXmlStreamReader(QByteArray::fromStdString(xml));
}

} // namespace

std::string EpubInfoReader::RootFile(const std::string& containerXml) {
    QXmlStreamReader xml = ReaderOf(containerXml);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("rootfile")) {
            const std::string path = xml.attributes().value("full-path").toString().toStdString();
            return IsSafeRelativePath(path) ? path : std::string();
        }
    }
    return {};
}

bool EpubInfoReader::ParsePackage(const std::string& packageXml, BookInfo& info) {
    QXmlStreamReader xml = ReaderOf(packageXml);
    bool isPackage = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("package"))
            isPackage = true;
        if (xml.namespaceUri() != QLatin1String(kDublinCore))
            continue;
        if (xml.name() == QLatin1String("title") && info.title.empty())
            info.title = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString();
        else if (xml.name() == QLatin1String("creator") && info.author.empty())
            info.author = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed().toStdString();
    }
    return isPackage && !xml.hasError();
}

bool EpubInfoReader::ReadZip(const std::filesystem::path& path, BookInfo& info) {
    ZipReader zip;
    std::vector<uint8_t> container, package;
    if (!zip.Open(path) || !zip.Read("META-INF/container.xml", container, kMaxXmlBytes))
        return false;
    const std::string root = RootFile(std::string(container.begin(), container.end()));
    if (root.empty() || !zip.Read(root, package, kMaxXmlBytes))
        return false;
    return ParsePackage(std::string(package.begin(), package.end()), info);
}

bool EpubInfoReader::ReadFolder(const std::filesystem::path& folder, BookInfo& info) {
    std::string container, package;
    if (!ReadText(folder / "META-INF" / "container.xml", container))
        return false;
    const std::string root = RootFile(container);
    if (root.empty() || !ReadText(folder / root, package))
        return false;
    return ParsePackage(package, info);
}

} // namespace vexa::formats
