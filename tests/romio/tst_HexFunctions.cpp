#include "AsOtherUser.h"
#include "ErrorReporter.h"
#include "HexFunctions.h"
#include "TestImage.h"
#include "TraceRecorder.h"

#include <QtTest>

#include <climits>
#include <sys/stat.h>

// The boxes go into the trace as well, so that their place after the close shows.
struct Recorder : ErrorReporter, TraceRecorder
{
    void ShowErrorBox(const std::string &text, const std::string &title) override
    {
        events << QString::fromStdString(title + " | " + text);
    }
};

class TestHexFunctions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestImage> image;
    Recorder recorder;
    HexFunctions hex{recorder};

    std::string pathOf(const QString &target)
    {
        const QString folder = image->folder();
        if (target == "fifo" && ::mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0666) != 0)
            qFatal("no FIFO");
        const QMap<QString, QString> paths{{"image", image->path()}, {"missing", folder + "/missing.nds"},
                                           {"empty", ""}, {"folder", folder}, {"fifo", folder + "/pipe"}, {"devnull", "/dev/null"}};
        return QFile::encodeName(paths.value(target)).toStdString();
    }
    // Runs "read <count>" or "write <text>"; returns what was read, or the text left behind.
    QString call(const std::string &path, int offset, const QString &what)
    {
        std::int32_t position = offset;
        std::string text = what.section(' ', 1).toStdString();
        const std::string result = what.startsWith("read") ? hex.ReadHex(path, position, std::stoi(text))
                                                           : (hex.WriteHex(path, position, text), text);
        [&] { QCOMPARE(position, offset == INT_MAX ? offset : offset + 1); }();
        return QString::fromStdString(result);
    }

