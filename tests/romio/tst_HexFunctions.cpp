#include "AsOtherUser.h"
#include "ErrorReporter.h"
#include "HexFunctions.h"
#include "OpenDescriptors.h"
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

    QString pathOf(const QString &target) const
    {
        const QString folder = image->folder();
        const QMap<QString, QString> paths{{"missing", folder + "/missing.nds"}, {"empty", ""}, {"folder", folder},
                                           {"fifo", folder + "/fifo"}, {"loop", folder + "/loop"}, {"other", folder + "/other.nds"}};
        return paths.value(target, image->path());
    }
    static std::string local(const QString &path) { return QFile::encodeName(path).toStdString(); }

    // "read <count>" or "write <text>": what was read, or the text the write left behind.
    QString call(const QString &target, int offset, const QString &what)
    {
        const std::string path = local(pathOf(target));
        // "held": the image, while the routines hold another file.
        if (target == "held" && !hex.holdFile(local(pathOf("other"))))
            recorder.events << "Error: not held";
        const auto release = qScopeGuard([this] { hex.releaseFile(); });
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
        QVERIFY(QFile(pathOf("other")).open(QIODevice::NewOnly));
        QVERIFY(QFile::link("loop", image->folder() + "/loop"));
        recorder.events.clear();
        hex.setTrace(&recorder);
    }

    void swapBytesReversesPairsAndEmptiesItsArgument()
    {
        for (const auto &[in, out] : {std::pair{"12345", "452301"}, {"A1B2", "B2A1"}, {"45", "45"}, {"5", "05"}, {"", ""}, {"ZZ12", "12ZZ"}}) {
            std::string text = in;
            QCOMPARE(HexFunctions::SwapBytes(text), std::string(out));
            QVERIFY(text.empty());
        }
    }

    void readAndWrite_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("fail");    // the system call made to fail
        QTest::addColumn<QString>("result");  // what a read returns, or the text a write leaves behind
        QTest::addColumn<QString>("written"); // the bytes that reach the file at the offset
        QTest::addColumn<QString>("box");
        const auto row = [](const char *name, const char *target, int offset, const char *call, const char *fail,
                            const char *result, const char *written, const char *box = "") {
            QTest::newRow(name) << QString(target) << offset << QString(call) << QString(fail) << QString(result) << QString(written) << QString(box);
        };
        const char *notRegular = "Error: 75 | Path/File access error: not a regular file", *io = "Error: 57 | Device I/O error";
        row("read 0 7 10 69 255", "image", 0, "read 5", "", "00070A45FF", "");
        row("read the last bytes", "image", 62, "read 2", "", "E71C", "");
        row("read nothing", "image", 9, "read 0", "", "", "");
        row("write 3412", "image", 0, "write 3412", "", "", "3412");
        row("write 5", "image", 20, "write 5", "", "", "05");
        row("write 123", "image", 20, "write 123", "", "", "0123");
        row("write nothing", "image", 20, "write ", "", "", "");
        row("write the last bytes", "image", 61, "write C0FFEE", "", "", "C0FFEE");
        row("read at INT_MAX", "image", INT_MAX, "read 1", "", "", "", "Error: 6 | Overflow");
        row("read no path", "empty", 0, "read 1", "", "", "", "Error: 52 | Bad file name");
        row("read at the end", "image", 64, "read 1", "", "", "", "Error: 62 | Input past end of file");
        row("read across the end", "image", 61, "read 5", "", "", "", "Error: 62 | Input past end of file");
        row("read a folder", "folder", 0, "read 1", "", "", "", notRegular);
        row("read a FIFO", "fifo", 0, "read 1", "", "", "", notRegular);
        row("read a path that loops", "loop", 0, "read 1", "", "", "", "Error: 76 | Path not found");
        row("read, pread fails", "image", 0, "read 2", "pread", "", "", io);
        row("read, close fails", "image", 0, "read 2", "close", "", "", io);
        row("write 12ZZ", "image", 10, "write 12ZZ", "", "ZZ", "12", "Error: 13 | Invalid hexadecimal digits");
        row("write at the end", "image", 64, "write AA", "", "AA", "", "Error: 64 | Write past end of file");
        row("write across the end", "image", 62, "write A1B2C3", "", "A1B2C3", "", "Error: 64 | Write past end of file");
        row("write at INT_MAX", "image", INT_MAX, "write 12", "", "12", "", "Error: 6 | Overflow");
        row("write a missing file", "missing", 0, "write 123", "", "0123", "", "Error: 53 | File not found");
        row("write, pwrite fails", "image", 30, "write 1234", "pwrite", "1234", "", io);
        row("write, close fails", "image", 30, "write 1234", "close", "", "1234", io);
        const char *another = "Error: 75 | Path/File access error: the path names another file than the one held open";
        row("read while another file is held", "held", 0, "read 2", "", "", "", another);
        row("write while another file is held", "held", 30, "write 1234", "", "1234", "", another);
    }
    void readAndWrite()
    {
        QFETCH(QString, target);
        QFETCH(int, offset);
        QFETCH(QString, call);
        QFETCH(QString, fail);
        QFETCH(QString, result);
        QFETCH(QString, written);
        QFETCH(QString, box);
        image->expect(offset, QByteArray::fromHex(written.toLatin1()));
        qputenv("QUORVEL_FAIL", fail.toLatin1());
        QCOMPARE(this->call(target, offset, call), result);
        qunsetenv("QUORVEL_FAIL");
        // Each call opens the file at most once and closes what it opened before any box.
        QCOMPARE(recorder.events.mid(1).join(' '), (QStringList{"open", "close", box}.mid(recorder.events.count("open") ? 0 : 2)).join(' ').trimmed());
        QVERIFY(!QFile::exists(image->folder() + "/missing.nds"));
        // Nothing is left behind that spoils the next call.
        image->expect(40, "\x5A");
        this->call("image", 40, "write 5A");
        QCOMPARE(this->call("image", 40, "read 1"), "5A");
        QCOMPARE(recorder.boxes(), box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(image->difference(), -1);
    }

    void holdFileHoldsTheOneFileOrNone_data()
    {
        QTest::addColumn<QString>("earlier"); // held before, if any
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("fail");
        QTest::addColumn<QString>("box");
        const char *notRegular = "Error: 75 | Path/File access error: not a regular file";
        QTest::newRow("a FIFO") << "" << "fifo" << "" << notRegular;
        QTest::newRow("a folder") << "" << "folder" << "" << notRegular;
        QTest::newRow("a folder after the image") << "image" << "folder" << "" << notRegular;
        QTest::newRow("a missing file after the image") << "image" << "missing" << "" << "Error: 53 | File not found";
        QTest::newRow("the same file again") << "image" << "image" << "" << "";
        // The earlier file is only read from: its close cannot fail the new hold.
        QTest::newRow("another file, the earlier's close failing") << "image" << "other" << "close" << "";
    }
    void holdFileHoldsTheOneFileOrNone()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, target);
        QFETCH(QString, fail);
        QFETCH(QString, box);
        const auto release = qScopeGuard([this] { hex.releaseFile(); });
        QVERIFY(earlier.isEmpty() || hex.holdFile(local(pathOf(earlier))));
        qputenv("QUORVEL_FAIL", fail.toLatin1());
        const bool held = hex.holdFile(local(pathOf(target)));
        qunsetenv("QUORVEL_FAIL");
        QCOMPARE(held, box.isEmpty());
        QVERIFY(hex.heldFile() == (held ? FileIdentity::of(local(pathOf(target))) : std::nullopt));
        // Not released: a failed hold has closed what it opened, and the earlier file is let go.
        QCOMPARE(openDescriptors().filter(image->folder()), held ? QStringList{pathOf(target)} : QStringList());
        QCOMPARE(recorder.boxes(), box.isEmpty() ? QStringList() : QStringList{box});
    }

    void readOnlyFileIsReadButNotWrittenByAnotherUser()
    {
        QVERIFY(::chmod(QFile::encodeName(image->folder()).constData(), 0755) == 0);
        QVERIFY(::chmod(image->localPath().c_str(), 0444) == 0);
        AsOtherUser nobody;
        QVERIFY(nobody.ok());
        QCOMPARE(call("image", 0, "read 5"), "00070A45FF");
        QCOMPARE(call("image", 3, "write 1234"), "1234");
        QCOMPARE(recorder.boxes(), QStringList{"Error: 70 | Permission denied"});
        QCOMPARE(image->difference(), -1);
    }
};

QTEST_GUILESS_MAIN(TestHexFunctions)
#include "tst_HexFunctions.moc"
