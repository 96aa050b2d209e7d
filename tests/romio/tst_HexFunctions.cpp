#include <QtTest>

#include "AsOtherUser.h"
#include "EvolutionTable.h"
#include "HexFunctions.h"
#include "RecordingReporter.h"
#include "TestImage.h"
#include "TraceRecorder.h"

#include <climits>
#include <memory>
#include <set>
#include <sys/stat.h>

namespace {

constexpr qint64 SmallSize = 64;

// Puts the box into the same list as the opens and closes, so their order can be checked.
class OrderedReporter : public RecordingReporter
{
public:
    explicit OrderedReporter(TraceRecorder &trace) : m_trace(trace) {}
    void ShowErrorBox(const std::string &text, const std::string &title) override
    {
        m_trace.events << QStringLiteral("box");
        RecordingReporter::ShowErrorBox(text, title);
    }

private:
    TraceRecorder &m_trace;
};

// Distinct bytes, starting with the ones whose spelling matters most.
QByteArray smallContents()
{
    QByteArray bytes = QByteArray::fromHex("00070A45FF");
    for (qint64 i = bytes.size(); i < SmallSize; ++i)
        bytes.append(static_cast<char>(i * 53 + 17));
    return bytes;
}

QString hexOf(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

std::string local(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

// The other user must reach the file through its folder, but may only read it.
bool makeReadOnlyForOthers(const TestImage &image)
{
    return ::chmod(local(image.folder()).c_str(), 0755) == 0 && ::chmod(image.localPath().c_str(), 0444) == 0;
}

} // namespace

class TestHexFunctions : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readHex_spellsBytesAsUpperCasePairs_data();
    void readHex_spellsBytesAsUpperCasePairs();
    void readHex_countOfZeroOrLessStillOpensAndClosesOnce_data();
    void readHex_countOfZeroOrLessStillOpensAndClosesOnce();
    void readHex_failureShowsOneBoxAfterCloseAndReturnsNothing_data();
    void readHex_failureShowsOneBoxAfterCloseAndReturnsNothing();
    void readHex_readsReadOnlyFileAsOtherUser();

    void writeHex_writesPairsToAscendingOffsets_data();
    void writeHex_writesPairsToAscendingOffsets();
    void writeHex_failureShowsOneBoxAndKeepsFile_data();
    void writeHex_failureShowsOneBoxAndKeepsFile();
    void writeHex_readOnlyFileAsOtherUserIsRefused();
    void writeHex_changesNoOtherByteOfAFullImage();

    void nonAsciiPathIsReadAndWritten();
    void secondCallWorksAfterFirst_data();
    void secondCallWorksAfterFirst();
    void errorNumbersDifferPerKindOfFailure();

    void swapBytes_reversesPairsAndEmptiesText_data();
    void swapBytes_reversesPairsAndEmptiesText();

private:
    std::string pathFor(const QString &target);
    void checkOneBox(const QString &description, int number);

    std::unique_ptr<TestImage> m_image;
    std::unique_ptr<TraceRecorder> m_trace;
    std::unique_ptr<OrderedReporter> m_reporter;
    std::unique_ptr<HexFunctions> m_hex;
};

void TestHexFunctions::init()
{
    m_image = std::make_unique<TestImage>(SmallSize);
    m_image->write(0, smallContents());
    m_trace = std::make_unique<TraceRecorder>();
    m_reporter = std::make_unique<OrderedReporter>(*m_trace);
    m_hex = std::make_unique<HexFunctions>(*m_reporter);
    m_hex->setTrace(m_trace.get());
}

void TestHexFunctions::cleanup()
{
    m_hex.reset();
    m_reporter.reset();
    m_trace.reset();
    m_image.reset();
}

std::string TestHexFunctions::pathFor(const QString &target)
{
    const QString folder = m_image->folder();
    if (target == QLatin1String("image"))
        return m_image->localPath();
    if (target == QLatin1String("missing"))
        return local(folder + QLatin1String("/missing.nds"));
    if (target == QLatin1String("empty"))
        return {};
    if (target == QLatin1String("folder"))
        return local(folder);
    if (target == QLatin1String("fifo")) {
        const std::string fifo = local(folder + QLatin1String("/pipe"));
        if (::mkfifo(fifo.c_str(), 0666) != 0)
            qFatal("cannot make a FIFO");
        return fifo;
    }
    if (target == QLatin1String("devnull"))
        return "/dev/null";
    qFatal("unknown target");
    return {};
}

// number < 0: any decimal number will do.
void TestHexFunctions::checkOneBox(const QString &description, int number)
{
    QCOMPARE(m_reporter->boxes.size(), std::size_t(1));
    const auto &box = m_reporter->boxes.front();
    QVERIFY2(QString::fromStdString(box.text).contains(description), box.text.c_str());
    static const QRegularExpression title(QStringLiteral("^Error: (\\d+)$"));
    const auto match = title.match(QString::fromStdString(box.title));
    QVERIFY2(match.hasMatch(), box.title.c_str());
    if (number >= 0)
        QCOMPARE(match.captured(1).toInt(), number);
    QCOMPARE(m_trace->events.last(), QStringLiteral("box"));
    QCOMPARE(m_trace->count(QStringLiteral("open")), m_trace->count(QStringLiteral("close")));
}

void TestHexFunctions::readHex_spellsBytesAsUpperCasePairs_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("expected");
    QTest::newRow("0") << 0 << 1 << "00";
    QTest::newRow("7") << 1 << 1 << "07";
    QTest::newRow("10") << 2 << 1 << "0A";
    QTest::newRow("69") << 3 << 1 << "45";
    QTest::newRow("255") << 4 << 1 << "FF";
    QTest::newRow("run in file order") << 0 << 5 << "00070A45FF";
    QTest::newRow("up to the last byte") << int(SmallSize - 7) << 7 << hexOf(smallContents().right(7));
}

