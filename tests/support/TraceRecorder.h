#pragma once

#include "HexTrace.h"

#include <QRegularExpression>
#include <QStringList>

// Every call of the byte routines and every open and close, a line each:
// "read <offset> <count>", "write <offset> <text>", "open", "close".
class TraceRecorder : public HexTrace
{
public:
    void readCalled(const std::string &, std::int32_t offset, std::int32_t count) override
    {
        events << QStringLiteral("read %1 %2").arg(offset).arg(count);
    }
    void writeCalled(const std::string &, std::int32_t offset, const std::string &text) override
    {
        events << QStringLiteral("write %1 %2").arg(offset).arg(QString::fromStdString(text));
    }
    void fileOpened() override { events << QStringLiteral("open"); }
    void fileClosed() override { events << QStringLiteral("close"); }

    // The calls alone, without the opens and closes.
    QStringList calls() const { return events.filter(QRegularExpression(QStringLiteral("^(read|write) "))); }

    QStringList events;
};
