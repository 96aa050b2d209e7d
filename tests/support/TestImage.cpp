#include "TestImage.h"

#include <QFile>

using EvolutionTable::R;

// The table and 64 bytes on either side: every byte the editor may touch, and its neighbours.
static constexpr qint64 From = R(1) - 64, To = R(494) + 64;

QByteArray entryBytes(const TestImage::Entry &e)
{
    const char bytes[] = {char(e.method), 0, char(e.parameter), char(e.parameter >> 8), char(e.target), char(e.target >> 8)};
    return QByteArray(bytes, 6);
}

TestImage::Entry TestImage::patternEntry(int k)
{
    // Levels only where the method shows the level list; other odd species carry a high byte of 1.
    const int method = k % 27;
    return {method, (method != 4 ? k % 2 : 0) * 256 + k * 7 % 101, k * 13 % 494};
}

TestImage::TestImage(qint64 size, const QString &name) : m_path(m_dir.filePath(name)), m_copy(size, '\0')
{
    m_copy.replace(0, 16, QByteArray("QUORVEL\0\0\0\0\0YRWE", 16).left(size));
    for (qint64 at = From; at < std::min(To, size); ++at)
        m_copy[at] = char(0x80 | at * 37 % 127);
    for (int k = 1; k <= EvolutionTable::SpeciesCount; ++k)
        for (int i : {0, 2, 3, 4, 5})
            if (R(k) + i < size)
                m_copy[R(k) + i] = entryBytes(patternEntry(k))[i];
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size) || file.write(m_copy.left(16)) < 0
        || (From < size && (!file.seek(From) || file.write(m_copy.mid(From, To - From)) < 0)))
        qFatal("cannot make the test image");
}

std::string TestImage::localPath() const
{
    return QFile::encodeName(m_path).toStdString();
}

void TestImage::write(qint64 offset, const QByteArray &bytes)
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test image");
    expect(offset, bytes);
}

void TestImage::writeEntry(int k, const Entry &entry)
{
    write(R(k), entryBytes(entry).left(1));
    write(R(k) + 2, entryBytes(entry).mid(2));
}

qint64 TestImage::difference(bool tableOnly) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != m_copy.size())
        return file.size();
    const qint64 from = tableOnly ? std::min(From, file.size()) : 0;
    const QByteArray bytes = tableOnly ? (file.seek(from), file.read(To - from)) : file.readAll();
    const auto at = std::mismatch(bytes.begin(), bytes.end(), m_copy.begin() + from);
    return at.first == bytes.end() ? -1 : from + (at.first - bytes.begin());
}
