#include "AsOtherUser.h"
#include "OpenedEditor.h"

#include <QtTest>

using EvolutionTable::R;

// The save road through the real window: Save writes the entry on screen into its own record.
class TestEvolutionSaver : public QObject
{
    Q_OBJECT

    std::unique_ptr<OpenedEditor> e;

private slots:
    void init() { e = std::make_unique<OpenedEditor>(); }
    void cleanup() { QVERIFY(!e->boxes.join('|').contains("with an icon")); }

    void everySpeciesWritesItsEditsIntoItsOwnRecordOnly()
    {
        // A method for each parameter list, and one without; values unlike the stored ones.
        const int edits[][3] = {{4, 2, 99}, {19, 3, 463}, {21, 4, 493}, {20, 5, 467}, {26, 0, 0}};
        for (int k = 1; k <= 493; ++k) {
            const auto &[method, list, value] = edits[k % 5];
            e->select(k);
            e->combo(1)->setCurrentIndex(method);
            if (list)
                e->combo(list)->setCurrentIndex(value - k % 7);
            e->combo(6)->setCurrentIndex(493 - k);
            e->trace.events.clear();
            e->save();
            // Method, Target, then Parameter; each write opens and closes the file on its own.
            const QByteArray bytes = TestImage::bytes({method, value - k % 7, 493 - k});
            QStringList events;
            for (const auto &[field, width] : {std::pair{0, 1}, {4, 2}, {2, 2}})
                if (field != 2 || list) {
                    e->image.expect(R(k) + field, bytes.mid(field, width));
                    events << QString("write %1 %2").arg(R(k) + field).arg(bytes.mid(field, width).toHex().toUpper()) << "open" << "close";
                }
            QCOMPARE(e->trace.events, events);
            if (const qint64 at = e->image.difference(true); at != -1)
                QFAIL(qPrintable(QString("species %1: the table differs at %2").arg(k).arg(at)));
        }
        QCOMPARE(e->image.difference(), -1);
    }

    void loadAndSaveKeepEveryStoredByte()
    {
        // Values the lists cannot show stay as they are, whatever list they would come from.
        const QList<std::pair<int, TestImage::Entry>> odd = {{2, {27, 5, 600}}, {3, {4, 0x0105, 494}}, {95, {4, 255, 6}},
            {130, {7, 600, 6}}, {131, {7, 0xFFFF, 0xFFFF}}, {260, {20, 468, 0x8000}}, {261, {21, 494, 6}}, {493, {255, 0x1234, 0xFFFE}}};
        for (const auto &[k, entry] : odd)
            e->image.writeEntry(k, entry);
        for (int k = 1; k <= 493; ++k)
            e->select(k), e->save();
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

    void failedWriteEndsTheSaveWithOneBox()
    {
        // Read-only for the user: nothing is written. Target across the end: Method alone is.
        for (const auto &[size, box, written] : {std::tuple{TestImage::StandardSize, "Error: 70", 0}, {R(493) + 5, "Error: 64", 1}}) {
            TestImage image(size, "short.nds");
            QVERIFY(QFile::setPermissions(image.folder(), QFileDevice::Permissions(0x7755)));
            QVERIFY(QFile::setPermissions(image.path(), QFileDevice::Permissions(written ? 0x6666 : 0x4444)));
            e->open(image.localPath());
            e->select(493);
            e->combo(1)->setCurrentIndex(7), e->combo(3)->setCurrentIndex(9), e->combo(6)->setCurrentIndex(5);
            e->trace.events.clear(), e->boxes.clear();
            {
                AsOtherUser nobody;
                QVERIFY(nobody.ok());
                e->save();
            }
            QCOMPARE(e->boxes, QStringList{box});
            QCOMPARE(e->trace.calls().size(), written + 1);
            image.expect(R(493), written ? "\x07" : "");
            QCOMPARE(image.difference(), -1);
        }
    }
};

QTEST_MAIN(TestEvolutionSaver)
#include "tst_EvolutionSaver.moc"
