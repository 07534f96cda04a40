#pragma once

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

// The file and child-process chores the test programs share.

// The bytes of `path`; empty when it cannot be read.
inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` to `path`, making its folder first; false when the file could not be written whole.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every file below `folder`, as full paths, sorted.
inline QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// What `program` printed, trimmed; "failed: " and its error output when it did not end with code 0.
inline QString RunProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("failed: ") + QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The lines a Python script printed, given `arguments`; one "failed: …" line when it did not run through.
inline QStringList PythonLines(const char* script, const QStringList& arguments) {
    const QString output =
        RunProgram(QStringLiteral("/usr/bin/python3"),
                   QStringList{QStringLiteral("-c"), QString::fromUtf8(script)} + arguments);
    return output.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The paths inside an archive as 7z lists them, sorted, its folders left out unless `folders`.
inline QStringList ArchivePaths(const QString& archive, bool folders = true) {
    QStringList paths;
    QString path;
    const auto take = [&] {
        if (!path.isEmpty() && path != archive)
            paths << path;
        path.clear();
    };
    // One block of "Name = value" lines per entry, the path first; the archive's own block leads.
    const QString listing =
        RunProgram(QStringLiteral("/usr/bin/7z"), {QStringLiteral("l"), QStringLiteral("-slt"), archive});
    for (const QString& line : listing.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("Path = ")))
            path = line.mid(7).trimmed();
        else if (!folders && (line.startsWith(QLatin1String("Folder = +")) ||
                              line.startsWith(QLatin1String("Attributes = D"))))
            path.clear();
        else if (line.trimmed().isEmpty())
            take();
    }
    take();
    paths.sort();
    return paths;
}

// Points the system's temporary folder at `path` while it lives.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const QString& path)
        : m_old(qgetenv("TMPDIR")) {
        qputenv("TMPDIR", path.toUtf8());
    }
    ~TemporaryFolder() {
        if (m_old.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_old);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

private:
    QByteArray m_old;
};
