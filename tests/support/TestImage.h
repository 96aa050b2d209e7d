#pragma once

#include "EvolutionTable.h"

#include <QFile>
#include <QTemporaryDir>

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
    // The table and 64 bytes on either side: every byte the editor may touch, and its neighbours.
    static constexpr qint64 From = EvolutionTable::R(1) - 64, To = EvolutionTable::R(494) + 64;

    static QByteArray bytes(const Entry &e) // the entry's 6 bytes, with 0 at +1
    {
        const char bytes[] = {char(e.method), 0, char(e.parameter), char(e.parameter >> 8), char(e.target), char(e.target >> 8)};
        return QByteArray(bytes, 6);
    }
    // Levels only where the method shows the level list; other odd species carry a high byte of 1.
    static Entry patternEntry(int k) { return {k % 27, (k % 27 != 4 ? k % 2 : 0) * 256 + k * 7 % 101, k * 13 % 494}; }
    // What Combo1 to Combo6 show for an entry whose values each list can show.
    static QList<int> shown(const Entry &x) { return {x.method, x.parameter <= 100 ? x.parameter : -1, x.parameter, x.parameter, x.parameter, x.target}; }

    // A header with the game code "YRWE", and in every record an entry that each list it is
    // shown in can show, with non-zero bytes around it.
    explicit TestImage(qint64 size = StandardSize, const QString &name = "image.nds") : m_path(m_dir.filePath(name)), m_copy(size, '\0')
    {
        m_copy.replace(0, 16, QByteArray("QUORVEL\0\0\0\0\0YRWE", 16).left(size));
        for (qint64 at = From; at < std::min(To, size); ++at)
            m_copy[at] = char(0x80 | at * 37 % 127);
        for (int k = 1; k <= EvolutionTable::SpeciesCount; ++k)
            for (int i : {0, 2, 3, 4, 5})
                if (EvolutionTable::R(k) + i < size)
                    m_copy[EvolutionTable::R(k) + i] = bytes(patternEntry(k))[i];
        saveAs(m_path);
    }

    // A sparse file with the bytes this image is meant to hold, in place of what the path held.
    void saveAs(const QString &path) const
    {
        QFile file(path);
        const qint64 size = m_copy.size();
        if (!file.open(QIODevice::WriteOnly) || !file.resize(size) || file.write(m_copy.left(16)) < 0
            || (From < size && (!file.seek(From) || file.write(m_copy.mid(From, To - From)) < 0)))
            qFatal("cannot make the test image");
    }

    QString path() const { return m_path; }
    std::string localPath() const { return QFile::encodeName(m_path).toStdString(); }
    QString folder() const { return m_dir.path(); }

    void write(qint64 offset, const QByteArray &data) // into the file and the copy alike
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(data) != data.size())
            qFatal("cannot write the test image");
        expect(offset, data);
    }
    void writeEntry(int k, const Entry &entry)
    {
        write(EvolutionTable::R(k), bytes(entry).left(1));
        write(EvolutionTable::R(k) + 2, bytes(entry).mid(2));
    }
    void expect(qint64 offset, const QByteArray &data) { m_copy.replace(offset, data.size(), data); }

    // Where the file (or another one) first differs from the copy, in the table or anywhere; -1
    // where it does not.
    qint64 difference(bool tableOnly = false, const QString &path = {}) const
    {
        QFile file(path.isEmpty() ? m_path : path);
        if (!file.open(QIODevice::ReadOnly) || file.size() != m_copy.size())
            return file.size();
        const qint64 from = tableOnly ? std::min(From, file.size()) : 0;
        const QByteArray data = tableOnly ? (file.seek(from), file.read(To - from)) : file.readAll();
        const auto at = std::mismatch(data.begin(), data.end(), m_copy.begin() + from);
        return at.first == data.end() ? -1 : from + (at.first - data.begin());
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_copy;
};
