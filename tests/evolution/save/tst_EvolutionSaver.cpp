#include "AsOtherUser.h"
#include "OpenedEditor.h"

#include <QComboBox>
#include <QtTest>

using EvolutionTable::R;

// A value as the file holds it: little-endian, width bytes.
static QByteArray stored(int value, int width)
{
    return entryBytes({value, 0, 0}).left(1) + (width == 2 ? QByteArray(1, char(value >> 8)) : QByteArray());
}

// The save road through the real window: Save writes the entry on screen into its own record.
class TestEvolutionSaver : public QObject
{
    Q_OBJECT

    std::unique_ptr<OpenedEditor> e;

private slots:
    void init() { e = std::make_unique<OpenedEditor>(); }
    void cleanup() { QVERIFY2(!e->boxTitles().join("").contains("icon"), qPrintable(e->boxTitles().join(", "))); }

    void everySpeciesWritesItsEditsIntoItsOwnRecordOnly()
    {
        // A method for each parameter list, and one without any; values unlike the stored ones.
        struct Edit
        {
            int method, list, value;
        };
        const Edit edits[] = {{4, 2, 99}, {19, 3, 463}, {21, 4, 493}, {20, 5, 467}, {26, 0, 0}};
        for (int k = 1; k <= 493; ++k) {
            const Edit &edit = edits[k % 5];
            e->select(k);
            e->combo(1)->setCurrentIndex(edit.method);
            if (edit.list)
                e->combo(edit.list)->setCurrentIndex(edit.value - k % 7);
            e->combo(6)->setCurrentIndex(493 - k);
            e->trace.events.clear();
            e->save();

            // Method, Target, then Parameter; each write opens and closes the file on its own.
            QList<std::tuple<int, int, int>> fields = {{0, edit.method, 1}, {4, 493 - k, 2}};
            if (edit.list)
                fields.append({2, edit.value - k % 7, 2});
            QStringList events;
            for (const auto &[field, value, width] : fields) {
                e->image.expect(R(k) + field, stored(value, width));
                events << QString("write %1 %2").arg(R(k) + field).arg(stored(value, width).toHex().toUpper()) << "open" << "close";
            }
            QCOMPARE(e->trace.events, events);
            if (e->image.difference(false) != -1)
                QFAIL(qPrintable(QString("species %1: the table differs at %2").arg(k).arg(e->image.difference(false))));
        }
        QCOMPARE(e->image.difference(), -1);
    }

    void loadAndSaveKeepEveryStoredByte()
    {
        // Values the lists cannot show stay as they are, whatever list they would come from.
        const QList<std::pair<int, TestImage::Entry>> odd = {
            {2, {27, 5, 600}}, {3, {4, 0x0105, 494}}, {95, {4, 255, 6}}, {130, {7, 600, 6}}, {131, {7, 0xFFFF, 0xFFFF}},
            {260, {20, 468, 0x8000}}, {261, {21, 494, 6}}, {493, {255, 0x1234, 0xFFFE}}};
        for (const auto &[k, entry] : odd)
            e->image.writeEntry(k, entry);
        for (int k = 1; k <= 493; ++k) {
            e->select(k);
            e->save();
        }
        QCOMPARE(e->boxes.size(), odd.size() - 1); // FFFF is nothing selected, not a value to report
        QCOMPARE(e->image.difference(), -1);
    }

    void nothingIsWrittenWithoutASpeciesOfAnAcceptedImage()
    {
        e->save();
        e->select(0);
        e->combo(1)->setCurrentIndex(4);
        e->save();
        TestImage rejected(TestImage::StandardSize, "rejected.nds");
        rejected.write(15, "e");
        e->select(12);
        e->open(rejected.localPath());
        e->save();
        QCOMPARE(e->trace.calls().filter("write"), QStringList());
        QVERIFY(e->boxes.isEmpty() && rejected.difference() == -1 && e->image.difference() == -1);
    }

    void failedWriteEndsTheSaveWithOneBox_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("written"); // fields that reached the file
        QTest::newRow("read-only for the user") << TestImage::StandardSize << "Error: 70" << 0;
        QTest::newRow("Target across the end") << qint64(R(493) + 5) << "Error: 64" << 1;
    }
    void failedWriteEndsTheSaveWithOneBox()
    {
        QFETCH(qint64, size);
        QFETCH(QString, box);
        QFETCH(int, written);
        TestImage image(size, "short.nds");
        QVERIFY(QFile::setPermissions(image.folder(), QFileDevice::Permissions(0x7755)));
        const bool readOnly = size == TestImage::StandardSize;
        QVERIFY(QFile::setPermissions(image.path(), readOnly ? QFileDevice::ReadOwner | QFileDevice::ReadOther : QFileDevice::Permissions(0x6666)));
        e->open(image.localPath());
        e->select(493);
        e->boxes.clear();
        e->combo(1)->setCurrentIndex(7);
        e->combo(3)->setCurrentIndex(9);
        e->combo(6)->setCurrentIndex(5);
        e->trace.events.clear();
        {
            AsOtherUser nobody;
            QVERIFY(nobody.ok());
            e->save();
        }
        QCOMPARE(e->boxTitles(), QStringList{box});
        QCOMPARE(e->trace.calls().size(), written + 1);
        if (written)
            image.expect(R(493), "\x07");
        QCOMPARE(image.difference(), -1);
    }
};

QTEST_MAIN(TestEvolutionSaver)
#include "tst_EvolutionSaver.moc"
