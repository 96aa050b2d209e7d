#pragma once

#include "HexTrace.h"

#include <QRegularExpression>
#include <QStringList>

#include <functional>
#include <utility>

// Every call of the byte routines and every open and close that a call makes, a line each:
// "read <offset> <count>", "write <offset> <text>", "open", "close". Holding a file is not
// among them.
struct TraceRecorder : HexTrace
{
    void readCalled(const std::string &, std::int32_t offset, std::int32_t count) override { called(QString("read %1 %2").arg(offset).arg(count)); }
    void writeCalled(const std::string &, std::int32_t offset, const std::string &text) override
    {
        called(QString("write %1 %2").arg(offset).arg(QString::fromStdString(text)));
    }
    void fileOpened() override { events << "open"; }
    void fileClosed() override { events << "close"; }
    QStringList calls() const { return events.filter(QRegularExpression("^(read|write) ")); }

    QStringList events;
    // Runs once, when the next read or write has been called and has not yet opened the file.
    std::function<void()> beforeNextCall;

private:
    void called(const QString &event)
    {
        events << event;
        if (beforeNextCall)
            std::exchange(beforeNextCall, {})();
    }
};
