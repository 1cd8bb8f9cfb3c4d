// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The libFuzzer entry shared by the fuzzers: one input to one check, and a broken
// promise ends the run as a crash, so that libFuzzer keeps the input.

#include "FuzzTargets.h"

#include <QtGlobal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace brixolan::fuzz {

inline QtMessageHandler defaultHandler = nullptr;

/// The decoder's warnings about bad pictures would drown the fuzzer's own output.
inline void quietWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && defaultHandler)
        defaultHandler(type, context, message);
}

inline int runOne(std::string (*check)(const QByteArray&), const std::uint8_t* data,
                  std::size_t size) {
    // Raw, so that the sanitizer sees a read past the input's end.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::string problem = check(bytes);
    if (!problem.empty()) {
        std::fprintf(stderr, "broken promise: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}

} // namespace brixolan::fuzz

#define BRIXOLAN_FUZZER(check)                                                                     \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                                           \
        brixolan::fuzz::defaultHandler = qInstallMessageHandler(brixolan::fuzz::quietWarnings);    \
        return 0;                                                                                  \
    }                                                                                              \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {            \
        return brixolan::fuzz::runOne(check, data, size);                                          \
    }
