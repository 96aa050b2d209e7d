#pragma once

#include "HexTrace.h"

#include <QString>
#include <QStringList>

// Records every call of the byte routines and every open and close, one line each:
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

    // Only the calls, without the opens and closes.
    QStringList calls() const
    {
        QStringList result;
        for (const QString &event : events)
            if (event.startsWith(QLatin1String("read")) || event.startsWith(QLatin1String("write")))
                result << event;
        return result;
    }
    int count(const QString &event) const { return static_cast<int>(events.count(event)); }

    QStringList events;
};
