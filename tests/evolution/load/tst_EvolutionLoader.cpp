#include "OpenedEditor.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using EvolutionTable::R;

static const QList<int> LevelListSkipSpecies = {95, 108, 114, 117, 123, 137, 176, 190, 193, 198,
                                                200, 221, 315, 349, 366, 438, 439, 440, 458};

// The load road through the real window: a selection in the species list shows the stored entry.
class TestEvolutionLoader : public QObject
{
    Q_OBJECT

    std::unique_ptr<OpenedEditor> e;

private slots:
    void init() { e = std::make_unique<OpenedEditor>(); }
    void cleanup() { QVERIFY(!e->boxes.join('|').contains("with an icon")); }

    void everySpeciesShowsItsOwnEntryReadFieldByField()
    {
        e->select(0);
        QVERIFY(e->trace.events.isEmpty() && e->selections() == QList<int>(6, -1));
        for (int k = 1; k <= 493; ++k) {
            e->trace.events.clear();
            e->select(k);
            QStringList reads;
            for (const auto &[field, count] : {std::pair{0, 1}, {2, 1}, {2, 2}, {2, 2}, {2, 2}, {4, 2}})
                if (field != 2 || count != 1 || !LevelListSkipSpecies.contains(k))
                    reads << QString("read %1 %2").arg(R(k) + field).arg(count) << "open" << "close";
            QCOMPARE(e->trace.events, reads);
            if (e->selections() != TestImage::shown(TestImage::patternEntry(k)))
                QFAIL(qPrintable(QString("species %1 shows %2").arg(k).arg(QDebug::toString(e->selections()))));
        }
        QVERIFY(e->boxes.isEmpty());
        QCOMPARE(e->image.difference(), -1);
    }

    void storedValuesShowOrLeaveNothingSelected_data()
    {
        QTest::addColumn<int>("species");
        QTest::addColumn<QList<int>>("entry");
        QTest::addColumn<QList<int>>("selections");
        QTest::addColumn<QStringList>("named"); // by the one message after the load
        const QString level = "Parameter (level): stored value ";
        QTest::newRow("parameter 0x0110") << 2 << QList{21, 0x0110, 300} << QList{21, -1, 272, 272, 272, 300} << QStringList{};
        QTest::newRow("level 0x0105") << 2 << QList{4, 0x0105, 6} << QList{4, -1, 261, 261, 261, 6} << QStringList{level + "261 (0x0105)"};
        QTest::newRow("own level, species 95") << 95 << QList{4, 50, 6} << QList{4, 50, 50, 50, 50, 6} << QStringList{};
        QTest::newRow("no level, species 95") << 95 << QList{4, 300, 6} << QList{4, -1, 300, 300, 300, 6} << QStringList{level + "300 (0x012C)"};
        QTest::newRow("FFFF") << 95 << QList{7, 0xFFFF, 0xFFFF} << QList{7, -1, -1, -1, -1, -1} << QStringList{};
        QTest::newRow("method 27") << 2 << QList{27, 5, 6} << QList{-1, 5, 5, 5, 5, 6} << QStringList{"Method: stored value 27 (0x1B)"};
        QTest::newRow("target 0x8000") << 2 << QList{5, 5, 0x8000} << QList{5, 5, 5, 5, 5, -1} << QStringList{"Target: stored value 32768 (0x8000)"};
        QTest::newRow("item 464") << 2 << QList{7, 464, 6} << QList{7, -1, -1, 464, 464, 6} << QStringList{"Parameter (item): stored value 464 (0x01D0)"};
        QTest::newRow("move 468") << 2 << QList{20, 468, 6} << QList{20, -1, -1, 468, -1, 6} << QStringList{"Parameter (move): stored value 468 (0x01D4)"};
        QTest::newRow("species 494") << 2 << QList{21, 494, 6} << QList{21, -1, -1, -1, -1, 6} << QStringList{"Parameter (species): stored value 494 (0x01EE)"};
        QTest::newRow("method and target") << 2 << QList{30, 5, 600} << QList{-1, 5, 5, 5, 5, -1}
                                           << QStringList{"Method: stored value 30 (0x1E)", "Target: stored value 600 (0x0258)"};
    }
    void storedValuesShowOrLeaveNothingSelected()
    {
        QFETCH(int, species);
        QFETCH(QList<int>, entry);
        QFETCH(QList<int>, selections);
        QFETCH(QStringList, named);
        e->image.writeEntry(species, {entry[0], entry[1], entry[2]});
        for (int n = 1; n <= 6; ++n)
            e->combo(n)->setCurrentIndex(1);
        e->select(species);
        QCOMPARE(e->selections(), selections);
        QCOMPARE(e->trace.calls().size(), LevelListSkipSpecies.contains(species) ? 5 : 6);
        QCOMPARE(e->boxes.size(), named.isEmpty() ? 0 : 1);
        if (named.isEmpty())
            return;
        const QString text = e->texts[0];
        const bool one = named.size() == 1;
        QCOMPARE(e->boxes[0], Form1::ApplicationTitle);
        QVERIFY2(text.contains(named.join('\n')) && text.count(": stored value") == named.size()
                     && text.contains(one ? "a value that its list" : "values that their lists")
                     && text.contains(one ? "Save keeps the stored value unless" : "Save keeps the stored values unless"), qPrintable(text));
    }

