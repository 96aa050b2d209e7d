#pragma once

#include "EvolutionTable.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <string>

// A sparse image file in a folder of its own, with an in-memory copy of every byte that is meant
// to be in it, so that a test can compare the file against what it expects.
class TestImage
{
public:
    struct Entry
    {
        int method, parameter, target;
    };
    static constexpr qint64 StandardSize = EvolutionTable::R(494) + 4096;

    // A header with the game code "YRWE", and in every record an entry that each list it is
    // shown in can show, with non-zero bytes around it.
    explicit TestImage(qint64 size = StandardSize, const QString &name = "image.nds");

    static Entry patternEntry(int k);
    QString path() const { return m_path; }
    std::string localPath() const;
    QString folder() const { return m_dir.path(); }

    void write(qint64 offset, const QByteArray &bytes); // into the file and the copy alike
    void writeEntry(int k, const Entry &entry);
    void expect(qint64 offset, const QByteArray &bytes) { m_copy.replace(offset, bytes.size(), bytes); }
    // Where the file first differs from the copy, in the table or anywhere; -1 where it does not.
    qint64 difference(bool tableOnly = false) const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_copy;
};

QByteArray entryBytes(const TestImage::Entry &entry); // the entry's 6 bytes, with 0 at +1
