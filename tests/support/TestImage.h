#pragma once

#include "EvolutionTable.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <string>

// A sparse image file in a folder of its own, with an in-memory reference copy of every byte
// that is meant to be in it, so a test can compare the whole file against what it expects.
class TestImage
{
public:
    struct Entry
    {
        int method;
        int parameter; // 16-bit
        int target;    // 16-bit
    };

    // Long enough for the whole evolution table, with a tail behind it.
    static constexpr qint64 StandardSize = EvolutionTable::R(493) + EvolutionTable::EvolutionRecordSize + 4096;

    // A header with the game code "YRWE", and a distinct, loadable entry in every record whose
    // other bytes (+1, +6 to +43) are non-zero.
    explicit TestImage(qint64 size = StandardSize, const QString &fileName = QStringLiteral("image.nds"));

    QString path() const { return m_path; }
    std::string localPath() const;
    QString folder() const { return m_dir.path(); }

    // The entry the pattern puts into species k's record.
    static Entry patternEntry(int k);

    // Writes into the file and into the reference copy alike.
    void write(qint64 offset, const QByteArray &bytes);
    void writeEntry(int k, const Entry &entry);
    void setRegion(char letter) { write(15, QByteArray(1, letter)); }

    // Changes only the reference copy: what the test expects the program to write.
    void expect(qint64 offset, const QByteArray &bytes);

    QByteArray read(qint64 offset, qint64 count) const;
    // Offset of the first byte where the file differs from the reference, or -1.
    qint64 firstDifference() const;

private:
    QByteArray fileContents() const;

    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_reference;
};

QByteArray entryBytes(const TestImage::Entry &entry);