void TestHexFunctions::readHex_spellsBytesAsUpperCasePairs()
{
    QFETCH(int, offset);
    QFETCH(int, count);
    QFETCH(QString, expected);
    std::int32_t position = offset;
    QCOMPARE(QString::fromStdString(m_hex->ReadHex(m_image->localPath(), position, count)), expected);
    QCOMPARE(position, offset + 1);
    QVERIFY(m_reporter->boxes.empty());
    QCOMPARE(m_trace->events, QStringList({QStringLiteral("read %1 %2").arg(offset).arg(count), "open", "close"}));
}

void TestHexFunctions::readHex_countOfZeroOrLessStillOpensAndClosesOnce_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("zero") << 0;
    QTest::newRow("minus one") << -1;
    QTest::newRow("very negative") << INT_MIN;
}

void TestHexFunctions::readHex_countOfZeroOrLessStillOpensAndClosesOnce()
{
    QFETCH(int, count);
    std::int32_t offset = 9;
    QVERIFY(m_hex->ReadHex(m_image->localPath(), offset, count).empty());
    QCOMPARE(offset, 10);
    QVERIFY(m_reporter->boxes.empty());
    QCOMPARE(m_trace->count("open"), 1);
    QCOMPARE(m_trace->count("close"), 1);
}

void TestHexFunctions::readHex_failureShowsOneBoxAfterCloseAndReturnsNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("opens");
    QTest::addColumn<int>("offsetAfter");
    QTest::newRow("overflowing offset") << "image" << INT_MAX << 1 << "Overflow" << 6 << 0 << INT_MAX;
    QTest::newRow("empty path") << "empty" << 0 << 1 << "" << -1 << 0 << 1;
    QTest::newRow("starts at the end") << "image" << int(SmallSize) << 1 << "Input past end of file" << -1 << 1
                                       << int(SmallSize + 1);
    QTest::newRow("runs past the end") << "image" << int(SmallSize - 3) << 5 << "Input past end of file" << -1 << 1
                                       << int(SmallSize - 2);
    QTest::newRow("missing file") << "missing" << 0 << 1 << "" << -1 << 0 << 1;
    QTest::newRow("directory") << "folder" << 0 << 1 << "not a regular file" << -1 << 1 << 1;
    QTest::newRow("fifo") << "fifo" << 0 << 1 << "not a regular file" << -1 << 1 << 1;
    QTest::newRow("/dev/null") << "devnull" << 0 << 1 << "not a regular file" << -1 << 1 << 1;
}

