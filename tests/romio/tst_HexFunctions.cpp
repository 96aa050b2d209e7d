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
    void ShowErrorBox(const std::string &text, const std::string &title) override { events << QString::fromStdString(title + " | " + text); }
    QStringList boxes() const { return events.filter("Error: "); }
};

class TestHexFunctions : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestImage> image;
    Recorder recorder;
    HexFunctions hex{recorder};

    // "read <count>" or "write <text>": what was read, or the text the write left behind.
    QString call(const QString &target, int offset, const QString &what)
    {
        const QString folder = image->folder();
        const QMap<QString, QString> paths{{"image", image->path()}, {"missing", folder + "/missing.nds"}, {"empty", ""},
                                           {"folder", folder}, {"fifo", folder + "/fifo"}, {"device", "/dev/null"}};
        const std::string path = QFile::encodeName(paths.value(target)).toStdString();
        std::int32_t position = offset;
        std::string text = what.section(' ', 1).toStdString();
        const std::string result = what.startsWith("read") ? hex.ReadHex(path, position, std::stoi(text)) : (hex.WriteHex(path, position, text), text);
        if (position != (offset == INT_MAX ? offset : offset + 1))
            qWarning("the offset was not raised by one"), recorder.events << "Error: offset";
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
        QVERIFY(::mkfifo(QFile::encodeName(image->folder() + "/fifo").constData(), 0666) == 0);
        recorder.events.clear();
        hex.setTrace(&recorder);
    }

    void succeeds_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("result"); // what a read returns, or the bytes a write puts at the offset
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
        QCOMPARE(this->call("image", offset, call), read ? result : QString());
        QCOMPARE(recorder.events.mid(1), QStringList({"open", "close"}));
        QCOMPARE(image->difference(), -1);
    }

    void swapBytesReversesPairsAndEmptiesItsArgument()
    {
        for (const auto &[in, out] : {std::pair{"12345", "452301"}, {"A1B2", "B2A1"}, {"45", "45"}, {"5", "05"}, {"", ""}, {"ZZ12", "12ZZ"}}) {
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
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("left");    // the text a write leaves behind
        QTest::addColumn<QString>("written"); // the bytes that reach the file
        const auto row = [](const char *name, const char *target, int offset, const char *call, const char *fail, const char *box,
                            const char *left = "", const char *written = "") {
            QTest::newRow(name) << QString(target) << offset << QString(call) << QString(fail) << QString(box) << QString(left) << QString(written);
        };
        row("read at INT_MAX", "image", INT_MAX, "read 1", "", "Error: 6 | Overflow");
        row("read beyond INT_MAX", "image", INT_MAX - 1, "read 2", "", "Error: 6 | Overflow");
        row("read no path", "empty", 0, "read 1", "", "Error: 52 | Bad file name");
        row("read at the end", "image", 64, "read 1", "", "Error: 62 | Input past end of file");
        row("read across the end", "image", 61, "read 5", "", "Error: 62 | Input past end of file");
        row("read a folder", "folder", 0, "read 1", "", "Error: 75 | Path/File access error: not a regular file");
        row("read a FIFO", "fifo", 0, "read 1", "", "Error: 75 | Path/File access error: not a regular file");
        row("read a device", "device", 0, "read 1", "", "Error: 75 | Path/File access error: not a regular file");
        row("read, pread fails", "image", 0, "read 2", "pread", "Error: 57 | Device I/O error");
        row("read, close fails", "image", 0, "read 2", "close", "Error: 57 | Device I/O error");
        row("write 12ZZ", "image", 10, "write 12ZZ", "", "Error: 13 | Invalid hexadecimal digits", "ZZ", "12");
        row("write G12", "image", 10, "write G12", "", "Error: 13 | Invalid hexadecimal digits", "0G12");
        row("write at the end", "image", 64, "write AA", "", "Error: 64 | Write past end of file", "AA");
        row("write across the end", "image", 62, "write A1B2C3", "", "Error: 64 | Write past end of file", "A1B2C3");
        row("write at INT_MAX", "image", INT_MAX, "write 12", "", "Error: 6 | Overflow", "12");
        row("write a missing file", "missing", 0, "write 123", "", "Error: 53 | File not found", "0123");
        row("write a device", "device", 0, "write 12", "", "Error: 75 | Path/File access error: not a regular file", "12");
        row("write, pwrite fails", "image", 30, "write 1234", "pwrite", "Error: 57 | Device I/O error", "1234");
        row("write, close fails", "image", 30, "write 1234", "close", "Error: 57 | Device I/O error", "", "1234");
    }
    void failsWithOneBoxAfterTheClose()
    {
        QFETCH(QString, target);
        QFETCH(int, offset);
        QFETCH(QString, call);
        QFETCH(QString, fail);
        QFETCH(QString, box);
        QFETCH(QString, left);
        QFETCH(QString, written);
        image->expect(offset, QByteArray::fromHex(written.toLatin1()));
        qputenv("QUORVEL_FAIL", fail.toLatin1());
        const QString result = this->call(target, offset, call);
        qunsetenv("QUORVEL_FAIL");
        QCOMPARE(result, call.startsWith("read") ? QString() : left);
        QCOMPARE(recorder.boxes(), QStringList{box});
        QCOMPARE(recorder.events.last(), box);
        QCOMPARE(recorder.events.count("open"), recorder.events.count("close"));
        QVERIFY(!QFile::exists(image->folder() + "/missing.nds"));
        // Nothing is left behind that spoils the next call.
        image->expect(40, "\x5A");
        QCOMPARE(this->call("image", 40, "write 5A") + this->call("image", 1, "read 3"), "070A45");
        QCOMPARE(recorder.boxes().size(), 1);
        QCOMPARE(image->difference(), -1);
    }

    void readOnlyFileIsReadButNotWrittenByAnotherUser()
    {
        QVERIFY(::chmod(QFile::encodeName(image->folder()).constData(), 0755) == 0);
        QVERIFY(::chmod(image->localPath().c_str(), 0444) == 0);
        AsOtherUser nobody;
        QVERIFY(nobody.ok());
        QCOMPARE(call("image", 0, "read 5") + call("image", 3, "write 1234"), "00070A45FF1234");
        QCOMPARE(recorder.boxes(), QStringList{"Error: 70 | Permission denied"});
        QCOMPARE(image->difference(), -1);
    }
};

QTEST_GUILESS_MAIN(TestHexFunctions)
#include "tst_HexFunctions.moc"