private slots:
    void init()
    {
        image = std::make_unique<TestImage>(64);
        QByteArray bytes = QByteArray::fromHex("00070A45FF");
        while (bytes.size() < 64)
            bytes.append(char(bytes.size() * 53 + 17));
        image->write(0, bytes);
        recorder.events.clear();
        hex.setTrace(&recorder);
    }

    void succeeds_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("result"); // read: the text; write: the bytes now at the offset
        QTest::newRow("read 0 7 10 69 255") << 0 << "read 5" << "00070A45FF";
        QTest::newRow("read the last bytes") << 62 << "read 2" << "E71C";
        QTest::newRow("read nothing") << 9 << "read 0" << "";
        QTest::newRow("write 3412") << 0 << "write 3412" << "3412";
        QTest::newRow("write 5") << 20 << "write 5" << "05";
        QTest::newRow("write 123") << 20 << "write 123" << "0123";
        QTest::newRow("write lower case") << 20 << "write fFa0" << "FFA0";
        QTest::newRow("write nothing") << 20 << "write " << "";
        QTest::newRow("write the last bytes") << 61 << "write C0FFEE" << "C0FFEE";
    }
    void succeeds()
    {
        QFETCH(int, offset);
        QFETCH(QString, call);
        QFETCH(QString, result);
        const bool read = call.startsWith("read");
        if (!read)
            image->expect(offset, QByteArray::fromHex(result.toLatin1()));
        QCOMPARE(this->call(image->localPath(), offset, call), read ? result : QString());
        QCOMPARE(recorder.events.mid(1), QStringList({"open", "close"}));
        QCOMPARE(image->difference(), -1);
    }

    void swapBytesReversesPairsAndEmptiesItsArgument()
    {
        for (const auto &[in, out] : {std::pair{"12345", "452301"}, {"A1B2", "B2A1"}, {"45", "45"}, {"5", "05"}, {"", ""},
                                      {"ZZ12", "12ZZ"}}) {
            std::string text = in;
            QCOMPARE(HexFunctions::SwapBytes(text), std::string(out));
            QVERIFY(text.empty());
        }
    }

    void failsWithOneBoxAfterTheClose_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("fail"); // the system call made to fail
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("left");    // the text left behind by a write
        QTest::addColumn<QString>("written"); // the bytes that reached the file
        QTest::newRow("read at INT_MAX") << "image" << INT_MAX << "read 1" << "" << "Error: 6" << "" << "";
        QTest::newRow("read beyond INT_MAX") << "image" << INT_MAX - 1 << "read 2" << "" << "Error: 6" << "" << "";
        QTest::newRow("read no path") << "empty" << 0 << "read 1" << "" << "Error: 52" << "" << "";
        QTest::newRow("read at the end") << "image" << 64 << "read 1" << "" << "Error: 62" << "" << "";
        QTest::newRow("read past the end") << "image" << 61 << "read 5" << "" << "Error: 62" << "" << "";
        QTest::newRow("read a folder") << "folder" << 0 << "read 1" << "" << "Error: 75" << "" << "";
        QTest::newRow("read a FIFO") << "fifo" << 0 << "read 1" << "" << "Error: 75" << "" << "";
        QTest::newRow("read a device") << "devnull" << 0 << "read 1" << "" << "Error: 75" << "" << "";
        QTest::newRow("read, pread fails") << "image" << 0 << "read 2" << "pread" << "Error: 57" << "" << "";
        QTest::newRow("read, close fails") << "image" << 0 << "read 2" << "close" << "Error: 57" << "" << "";
        QTest::newRow("write 12ZZ") << "image" << 10 << "write 12ZZ" << "" << "Error: 13" << "ZZ" << "12";
        QTest::newRow("write G12") << "image" << 10 << "write G12" << "" << "Error: 13" << "0G12" << "";
        QTest::newRow("write at the end") << "image" << 64 << "write AA" << "" << "Error: 64" << "AA" << "";
        QTest::newRow("write across the end") << "image" << 62 << "write A1B2C3" << "" << "Error: 64" << "A1B2C3" << "";
        QTest::newRow("write at INT_MAX") << "image" << INT_MAX << "write 12" << "" << "Error: 6" << "12" << "";
        QTest::newRow("write a missing file") << "missing" << 0 << "write 123" << "" << "Error: 53" << "0123" << "";
        QTest::newRow("write a device") << "devnull" << 0 << "write 12" << "" << "Error: 75" << "12" << "";
        QTest::newRow("write, pwrite fails") << "image" << 30 << "write 1234" << "pwrite" << "Error: 57" << "1234" << "";
        QTest::newRow("write, close fails") << "image" << 30 << "write 1234" << "close" << "Error: 57" << "" << "1234";
    }
    void failsWithOneBoxAfterTheClose()
    {
        QFETCH(QString, target);
        QFETCH(int, offset);
        QFETCH(QString, call);
        QFETCH(QString, fail);
        QFETCH(QString, title);
        QFETCH(QString, left);
        QFETCH(QString, written);
        image->expect(offset, QByteArray::fromHex(written.toLatin1()));
        qputenv("QUORVEL_FAIL", fail.toLatin1());
        const QString result = this->call(pathOf(target), offset, call);
        qunsetenv("QUORVEL_FAIL");

        QCOMPARE(result, call.startsWith("read") ? QString() : left);
        const QStringList boxes = recorder.events.filter("Error: ");
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes[0].startsWith(title + " | "), qPrintable(boxes[0]));
        QCOMPARE(recorder.events.last(), boxes[0]);
        QCOMPARE(recorder.events.count("open"), recorder.events.count("close"));
        QVERIFY(!QFile::exists(image->folder() + "/missing.nds"));
        // Nothing is left behind that spoils the next call.
        image->expect(40, "\x5A");
        QCOMPARE(this->call(image->localPath(), 40, "write 5A") + this->call(image->localPath(), 1, "read 3"), "070A45");
        QCOMPARE(recorder.events.filter("Error: ").size(), 1);
        QCOMPARE(image->difference(), -1);
    }

    void readOnlyFileIsReadButNotWrittenByAnotherUser()
    {
        QVERIFY(::chmod(QFile::encodeName(image->folder()).constData(), 0755) == 0);
        QVERIFY(::chmod(image->localPath().c_str(), 0444) == 0);
        QString read, left;
        {
            AsOtherUser nobody;
            QVERIFY(nobody.ok());
            read = call(image->localPath(), 0, "read 5");
            left = call(image->localPath(), 3, "write 1234");
        }
        QCOMPARE(read + left, "00070A45FF1234");
        QCOMPARE(recorder.events.filter("Error: ").join(""), "Error: 70 | Permission denied");
        QCOMPARE(image->difference(), -1);
    }
};

QTEST_GUILESS_MAIN(TestHexFunctions)
#include "tst_HexFunctions.moc"