void TestHexFunctions::readHex_failureShowsOneBoxAfterCloseAndReturnsNothing()
{
    QFETCH(QString, target);
    QFETCH(int, offset);
    QFETCH(int, count);
    QFETCH(QString, description);
    QFETCH(int, number);
    QFETCH(int, opens);
    QFETCH(int, offsetAfter);
    const std::string path = pathFor(target);
    std::int32_t position = offset;
    QCOMPARE(QString::fromStdString(m_hex->ReadHex(path, position, count)), QString());
    QCOMPARE(position, offsetAfter);
    QCOMPARE(m_trace->calls(), QStringList(QStringLiteral("read %1 %2").arg(offset).arg(count)));
    QCOMPARE(m_trace->count("open"), opens);
    checkOneBox(description, number);
    if (target == QLatin1String("missing"))
        QVERIFY(!QFile::exists(QFile::decodeName(path.c_str())));
    QCOMPARE(m_image->firstDifference(), qint64(-1));
}

void TestHexFunctions::readHex_readsReadOnlyFileAsOtherUser()
{
    QVERIFY(makeReadOnlyForOthers(*m_image));
    std::string hex;
    std::int32_t offset = 0;
    {
        AsOtherUser nobody;
        QVERIFY(nobody.ok());
        hex = m_hex->ReadHex(m_image->localPath(), offset, 5);
    }
    QCOMPARE(QString::fromStdString(hex), QStringLiteral("00070A45FF"));
    QVERIFY(m_reporter->boxes.empty());
}

void TestHexFunctions::writeHex_writesPairsToAscendingOffsets_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("two pairs") << 20 << "3412" << QByteArray::fromHex("3412");
    QTest::newRow("one digit") << 20 << "5" << QByteArray::fromHex("05");
    QTest::newRow("odd length") << 20 << "123" << QByteArray::fromHex("0123");
    QTest::newRow("lower case") << 20 << "ab" << QByteArray::fromHex("AB");
    QTest::newRow("mixed case") << 20 << "fFa0" << QByteArray::fromHex("FFA0");
    QTest::newRow("nothing") << 20 << "" << QByteArray();
    QTest::newRow("first byte") << 0 << "EE" << QByteArray::fromHex("EE");
    QTest::newRow("last bytes") << int(SmallSize - 3) << "C0FFEE" << QByteArray::fromHex("C0FFEE");
}

void TestHexFunctions::writeHex_writesPairsToAscendingOffsets()
{
    QFETCH(int, offset);
    QFETCH(QString, text);
    QFETCH(QByteArray, written);
    std::int32_t position = offset;
    std::string pairs = text.toStdString();
    m_hex->WriteHex(m_image->localPath(), position, pairs);
    m_image->expect(offset, written);
    QCOMPARE(m_image->firstDifference(), qint64(-1));
    QCOMPARE(position, offset + 1);
    QCOMPARE(QString::fromStdString(pairs), QString());
    QVERIFY(m_reporter->boxes.empty());
    QCOMPARE(m_trace->events, QStringList({QStringLiteral("write %1 %2").arg(offset).arg(text), "open", "close"}));
}

