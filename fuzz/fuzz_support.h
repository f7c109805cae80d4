#pragma once

// What every harness shares: a property that must hold is checked with
// FUZZ_CHECK (a failure aborts, so libFuzzer keeps the input), and Qt's own
// messages are silenced so that the fuzzer's output stays readable.

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace fuzzsupport {

// A QCoreApplication for the harness's life, and no debug or warning output
// (the code under test logs freely; an input would otherwise print pages).
inline void startQt()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(text));
            std::abort();
        }
    });
}

// Writes an input to the file at `path`. QSettings keeps what it parsed of a
// file until the file's size or time changes: each write gets a time of its
// own, so that the same file name serves every input (a new name per input
// would grow Qt's cache and slow each run with leak scans).
inline void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    // Far from now, so that it never meets the time of a save by the code
    // under test either.
    static QDateTime stamp = QDateTime(QDate(2000, 1, 1), QTime(0, 0));
    stamp = stamp.addMSecs(1);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size) ||
        !file.setFileTime(stamp, QFileDevice::FileModificationTime))
        std::abort();
}

} // namespace fuzzsupport
