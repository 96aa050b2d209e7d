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

constexpr int SmallSize = 64;

// Puts the box into the same list as the opens and closes, so their order can be checked.
struct OrderedReporter : RecordingReporter
{
    TraceRecorder trace;
    void ShowErrorBox(const std::string &text, const std::string &title) override
    {
        trace.events << QStringLiteral("box");
        RecordingReporter::ShowErrorBox(text, title);
    }
};

std::string local(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

class TestHexFunctions : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Distinct bytes, starting with the ones whose spelling matters most.
        QByteArray bytes = QByteArray::fromHex("00070A45FF");
        while (bytes.size() < SmallSize)
            bytes.append(char(bytes.size() * 53 + 17));
        m_image = std::make_unique<TestImage>(SmallSize);
        m_image->write(0, bytes);
        m_reporter = std::make_unique<OrderedReporter>();
        m_hex = std::make_unique<HexFunctions>(*m_reporter);
        m_hex->setTrace(&m_reporter->trace);
    }
    void cleanup()
    {
        m_hex.reset();
        m_reporter.reset();
        m_image.reset();
    }

    void readHex_spellsBytesAsUpperCasePairsInFileOrder_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0 7 10 69 255") << 0 << 5 << "00070A45FF";
        QTest::newRow("up to the last byte") << SmallSize - 2 << 2 << "E71C";
        QTest::newRow("count 0") << 9 << 0 << "";
        QTest::newRow("count INT_MIN") << 9 << INT_MIN << "";
    }
    void readHex_spellsBytesAsUpperCasePairsInFileOrder()
    {
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(QString, expected);
        std::int32_t position = offset;
        QCOMPARE(QString::fromStdString(m_hex->ReadHex(m_image->localPath(), position, count)), expected);
        QCOMPARE(position, offset + 1);
        QVERIFY(m_reporter->boxes.empty());
        QCOMPARE(trace(), QStringList({QStringLiteral("read %1 %2").arg(offset).arg(count), "open", "close"}));
    }

    void writeHex_writesPairsToAscendingOffsets_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("3412 at the first byte") << 0 << "3412" << "3412";
        QTest::newRow("5") << 20 << "5" << "05";
        QTest::newRow("123") << 20 << "123" << "0123";
        QTest::newRow("lower case") << 20 << "fFa0" << "FFA0";
        QTest::newRow("nothing") << 20 << "" << "";
        QTest::newRow("up to the last byte") << SmallSize - 3 << "C0FFEE" << "C0FFEE";
    }
    void writeHex_writesPairsToAscendingOffsets()
    {
        QFETCH(int, offset);
        QFETCH(QString, text);
        QFETCH(QString, written);
        std::int32_t position = offset;
        std::string pairs = text.toStdString();
        m_hex->WriteHex(m_image->localPath(), position, pairs);
        m_image->expect(offset, QByteArray::fromHex(written.toLatin1()));
        QCOMPARE(m_image->firstDifference(), qint64(-1));
        QCOMPARE(position, offset + 1);
        QCOMPARE(QString::fromStdString(pairs), QString());
        QVERIFY(m_reporter->boxes.empty());
        QCOMPARE(trace(), QStringList({QStringLiteral("write %1 %2").arg(offset).arg(text), "open", "close"}));
    }

    void failedCallShowsOneBoxAfterClosing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("call"); // "read <count>" or "write <text>"
        QTest::addColumn<QString>("textAfter");
        QTest::addColumn<QString>("description");
        QTest::addColumn<int>("number"); // -1: any
        QTest::addColumn<int>("opens");  // -1: a failed open and a refusal after it will both do
        const QString bad = "Invalid hexadecimal digits", irregular = "not a regular file";
        const QString inPast = "Input past end of file", outPast = "Write past end of file";
        QTest::newRow("read at INT_MAX") << "image" << INT_MAX << "read 1" << "" << "Overflow" << 6 << 0;
        QTest::newRow("read beyond INT_MAX") << "image" << INT_MAX - 1 << "read 2" << "" << "Overflow" << 6 << 0;
        QTest::newRow("read empty path") << "empty" << 0 << "read 1" << "" << "" << -1 << 0;
        QTest::newRow("read at the end") << "image" << SmallSize << "read 1" << "" << inPast << -1 << 1;
        QTest::newRow("read past the end") << "image" << SmallSize - 3 << "read 5" << "" << inPast << -1 << 1;
        QTest::newRow("read directory") << "folder" << 0 << "read 1" << "" << irregular << -1 << 1;
        QTest::newRow("read fifo") << "fifo" << 0 << "read 1" << "" << irregular << -1 << 1;
        QTest::newRow("read /dev/null") << "devnull" << 0 << "read 1" << "" << irregular << -1 << 1;
        QTest::newRow("bad digits after a pair") << "image" << 10 << "write 12ZZ" << "ZZ" << bad << 13 << 1;
        QTest::newRow("sign is no digit") << "image" << 10 << "write -1" << "-1" << bad << 13 << 1;
        QTest::newRow("odd length, G") << "image" << 10 << "write G12" << "0G12" << bad << 13 << 1;
        QTest::newRow("write at the end") << "image" << SmallSize << "write AA" << "AA" << outPast << -1 << 1;
        QTest::newRow("write across end") << "image" << SmallSize - 2 << "write A1B2C3" << "C3" << outPast << -1 << 1;
        QTest::newRow("write at INT_MAX") << "image" << INT_MAX << "write 12" << "12" << "Overflow" << 6 << 0;
        QTest::newRow("write missing file") << "missing" << 0 << "write 123" << "0123" << "" << -1 << 0;
        QTest::newRow("write fifo without reader") << "fifo" << 0 << "write 12" << "12" << "" << -1 << -1;
        QTest::newRow("write /dev/null") << "devnull" << 0 << "write 12" << "12" << irregular << -1 << 1;
    }
    void failedCallShowsOneBoxAfterClosing()
    {
        QFETCH(QString, target);
        QFETCH(int, offset);
        QFETCH(QString, call);
        QFETCH(QString, textAfter);
        QFETCH(QString, description);
        QFETCH(int, number);
        QFETCH(int, opens);
        const QString text = call.section(' ', 1);
        std::int32_t position = offset;
        std::string pairs = text.toStdString();
        if (call.startsWith("read")) {
            QCOMPARE(QString::fromStdString(m_hex->ReadHex(pathFor(target), position, text.toInt())), QString());
        } else {
            m_hex->WriteHex(pathFor(target), position, pairs);
            QCOMPARE(QString::fromStdString(pairs), textAfter);
            // The pairs taken off the front of the text are the ones that reached the file.
            const QString padded = text.size() % 2 ? '0' + text : text;
            if (padded != textAfter)
                m_image->expect(offset, QByteArray::fromHex(padded.chopped(textAfter.size()).toLatin1()));
        }
        QCOMPARE(position, offset == INT_MAX ? offset : offset + 1);
        checkFailure(description, number, opens);
    }

    void readOnlyFileIsReadableButNotWritableForOtherUser()
    {
        // The other user must reach the file through its folder, but may only read it.
        QVERIFY(::chmod(local(m_image->folder()).c_str(), 0755) == 0);
        QVERIFY(::chmod(m_image->localPath().c_str(), 0444) == 0);
        std::int32_t readAt = 0, writeAt = 3;
        std::string hex, pairs = "1234";
        {
            AsOtherUser nobody;
            QVERIFY(nobody.ok());
            hex = m_hex->ReadHex(m_image->localPath(), readAt, 5);
            m_hex->WriteHex(m_image->localPath(), writeAt, pairs);
        }
        QCOMPARE(QString::fromStdString(hex), QStringLiteral("00070A45FF"));
        QVERIFY(::chmod(m_image->localPath().c_str(), 0644) == 0);
        checkFailure(QStringLiteral("Permission denied"), 70, 1);
    }

    void largeImageAtNonAsciiPathGetsOnlyTheGivenBytes()
    {
        using EvolutionTable::R;
        TestImage image(TestImage::StandardSize, QStringLiteral("Bild-äöü-ß.nds"));
        const std::string path = image.localPath();
        const std::tuple<std::int32_t, const char *, const char *> writes[] = {
            {R(1), "0B", "0B"}, {R(1) + 2, "2400", "2400"}, {R(493) + 4, "dc1", "0DC1"}, {0, "51", "51"},
            {std::int32_t(TestImage::StandardSize - 1), "7", "07"}};
        for (const auto &[at, text, bytes] : writes) {
            std::int32_t offset = at;
            std::string pairs = text;
            m_hex->WriteHex(path, offset, pairs);
            image.expect(at, QByteArray::fromHex(bytes));
        }
        std::int32_t offset = R(493) + 4;
        QCOMPARE(QString::fromStdString(m_hex->ReadHex(path, offset, 2)), QStringLiteral("0DC1"));
        QVERIFY(m_reporter->boxes.empty());
        QCOMPARE(image.firstDifference(), qint64(-1));
    }

    void errorNumbersDifferPerKindOfFailure()
    {
        const std::string image = m_image->localPath();
        std::int32_t offset = INT_MAX;
        std::string text = "XY";
        m_hex->ReadHex(image, offset, 1);
        m_hex->WriteHex(image, offset = 0, text);
        m_hex->ReadHex(image, offset = SmallSize, 1);
        m_hex->WriteHex(image, offset = SmallSize, text = "00");
        m_hex->ReadHex(pathFor("missing"), offset = 0, 1);
        m_hex->ReadHex(pathFor("folder"), offset = 0, 1);
        std::set<std::string> titles;
        for (const auto &box : m_reporter->boxes)
            titles.insert(box.title);
        QCOMPARE(titles.size(), std::size_t(6));
    }

    void swapBytes_reversesPairsAndEmptiesText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("swapped");
        QTest::newRow("odd length") << "12345" << "452301";
        QTest::newRow("two pairs") << "A1B2" << "B2A1";
        QTest::newRow("one pair") << "45" << "45";
        QTest::newRow("one digit") << "5" << "05";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("not validated") << "ZZ12" << "12ZZ";
    }
    void swapBytes_reversesPairsAndEmptiesText()
    {
        QFETCH(QString, text);
        QFETCH(QString, swapped);
        std::string pairs = text.toStdString();
        QCOMPARE(QString::fromStdString(HexFunctions::SwapBytes(pairs)), swapped);
        QCOMPARE(QString::fromStdString(pairs), QString());
    }