void TestHexFunctions::writeHex_failureShowsOneBoxAndKeepsFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QString>("description");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("opens");
    const QByteArray none;
    QTest::newRow("bad digits after a pair") << "image" << 10 << "12ZZ" << "ZZ" << QByteArray::fromHex("12")
                                             << "Invalid hexadecimal digits" << 13 << 1;
    QTest::newRow("bad first pair") << "image" << 10 << "Z512" << "Z512" << none << "Invalid hexadecimal digits" << 13
                                    << 1;
    QTest::newRow("sign is no digit") << "image" << 10 << "-1" << "-1" << none << "Invalid hexadecimal digits" << 13
                                      << 1;
    QTest::newRow("odd length, bad digit") << "image" << 10 << "G12" << "0G12" << none << "Invalid hexadecimal digits"
                                           << 13 << 1;
    QTest::newRow("at the end") << "image" << int(SmallSize) << "AA" << "AA" << none << "Write past end of file" << -1
                                << 1;
    QTest::newRow("straddles the end") << "image" << int(SmallSize - 2) << "A1B2C3D4" << "C3D4"
                                       << QByteArray::fromHex("A1B2") << "Write past end of file" << -1 << 1;
    QTest::newRow("overflowing offset") << "image" << INT_MAX << "12" << "12" << none << "Overflow" << 6 << 0;
    QTest::newRow("missing file") << "missing" << 0 << "123" << "0123" << none << "" << -1 << 0;
    QTest::newRow("empty path") << "empty" << 0 << "12" << "12" << none << "" << -1 << 0;
    QTest::newRow("directory") << "folder" << 0 << "12" << "12" << none << "" << -1 << -1;
    QTest::newRow("fifo without reader") << "fifo" << 0 << "12" << "12" << none << "" << -1 << -1;
    QTest::newRow("/dev/null") << "devnull" << 0 << "12" << "12" << none << "not a regular file" << -1 << 1;
}

void TestHexFunctions::writeHex_failureShowsOneBoxAndKeepsFile()
{
    QFETCH(QString, target);
    QFETCH(int, offset);
    QFETCH(QString, text);
    QFETCH(QString, textAfter);
    QFETCH(QByteArray, written);
    QFETCH(QString, description);
    QFETCH(int, number);
    QFETCH(int, opens);
    const std::string path = pathFor(target);
    std::int32_t position = offset;
    std::string pairs = text.toStdString();
    m_hex->WriteHex(path, position, pairs);
    QCOMPARE(position, offset == INT_MAX ? offset : offset + 1);
    QCOMPARE(QString::fromStdString(pairs), textAfter);
    if (opens >= 0)
        QCOMPARE(m_trace->count("open"), opens);
    checkOneBox(description, number);
    if (!written.isEmpty())
        m_image->expect(offset, written);
    QCOMPARE(m_image->firstDifference(), qint64(-1));
    if (target == QLatin1String("missing"))
        QVERIFY(!QFile::exists(QFile::decodeName(path.c_str())));
}

void TestHexFunctions::writeHex_readOnlyFileAsOtherUserIsRefused()
{
    QVERIFY(makeReadOnlyForOthers(*m_image));
    std::int32_t offset = 3;
    std::string pairs = "1234";
    {
        AsOtherUser nobody;
        QVERIFY(nobody.ok());
        m_hex->WriteHex(m_image->localPath(), offset, pairs);
    }
    checkOneBox(QStringLiteral("Permission denied"), 70);
    QCOMPARE(m_image->firstDifference(), qint64(-1));
}

void TestHexFunctions::writeHex_changesNoOtherByteOfAFullImage()
{
    using EvolutionTable::R;
    TestImage image;
    const struct {
        std::int32_t offset;
        const char *text;
        QByteArray bytes;
    } writes[] = {
        {R(1), "0B", QByteArray::fromHex("0B")},
        {R(1) + 2, "2400", QByteArray::fromHex("2400")},
        {R(493) + 4, "dc1", QByteArray::fromHex("0DC1")},
        {0, "51", QByteArray::fromHex("51")},
        {std::int32_t(TestImage::StandardSize - 1), "7", QByteArray::fromHex("07")},
    };
    for (const auto &write : writes) {
        std::int32_t offset = write.offset;
        std::string text = write.text;
        m_hex->WriteHex(image.localPath(), offset, text);
        image.expect(write.offset, write.bytes);
    }
    QVERIFY(m_reporter->boxes.empty());
    QCOMPARE(image.firstDifference(), qint64(-1));
}

