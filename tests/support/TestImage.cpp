#include "TestImage.h"

#include <QFile>

using EvolutionTable::R;

namespace {

// The table and 64 bytes on either side: every byte the editor may touch, and its neighbours.
constexpr qint64 AroundFrom = R(1) - 64, AroundTo = R(494) + 64;

} // namespace

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
    for (qint64 at = AroundFrom; at < std::min(AroundTo, size); ++at)
        m_copy[at] = char(0x80 | at * 37 % 127);
    for (int k = 1; k <= EvolutionTable::SpeciesCount; ++k) {
        const QByteArray bytes = entryBytes(patternEntry(k));
        for (int i : {0, 2, 3, 4, 5})
            if (R(k) + i < size)
                m_copy[R(k) + i] = bytes[i];
    }
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size) || file.write(m_copy.left(16)) < 0)
        qFatal("cannot make the test image");
    if (AroundFrom < size && (!file.seek(AroundFrom) || file.write(m_copy.mid(AroundFrom, AroundTo - AroundFrom)) < 0))
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
    const QByteArray bytes = entryBytes(entry);
    write(R(k), bytes.left(1));
    write(R(k) + 2, bytes.mid(2));
}

QByteArray TestImage::read(qint64 offset, qint64 count) const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) && file.seek(offset) ? file.read(count) : QByteArray();
}

qint64 TestImage::difference(bool whole) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != m_copy.size())
        return file.size();
    const qint64 from = whole ? 0 : std::min(AroundFrom, file.size());
    const QByteArray bytes = whole ? file.readAll() : (file.seek(from), file.read(AroundTo - from));
    const QByteArray copy = m_copy.mid(from, bytes.size());
    const auto at = std::mismatch(bytes.begin(), bytes.end(), copy.begin());
    return at.first == bytes.end() ? -1 : from + (at.first - bytes.begin());
}