private:
    const QStringList &trace() const { return m_reporter->trace.events; }

    std::string pathFor(const QString &target)
    {
        const QString folder = m_image->folder();
        if (target == QLatin1String("fifo") && ::mkfifo(local(folder + "/pipe").c_str(), 0666) != 0)
            qFatal("cannot make a FIFO");
        const QMap<QString, QString> paths{{"image", m_image->path()}, {"missing", folder + "/missing.nds"},
            {"empty", ""}, {"folder", folder}, {"fifo", folder + "/pipe"}, {"devnull", "/dev/null"}};
        return local(paths.value(target));
    }

    // number < 0: any number will do. A failed call must leave nothing behind that spoils the next.
    void checkFailure(const QString &description, int number, int opens)
    {
        QCOMPARE(m_reporter->boxes.size(), std::size_t(1));
        const auto &box = m_reporter->boxes.front();
        QVERIFY2(QString::fromStdString(box.text).contains(description), box.text.c_str());
        const auto title = QRegularExpression("^Error: (\\d+)$").match(QString::fromStdString(box.title));
        QVERIFY2(title.hasMatch() && (number < 0 || title.captured(1).toInt() == number), box.title.c_str());
        QCOMPARE(trace().last(), QStringLiteral("box"));
        QCOMPARE(trace().count("close"), trace().count("open"));
        QVERIFY(opens < 0 ? trace().count("open") <= 1 : trace().count("open") == opens);
        QVERIFY(!QFile::exists(m_image->folder() + "/missing.nds"));
        std::int32_t offset = 40;
        std::string text = "5A";
        m_hex->WriteHex(m_image->localPath(), offset, text);
        m_image->expect(40, QByteArray::fromHex("5A"));
        QCOMPARE(QString::fromStdString(m_hex->ReadHex(m_image->localPath(), offset = 1, 3)), QString("070A45"));
        QCOMPARE(m_reporter->boxes.size(), std::size_t(1));
        QCOMPARE(m_image->firstDifference(), qint64(-1));
    }

    std::unique_ptr<TestImage> m_image;
    std::unique_ptr<OrderedReporter> m_reporter;
    std::unique_ptr<HexFunctions> m_hex;
};

QTEST_GUILESS_MAIN(TestHexFunctions)
#include "tst_HexFunctions.moc"
