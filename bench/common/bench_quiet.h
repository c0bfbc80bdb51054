#pragma once
// The benches run on the offscreen platform, which says on stderr each time
// a window asks for something it cannot do (raise a window, grab the
// keyboard, pass size hints on), and Qt notes that a headless session has
// no runtime directory. None of that bears on a figure, and it buries the
// "name: value" lines of bench/run. A bench calls quietPlatformNotes()
// first thing in main; every other message goes on to Qt's handler.

#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace benchquiet {

inline QtMessageHandler& previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

inline bool isPlatformNote(QtMsgType type, const QString& message)
{
    if (type != QtWarningMsg)
        return false;
    static const char* const notes[] = {
        "This plugin does not support",  // raise(), grabbing the keyboard, propagateSizeHints(), ...
        "QStandardPaths: XDG_RUNTIME_DIR not set",
    };
    for (const char* note : notes)
        if (message.startsWith(QLatin1String(note)))
            return true;
    return false;
}

inline void handler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (isPlatformNote(type, message))
        return;
    if (QtMessageHandler previous = previousHandler()) {
        previous(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    if (type == QtFatalMsg)
        std::abort();
}

}  // namespace benchquiet

inline void quietPlatformNotes() { benchquiet::previousHandler() = qInstallMessageHandler(benchquiet::handler); }
