#pragma once

#include <QDir>
#include <QStringList>

// What every descriptor of the process names, the one that lists them included.
inline QStringList openDescriptors()
{
    QStringList targets;
    for (const QFileInfo &fd : QDir("/proc/self/fd").entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        targets << fd.symLinkTarget();
    return targets;
}