    void failedReadStopsTheLoadAndSaveWritesOnlyWhatWasPicked_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("reads");
        QTest::addColumn<QList<int>>("selections");
        const QList<int> entry = TestImage::shown(TestImage::patternEntry(2));
        // The first read of the whole parameter runs past the end; its low byte is in the file.
        QTest::newRow("cut inside the parameter") << qint64(R(2) + 3) << 3 << (entry.mid(0, 1) << -1 << -1 << -1 << -1 << -1);
        QTest::newRow("cut inside the target") << qint64(R(2) + 5) << 6 << (entry.mid(0, 5) << -1);
    }
    void failedReadStopsTheLoadAndSaveWritesOnlyWhatWasPicked()
    {
        QFETCH(qint64, size);
        QFETCH(int, reads);
        QFETCH(QList<int>, selections);
        TestImage cut(size, "cut.nds");
        e->open(cut.localPath());
        e->select(1);
        e->trace.events.clear();
        e->select(2);
        QCOMPARE(e->boxes, QStringList{"Error: 62"});
        QCOMPARE(e->trace.calls().size(), reads);
        QCOMPARE(e->selections(), selections);
        // The method picked, which shows no parameter list, is written, and not the target the
        // load could not show.
        e->combo(1)->setCurrentIndex(0);
        e->save();
        QCOMPARE(e->trace.calls().filter("write"), QStringList{QString("write %1 00").arg(R(2))});
        cut.expect(R(2), QByteArray(1, '\0'));
        QCOMPARE(cut.difference(), -1);
    }

    void imageReplacedOnDiskIsNeitherReadNorWritten_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("boxes");
        const QString changed = Form1::ApplicationTitle;
        QTest::newRow("moved over") << "mv" << QStringList{changed, changed};
        QTest::newRow("linked over") << "ln -f" << QStringList{changed, changed};
        QTest::newRow("deleted and made anew") << "rm" << QStringList{changed, changed};
        QTest::newRow("moved over after the check, before the read") << "read" << QStringList{"Error: 75", changed};
        QTest::newRow("moved over after the check, before the write") << "write" << QStringList{"Error: 75"};
    }
    void imageReplacedOnDiskIsNeitherReadNorWritten()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, boxes);
        const QString path = e->image.path(), kept = path + ".kept", made = path + ".new";
        // Another image of the same size whose region byte the editor never checked.
        TestImage other(TestImage::StandardSize, "other.nds");
        other.write(15, "J");
        other.writeEntry(6, {9, 9, 9});
        const auto replace = [&] {
            QVERIFY(how == "ln -f" ? ::link(qPrintable(other.path()), qPrintable(made)) == 0 : (other.saveAs(made), true));
            QVERIFY(::rename(qPrintable(made), qPrintable(path)) == 0);
        };
        // Makes files at `name` in the image's folder, each moved aside for the next, until one
        // has the inode number or a thousand have not; the last one made stays at `name`.
        const auto makeFilesUntil = [](const QString &name, ino_t inode) {
            struct stat now {};
            for (int n = 0; n < 1000; ++n) {
                if ((n > 0 && ::rename(qPrintable(name), qPrintable(name + QString::number(n))) != 0)
                    || !QFile(name).open(QIODevice::NewOnly) || ::stat(qPrintable(name), &now) != 0)
                    qFatal("cannot make a file in the image's folder");
                if (now.st_ino == inode)
                    return true;
            }
            return false;
        };
        QVERIFY(how == "rm" || ::link(qPrintable(path), qPrintable(kept)) == 0);
        e->select(5);
        if (how == "rm") {
            // Only where the file system hands a freed inode number to the next file made can
            // another file take the image's number. A scratch file that nothing holds shows
            // whether it does; where it does not, this row cannot tell a held image from one
            // let go.
            struct stat probe {}, before {};
            const QString scratch = e->image.folder() + "/scratch";
            QVERIFY(QFile(scratch).open(QIODevice::NewOnly) && ::stat(qPrintable(scratch), &probe) == 0 && QFile::remove(scratch));
            if (!makeFilesUntil(scratch, probe.st_ino))
                QSKIP("this file system hands no freed inode number to a new file");
            QVERIFY(::stat(qPrintable(path), &before) == 0 && QFile::remove(path));
            QVERIFY(!makeFilesUntil(made, before.st_ino));
            other.saveAs(made);
            QVERIFY(::rename(qPrintable(made), qPrintable(path)) == 0);
        } else if (how == "mv" || how == "ln -f") {
            replace();
        }
        if (how == "read")
            e->trace.beforeNextCall = replace;
        e->select(6);
        QCOMPARE(e->selections(), how == "write" ? TestImage::shown(TestImage::patternEntry(6)) : QList<int>(6, -1));
        e->combo(1)->setCurrentIndex(3);
        if (how == "write")
            e->trace.beforeNextCall = replace;
        e->save();
        QCOMPARE(e->boxes, boxes);
        QVERIFY2(e->texts[0].contains(boxes[0] == "Error: 75" ? "another file" : "changed on disk"), qPrintable(e->texts[0]));
        QVERIFY(other.difference(false, path) == -1 && other.difference() == -1);
        QVERIFY(how == "rm" || e->image.difference(false, kept) == -1);
    }
};

QTEST_MAIN(TestEvolutionLoader)
#include "tst_EvolutionLoader.moc"
