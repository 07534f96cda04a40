#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <QString>
#include <QStringList>
#include <QTest>

#include <vexa/vexa.h>

// What every backend's file service promises, as one table. Each row starts from the same folder
// "/Contract" on the device (one.txt, two.txt, an empty folder "sub", a link to one.txt, a link to a
// folder of the computer and a link to a file there that does not exist yet) and a folder of the computer
// with a 9 MiB source file. After every row, whatever it did, nothing outside the device changed, the
// device's own files are there and no hidden transfer file is left on either side.
//
// Calls, separated by "; ": mkdir P, put LOCAL P, get P LOCAL, list P, list-without-count P, rename P Q,
// remove P; "-" is a null path, "''" an empty one. Computer paths: $source, $back (a file the copies
// back go to) and $outside (the folder behind the link). The code is the first failing call's.
// Checks, separated by "; ": PATH=text (the file holds it), PATH==source (the source's bytes),
// PATH! (nothing there, not even a link), PATH:empty, PATH:dir, and "listing" (the listing of /Contract).
namespace file_contract {

namespace fs = std::filesystem;

struct Row {
    const char* name;
    const char* calls;
    int expected;
    const char* checks = "";
};

constexpr int kOk = VEXA_OK, kBad = VEXA_E_INVALID_ARGUMENT, kMissing = VEXA_E_NOT_FOUND,
              kExists = VEXA_E_EXISTS, kEscape = VEXA_E_PATH_ESCAPE;

inline const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        {"copy to the device and back",
         "mkdir /Contract/sub/Ünï/深い; put $source /Contract/sub/Ünï/深い/d.bin; get "
         "/Contract/sub/Ünï/深い/d.bin $back",
         kOk, "/Contract/sub/Ünï/深い/d.bin==source; $back==source"},
        {"copy into a missing folder", "put $source /Contract/none/x.bin", kMissing, "/Contract/none!"},
        {"copy a missing computer file", "put /no/such/file /Contract/x.bin", kMissing, "/Contract/x.bin!"},
        {"copy a computer folder", "put $outside /Contract/x.bin", kBad, "/Contract/x.bin!"},
        {"copy onto a device folder", "put $source /Contract/sub", kBad, "/Contract/sub:empty"},
        {"copy a missing device file", "get /Contract/none.bin $back", kMissing, "$back=old"},
        {"copy a device folder to the computer", "get /Contract/sub $back", kBad, "$back=old"},
        {"copy without a device path", "get - $back", kBad, "$back=old"},
        {"make a folder where a file is", "mkdir /Contract/one.txt", kExists, "/Contract/one.txt=one"},
        {"list a folder", "list /Contract", kOk, "listing"},
        {"list a file", "list /Contract/one.txt", kBad},
        {"list a missing folder", "list /Contract/none", kMissing},
        {"list without a count", "list-without-count /", kBad},
        {"list without a path", "list -", kBad},
        {"up and down inside the device", "list /Contract/../Contract/sub", kOk},
        {"rename", "rename /Contract/one.txt /Contract/uno.txt", kOk,
         "/Contract/uno.txt=one; /Contract/one.txt!"},
        {"rename onto a file", "rename /Contract/one.txt /Contract/two.txt", kExists,
         "/Contract/two.txt=two; /Contract/one.txt=one"},
        {"rename a missing file", "rename /Contract/none.txt /Contract/3.txt", kMissing, "/Contract/3.txt!"},
        {"rename a folder into itself", "rename /Contract /Contract/in", kBad, "/Contract/one.txt=one"},
        {"rename the root", "rename / /elsewhere", kBad},
        {"remove the root", "remove /", kBad},
        {"remove an empty path", "remove ''", kBad},
        {"remove a missing path", "remove /Contract/none", kMissing},
        {"remove a folder with its content", "remove /Contract", kOk, "/Contract!; /DCIM:dir"},
        {"remove a link out of the device", "remove /Contract/escape", kOk, "/Contract/escape!"},
        {"a computer path is a device path", "get $outside/secret.txt $back", kMissing, "$back=old"},
        // Every way out of the device is refused.
        {"escape: list above the root", "list /..", kEscape},
        {"escape: list up through a folder", "list /Contract/../../..", kEscape},
        {"escape: list through a link", "list /Contract/escape", kEscape},
        {"escape: copy from behind a link", "get /Contract/escape/secret.txt $back", kEscape, "$back=old"},
        {"escape: copy behind a link", "put $source /Contract/escape/planted.txt", kEscape},
        {"escape: copy onto a dangling link", "put $source /Contract/dangling", kEscape},
        {"escape: make a folder behind a link", "mkdir /Contract/escape/made", kEscape},
        {"escape: make a folder above the root", "mkdir /../made", kEscape},
        {"escape: remove behind a link", "remove /Contract/escape/secret.txt", kEscape},
        {"escape: remove above the root", "remove /../device.json", kEscape},
        {"escape: rename from behind a link", "rename /Contract/escape/secret.txt /Contract/stolen.txt",
         kEscape, "/Contract/stolen.txt!"},
        {"escape: rename above the root", "rename /Contract /../Contract", kEscape, "/Contract/one.txt=one"},
    };
    return rows;
}

