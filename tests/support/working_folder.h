#pragma once
// A working directory of the test's own, as the program has one, and the file
// helpers the window tests share.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace velmora::testing {

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program the construction must leave as it was when it fails.
inline const QByteArray kPreviousProgram = "%7\r\nG0G52Z\r\nM5M9\r\nM2\r\n";

// A temporary folder made the working directory for the object's life.
class WorkingFolder {
public:
    WorkingFolder() : before_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~WorkingFolder() { QDir::setCurrent(before_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    bool isValid() const { return dir_.isValid() && QDir::currentPath() == QDir(dir_.path()).canonicalPath(); }
    QString path(const QString& name = {}) const { return name.isEmpty() ? dir_.path() : dir_.filePath(name); }

private:
    QString before_;
    QTemporaryDir dir_;
};

}  // namespace velmora::testing