void TestHexFunctions::nonAsciiPathIsReadAndWritten()
{
    TestImage image(SmallSize, QStringLiteral("Bild-äöü-ß.nds"));
    const std::string path = QFile::encodeName(image.path()).toStdString();
    QVERIFY(path.find("\xC3\xA4") != std::string::npos);
    std::int32_t offset = 4;
    std::string text = "C3A4";
    m_hex->WriteHex(path, offset, text);
    offset = 4;
    QCOMPARE(QString::fromStdString(m_hex->ReadHex(path, offset, 2)), QStringLiteral("C3A4"));
    QVERIFY(m_reporter->boxes.empty());
    QCOMPARE(image.read(4, 2), QByteArray::fromHex("C3A4"));
}

void TestHexFunctions::secondCallWorksAfterFirst_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("boxes");
    QTest::newRow("read") << "read" << 0;
    QTest::newRow("write") << "write" << 0;
    QTest::newRow("read past the end") << "read past end" << 1;
    QTest::newRow("bad digits") << "bad digits" << 1;
    QTest::newRow("missing file") << "missing" << 1;
}

void TestHexFunctions::secondCallWorksAfterFirst()
{
    QFETCH(QString, first);
    QFETCH(int, boxes);
    std::int32_t offset = first == QLatin1String("read past end") ? int(SmallSize) : 30;
    std::string text = first == QLatin1String("bad digits") ? "Q1" : "99";
    const std::string path = pathFor(first == QLatin1String("missing") ? "missing" : "image");
    if (first.startsWith(QLatin1String("read")))
        m_hex->ReadHex(path, offset, 2);
    else
        m_hex->WriteHex(path, offset, text);
    QCOMPARE(int(m_reporter->boxes.size()), boxes);

    offset = 1;
    QCOMPARE(QString::fromStdString(m_hex->ReadHex(m_image->localPath(), offset, 3)), QStringLiteral("070A45"));
    QCOMPARE(offset, 2);
    offset = 40;
    text = "5A";
    m_hex->WriteHex(m_image->localPath(), offset, text);
    QCOMPARE(offset, 41);
    QVERIFY(text.empty());
    QCOMPARE(int(m_reporter->boxes.size()), boxes);
    QCOMPARE(m_image->read(40, 1), QByteArray::fromHex("5A"));
    QCOMPARE(m_trace->count("open"), m_trace->count("close"));
}

void TestHexFunctions::errorNumbersDifferPerKindOfFailure()
{
    std::int32_t offset;
    std::string text;
    offset = INT_MAX;
    m_hex->ReadHex(m_image->localPath(), offset, 1);
    offset = 0, text = "XY";
    m_hex->WriteHex(m_image->localPath(), offset, text);
    offset = int(SmallSize);
    m_hex->ReadHex(m_image->localPath(), offset, 1);
    offset = int(SmallSize), text = "00";
    m_hex->WriteHex(m_image->localPath(), offset, text);
    offset = 0;
    m_hex->ReadHex(pathFor("missing"), offset, 1);
    offset = 0;
    m_hex->ReadHex(pathFor("folder"), offset, 1);

    std::set<std::string> titles;
    for (const auto &box : m_reporter->boxes)
        titles.insert(box.title);
    QCOMPARE(m_reporter->boxes.size(), std::size_t(6));
    QCOMPARE(titles.size(), std::size_t(6));
}

void TestHexFunctions::swapBytes_reversesPairsAndEmptiesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("swapped");
    QTest::newRow("odd length") << "12345" << "452301";
    QTest::newRow("two pairs") << "A1B2" << "B2A1";
    QTest::newRow("one pair") << "45" << "45";
    QTest::newRow("one digit") << "5" << "05";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("not validated") << "ZZ12" << "12ZZ";
    QTest::newRow("four pairs") << "11223344" << "44332211";
}

void TestHexFunctions::swapBytes_reversesPairsAndEmptiesText()
{
    QFETCH(QString, text);
    QFETCH(QString, swapped);
    std::string pairs = text.toStdString();
    QCOMPARE(QString::fromStdString(HexFunctions::SwapBytes(pairs)), swapped);
    QCOMPARE(QString::fromStdString(pairs), QString());
}

QTEST_GUILESS_MAIN(TestHexFunctions)
#include "tst_HexFunctions.moc"