struct Place {
    IFileService* files = nullptr;
    fs::path media; // the device's media folder as it lies on disk
    fs::path local; // a folder of the computer, emptied before each row
};

inline void Write(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : std::string("<missing>");
}

inline const std::string& SourceBytes() {
    static const std::string bytes = [] {
        std::string content(9 * 1024 * 1024 + 13, '\0'); // several transfer chunks
        for (size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<char>(i * 7919 % 251);
        return content;
    }();
    return bytes;
}

// A token of a call or check: a device path, or a computer path after a $ name, "-" for none.
inline std::string Computer(const Place& p, const QString& token) {
    QString path = token;
    path.replace(QStringLiteral("$source"), QString::fromStdString((p.local / "source.bin").string()));
    path.replace(QStringLiteral("$back"), QString::fromStdString((p.local / "back.bin").string()));
    path.replace(QStringLiteral("$outside"), QString::fromStdString((p.local / "outside").string()));
    return path.toStdString();
}

// The listing of a device folder as sorted "name type size" lines, links with their target; a file's
// times must be of the last minute.
inline std::string Listing(IFileService* files, const char* path) {
    int count = 0;
    DirectoryEntryRecord* entries = nullptr;
    if (int code = files->ReadDirectory(path, &count, &entries); code != VEXA_OK)
        return "code " + std::to_string(code);
    const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count();
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        const std::string type = entries[i].type;
        std::string line = std::string(entries[i].name) + ' ' + type;
        if (type == "S_IFREG") {
            const long long modified = std::stoll(entries[i].modifyTime);
            const bool recent =
                modified > now - 60'000'000'000LL && modified <= now && std::stoll(entries[i].createTime) > 0;
            line += ' ' + std::string(entries[i].size) + (recent ? "" : " (time?)");
        }
        if (type == "S_IFLNK")
            line += " -> " + std::string(entries[i].linkTarget);
        lines.push_back(line + '\n');
    }
    std::sort(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

inline int Call(const Place& p, const QString& call) {
    const QStringList words = call.split(QLatin1Char(' '));
    const auto arg = [&](int i) -> std::string {
        const QString word = words.value(i);
        return word == QLatin1String("''") ? std::string() : Computer(p, word);
    };
    const std::string a = arg(1), b = arg(2);
    const char* first = words.value(1) == QLatin1String("-") ? nullptr : a.c_str();
    const std::u16string a16 = fs::path(a).u16string(), b16 = fs::path(b).u16string();
    const char16_t* first16 = first ? a16.c_str() : nullptr;
    int count = -1;
    DirectoryEntryRecord* entries = nullptr;
    const QString op = words.value(0);
    if (op == QLatin1String("mkdir"))
        return p.files->MakeDirectory(first);
    if (op == QLatin1String("put"))
        return p.files->CopyFileToDevice(first16, b16.c_str());
    if (op == QLatin1String("get"))
        return p.files->CopyFileToComputer(first16, b16.c_str());
    if (op == QLatin1String("rename"))
        return p.files->RenamePath(first, b.c_str());
    if (op == QLatin1String("remove"))
        return p.files->RemovePath(first);
    if (op == QLatin1String("list-without-count"))
        return p.files->ReadDirectory(first, nullptr, &entries);
    return p.files->ReadDirectory(first, &count, &entries);
}

inline std::string Check(const Place& p, const QString& check) {
    const auto path = [&](const QString& text) {
        return text.startsWith(QLatin1Char('/')) ? p.media / text.mid(1).toStdString()
                                                 : fs::path(Computer(p, text));
    };
    if (check == QLatin1String("listing")) {
        const std::string outside = (p.local / "outside").string();
        const std::string listing = Listing(p.files, "/Contract");
        const std::string expected =
            ". S_IFDIR\n.. S_IFDIR\ndangling S_IFLNK -> " + outside + "/new.txt\nescape S_IFLNK -> " +
            outside + "\nlink S_IFLNK -> one.txt\none.txt S_IFREG 3\nsub S_IFDIR\ntwo.txt S_IFREG 3\n";
        return listing == expected ? std::string() : listing;
    }
    bool ok = false;
    if (check.endsWith(QLatin1Char('!')))
        ok = !fs::exists(fs::symlink_status(path(check.chopped(1))));
    else if (check.endsWith(QLatin1String(":empty")))
        ok = fs::is_directory(path(check.chopped(6))) && fs::is_empty(path(check.chopped(6)));
    else if (check.endsWith(QLatin1String(":dir")))
        ok = fs::is_directory(path(check.chopped(4)));
    else if (check.endsWith(QLatin1String("==source")))
        ok = Read(path(check.chopped(8))) == SourceBytes();
    else if (const qsizetype at = check.indexOf(QLatin1Char('=')); at > 0)
        ok = Read(path(check.left(at))) == check.mid(at + 1).toStdString();
    return ok ? std::string() : "not so: " + check.toStdString();
}

inline void AddRows() {
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < Rows().size(); ++i)
        QTest::newRow(Rows()[i].name) << int(i);
}

// Empty when the row kept the contract, else what went wrong.
inline QString Run(const Place& p, int index) {
    const Row& row = Rows().at(index);
    const fs::path contract = p.media / "Contract", outside = p.local / "outside";
    fs::remove_all(contract);
    fs::remove_all(p.local);
    Write(p.local / "source.bin", SourceBytes());
    Write(p.local / "back.bin", "old");
    Write(outside / "secret.txt", "secret");
    Write(contract / "one.txt", "one");
    Write(contract / "two.txt", "two");
    fs::create_directories(contract / "sub");
    fs::create_symlink("one.txt", contract / "link");
    fs::create_symlink(outside, contract / "escape");
    fs::create_symlink(outside / "new.txt", contract / "dangling");

    int code = VEXA_OK;
    for (const QString& call : QString::fromUtf8(row.calls).split(QStringLiteral("; "))) {
        if ((code = Call(p, call)) != VEXA_OK)
            break;
    }
    std::string problem = code == row.expected
                              ? std::string()
                              : "code " + std::to_string(code) + ", not " + std::to_string(row.expected);
    for (const QString& check :
         QString::fromUtf8(row.checks).split(QStringLiteral("; "), Qt::SkipEmptyParts)) {
        if (problem.empty())
            problem = Check(p, check);
    }
    if (problem.empty() && (Read(outside / "secret.txt") != "secret" ||
                            std::distance(fs::directory_iterator(outside), fs::directory_iterator()) != 1))
        problem = "the computer's folder behind the link changed";
    if (problem.empty() && !fs::exists(p.media.parent_path() / "device.json"))
        problem = "the device's own files were touched";
    for (const fs::path& folder : {contract, p.local}) {
        if (!fs::exists(folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (problem.empty() && entry.path().filename().string().starts_with('.'))
                problem = "a hidden transfer file is left: " + entry.path().string();
        }
    }
    fs::remove_all(contract);
    return QString::fromStdString(problem);
}

} // namespace file_contract
