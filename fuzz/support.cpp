// Shared pieces of the fuzz targets.
#include "support.h"

#include "platform/cp1251.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fuzz {

namespace {
QTemporaryDir& scratch() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tessera-fuzz-XXXXXX"));
    return dir;
}
} // namespace

QString scratchDir() {
    return scratch().path();
}

bool tryWriteFile(const QString& name, const QByteArray& bytes) {
    const QString path = scratchDir() + u'/' + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QString writeFile(const QString& name, const QByteArray& bytes) {
    if (!tryWriteFile(name, bytes)) {
        std::fprintf(stderr, "fuzz: cannot write %s\n", qPrintable(name));
        std::abort();
    }
    return scratchDir() + u'/' + name;
}

void clearScratch() {
    QDir dir(scratchDir());
    for (const QFileInfo& e :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        if (e.isDir() && !e.isSymLink())
            QDir(e.filePath()).removeRecursively();
        else
            QFile::remove(e.filePath());
    }
}

FileAndChoices splitInput(const uint8_t* data, size_t size) {
    const QByteArray all = bytesOf(data, size);
    const qsizetype mark = all.lastIndexOf(QByteArrayView("\0#", 2));
    if (mark < 0)
        return {all, QByteArray()};
    return {all.left(mark), all.mid(mark + 2)};
}

QString takeText(FuzzedDataProvider& in, size_t maxBytes) {
    const std::string s = in.ConsumeRandomLengthString(maxBytes);
    return cp1251::decode(QByteArray(s.data(), qsizetype(s.size())));
}

void check(bool holds, const char* what, const QString& detail) {
    if (holds)
        return;
    std::fprintf(stderr, "fuzz: property failed: %s\n%s\n", what, qUtf8Printable(detail));
    std::abort();
}

} // namespace fuzz

// A target that lays text out defines this to return true (fuzz::kNeedsGui).
extern "C" bool tesseraFuzzNeedsGui() __attribute__((weak));

// Some readers reach Qt's plugins (image formats), which want an application object; a text
// document's layout wants a GUI one.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::unique_ptr<QCoreApplication> app =
        tesseraFuzzNeedsGui && tesseraFuzzNeedsGui()
            ? std::make_unique<QGuiApplication>(*argc, *argv)
            : std::make_unique<QCoreApplication>(*argc, *argv);
    fuzz::scratchDir();
    return 0;
}
