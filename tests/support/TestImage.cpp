#include "TestImage.h"

#include <QFile>

#include <algorithm>

using namespace EvolutionTable;

namespace {

constexpr qint64 PatternEnd = R(493) + EvolutionRecordSize;

// Filler for the bytes of a record the editor never touches: never zero, different per byte.
char filler(qint64 offset)
{
    return static_cast<char>(0x80 | (offset * 37 % 127));
}

} // namespace

QByteArray entryBytes(const TestImage::Entry &entry)
{
    QByteArray bytes(6, '\0');
    bytes[0] = static_cast<char>(entry.method);
    bytes[2] = static_cast<char>(entry.parameter & 0xFF);
    bytes[3] = static_cast<char>(entry.parameter >> 8 & 0xFF);
    bytes[4] = static_cast<char>(entry.target & 0xFF);
    bytes[5] = static_cast<char>(entry.target >> 8 & 0xFF);
    return bytes;
}

TestImage::Entry TestImage::patternEntry(int k)
{
    // Every value fits every list it is set into: a level of at most 100 in the low byte, and a
    // 16-bit parameter below 464; odd species carry a high byte of 1.
    return {k % 27, (k % 2) * 256 + (k * 7) % 101, (k * 13) % 494};
}

TestImage::TestImage(qint64 size, const QString &fileName)
    : m_path(m_dir.filePath(fileName))
    , m_reference(size, '\0')
{
    const QByteArray header("QUORVEL\0\0\0\0\0YRWE", 16);
    std::copy(header.begin(), header.begin() + std::min<qint64>(header.size(), size), m_reference.begin());
    for (qint64 offset = EvolutionTableOffset - 64; offset < std::min(PatternEnd + 64, size); ++offset)
        m_reference[offset] = filler(offset);
    for (int k = FirstSpecies; k <= LastSpecies; ++k) {
        const QByteArray bytes = entryBytes(patternEntry(k));
        for (int i = 0; i < bytes.size(); ++i) {
            if (i != 1 && R(k) + i < size)
                m_reference[R(k) + i] = bytes[i];
        }
    }

    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        qFatal("cannot create the test image");
    file.write(m_reference.constData(), std::min<qint64>(header.size(), size));
    const qint64 from = EvolutionTableOffset - 64;
    if (from < size) {
        file.seek(from);
        file.write(m_reference.constData() + from, std::min(PatternEnd + 64, size) - from);
    }
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

void TestImage::expect(qint64 offset, const QByteArray &bytes)
{
    std::copy(bytes.begin(), bytes.end(), m_reference.begin() + offset);
}

QByteArray TestImage::read(qint64 offset, qint64 count) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return {};
    return file.read(count);
}

QByteArray TestImage::fileContents() const
{
    QFile file(m_path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

qint64 TestImage::firstDifference() const
{
    const QByteArray contents = fileContents();
    if (contents.size() != m_reference.size())
        return std::min(contents.size(), m_reference.size());
    const auto mismatch = std::mismatch(contents.begin(), contents.end(), m_reference.begin());
    return mismatch.first == contents.end() ? -1 : mismatch.first - contents.begin();
}
