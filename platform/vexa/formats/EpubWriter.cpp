#include "EpubWriter.h"

#include <fstream>

#include <QCryptographicHash>
#include <QString>

#include "ZipWriter.h"

namespace vexa::formats {

namespace {

constexpr char kMimeType[] = "application/epub+zip";

std::string Escape(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped().toStdString();
}

std::string ChapterName(int number) {
    return "chapter" + std::to_string(number) + ".xhtml";
}

bool WriteText(const std::filesystem::path& path, const std::string& text) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

} // namespace

EpubWriter::EpubWriter(const BookSpec& spec)
    : m_spec(spec) {
    if (m_spec.pages < 1)
        m_spec.pages = 1;
    m_files["META-INF/container.xml"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
        "  <rootfiles>\n"
        "    <rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>\n"
        "  </rootfiles>\n"
        "</container>\n";
    m_files["OEBPS/content.opf"] = packageDocument();
    m_files["OEBPS/nav.xhtml"] = navigation();
    m_files["OEBPS/toc.ncx"] = tableOfContents();
    for (int number = 1; number <= m_spec.pages; ++number)
        m_files["OEBPS/" + ChapterName(number)] = chapter(number);
}

std::string EpubWriter::identifier() const {
    // Derived from title and author, so the same book always gets the same identifier.
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(m_spec.title + '\n' + m_spec.author),
                                 QCryptographicHash::Sha1)
            .toHex();
    const std::string hex = hash.toStdString();
    return "urn:uuid:" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-5" + hex.substr(13, 3) + "-8" +
           hex.substr(17, 3) + "-" + hex.substr(20, 12);
}

std::string EpubWriter::packageDocument() const {
    std::string manifest, spine;
    for (int number = 1; number <= m_spec.pages; ++number) {
        const std::string id = "chapter" + std::to_string(number);
        manifest += "    <item id=\"" + id + "\" href=\"" + ChapterName(number) +
                    "\" media-type=\"application/xhtml+xml\"/>\n";
        spine += "    <itemref idref=\"" + id + "\"/>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"bookid\">\n"
           "  <metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n"
           "    <dc:identifier id=\"bookid\">" +
           identifier() +
           "</dc:identifier>\n"
           "    <dc:title>" +
           Escape(m_spec.title) +
           "</dc:title>\n"
           "    <dc:creator>" +
           Escape(m_spec.author) +
           "</dc:creator>\n"
           "    <dc:language>en</dc:language>\n"
           "    <meta property=\"dcterms:modified\">2020-01-01T00:00:00Z</meta>\n"
           "  </metadata>\n"
           "  <manifest>\n"
           "    <item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
           "properties=\"nav\"/>\n"
           "    <item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n" +
           manifest +
           "  </manifest>\n"
           "  <spine toc=\"ncx\">\n" +
           spine +
           "  </spine>\n"
           "</package>\n";
}

std::string EpubWriter::navigation() const {
    std::string items;
    for (int number = 1; number <= m_spec.pages; ++number)
        items += "      <li><a href=\"" + ChapterName(number) + "\">Chapter " + std::to_string(number) +
                 "</a></li>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\">\n"
           "<head><title>" +
           Escape(m_spec.title) +
           "</title></head>\n"
           "<body>\n"
           "  <nav epub:type=\"toc\">\n"
           "    <ol>\n" +
           items +
           "    </ol>\n"
           "  </nav>\n"
           "</body>\n"
           "</html>\n";
}

std::string EpubWriter::tableOfContents() const {
    std::string points;
    for (int number = 1; number <= m_spec.pages; ++number) {
        const std::string n = std::to_string(number);
        points += "    <navPoint id=\"point" + n + "\" playOrder=\"" + n + "\"><navLabel><text>Chapter " + n +
                  "</text></navLabel><content src=\"" + ChapterName(number) + "\"/></navPoint>\n";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\">\n"
           "  <head><meta name=\"dtb:uid\" content=\"" +
           identifier() +
           "\"/></head>\n"
           "  <docTitle><text>" +
           Escape(m_spec.title) +
           "</text></docTitle>\n"
           "  <navMap>\n" +
           points +
           "  </navMap>\n"
           "</ncx>\n";
}

std::string EpubWriter::chapter(int number) const {
    const std::string n = std::to_string(number);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\">\n"
           "<head><title>Chapter " +
           n +
           "</title></head>\n"
           "<body>\n"
           "  <h1>Chapter " +
           n +
           "</h1>\n"
           "  <p>" +
           Escape(m_spec.title) + " by " + Escape(m_spec.author) + ", page " + n + " of " +
           std::to_string(m_spec.pages) +
           ".</p>\n"
           "</body>\n"
           "</html>\n";
}

bool EpubWriter::WriteZip(const std::filesystem::path& path) const {
    ZipWriter zip;
    if (!zip.Open(path) || !zip.Add("mimetype", std::string(kMimeType), false))
        return false;
    for (const auto& [name, content] : m_files) {
        if (!zip.Add(name, content))
            return false;
    }
    return zip.Close();
}

bool EpubWriter::WriteFolder(const std::filesystem::path& folder) const {
    if (!WriteText(folder / "mimetype", kMimeType))
        return false;
    for (const auto& [name, content] : m_files) {
        if (!WriteText(folder / name, content))
            return false;
    }
    return true;
}

} // namespace vexa::formats
