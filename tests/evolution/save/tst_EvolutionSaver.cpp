#include "AsOtherUser.h"
#include "EvolutionTable.h"
#include "HexFunctions.h"
#include "ModalBoxWatcher.h"
#include "OpenedEditor.h"
#include "TraceRecorder.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

#include <array>
#include <memory>

using EvolutionTable::R;

// The save road through the real window: Save writes the shown entry back into its record.
class TestEvolutionSaver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everySpeciesWritesOnlyItsOwnEntry();
    void writesMethodThenTargetThenParameter_data();
    void writesMethodThenTargetThenParameter();
    void noParameterWithoutAVisibleList();
    void nothingSelectedIsWrittenAsAllOnes();
    void largestIndicesKeepEveryDigit_data();
    void largestIndicesKeepEveryDigit();
    void levelSkipSpeciesSaveTheLevelListAsItStands();
    void placeholderAndNoSelectionWriteNothing();
    void nothingIsWrittenIntoAnImageNotAccepted();
    void readOnlyImageShowsOneBoxPerField_data();
    void readOnlyImageShowsOneBoxPerField();
    void shortImageIsNotExtended();
    void loadThenSaveLeavesEveryByteAsItWas();

private:
    void open(const TestImage &image) { m_editor->open(image); }
    void select(int species) { m_editor->select(species); }
    void save() { QTest::mouseClick(m_editor->saveButton, Qt::LeftButton); }
    QComboBox *combo(int n) const { return m_editor->combo(n); }
    // What the save of species k is expected to put into the reference copy.
    void expectEntry(int k, int method, int target, std::optional<int> parameter);
    void verifyFile(const char *what);

    std::unique_ptr<OpenedEditor> m_editor;
    TestImage *m_image = nullptr;
    Form1 *m_form = nullptr;
    TraceRecorder m_trace;
};

void TestEvolutionSaver::init()
{
    m_editor = std::make_unique<OpenedEditor>();
    m_image = &m_editor->image;
    m_form = &m_editor->form;
    QVERIFY(m_form->imageAccepted());
    m_form->byteAccess().setTrace(&m_trace);
}

void TestEvolutionSaver::cleanup()
{
    m_trace.events.clear();
    m_editor.reset();
}

void TestEvolutionSaver::expectEntry(int k, int method, int target, std::optional<int> parameter)
{
    m_image->expect(R(k), QByteArray(1, static_cast<char>(method)));
    m_image->expect(R(k) + 4, entryBytes({0, 0, target}).mid(4));
    if (parameter)
        m_image->expect(R(k) + 2, entryBytes({0, *parameter, 0}).mid(2, 2));
}

void TestEvolutionSaver::verifyFile(const char *what)
{
    const qint64 at = m_image->firstDifference();
    if (at >= 0)
        QFAIL(qPrintable(QStringLiteral("%1: the file differs at offset %2 (0x%3)")
                             .arg(QLatin1String(what)).arg(at).arg(at, 0, 16)));
}

void TestEvolutionSaver::everySpeciesWritesOnlyItsOwnEntry()
{
    // A method per kind of parameter list, and one without; values differ from what is stored.
    struct Edit
    {
        int method;
        int list; // Combo2 to Combo5, 0 for none
        int value;
    };
    constexpr std::array<Edit, 5> Edits = {{{4, 2, 99}, {19, 3, 463}, {21, 4, 493}, {20, 5, 467}, {26, 0, 0}}};

    for (int k = 1; k <= 493; ++k) {
        select(k);
        const Edit &edit = Edits[k % Edits.size()];
        combo(1)->setCurrentIndex(edit.method);
        if (edit.list)
            combo(edit.list)->setCurrentIndex(edit.value - k % 7);
        const int target = 493 - k;
        combo(6)->setCurrentIndex(target);
        m_trace.events.clear();

        save();

        const std::optional<int> parameter = edit.list ? std::optional<int>(edit.value - k % 7) : std::nullopt;
        expectEntry(k, edit.method, target, parameter);
        QCOMPARE(m_trace.calls().size(), parameter ? 3 : 2);
        verifyFile(qPrintable(QStringLiteral("species %1").arg(k)));
    }
}

void TestEvolutionSaver::writesMethodThenTargetThenParameter_data()
{
    QTest::addColumn<int>("species");
    QTest::addColumn<QStringList>("writes");
    QTest::newRow("species 1") << 1 << QStringList{"write 42824768 04", "write 42824772 0200", "write 42824770 3200"};
    QTest::newRow("species 70") << 70 << QStringList{"write 42827804 04", "write 42827808 0200", "write 42827806 3200"};
    QTest::newRow("species 71") << 71 << QStringList{"write 42827848 04", "write 42827852 0200", "write 42827850 3200"};
    QTest::newRow("species 141") << 141 << QStringList{"write 42830928 04", "write 42830932 0200", "write 42830930 3200"};
    QTest::newRow("species 493") << 493 << QStringList{"write 42846416 04", "write 42846420 0200", "write 42846418 3200"};
}

void TestEvolutionSaver::writesMethodThenTargetThenParameter()
{
    QFETCH(int, species);
    QFETCH(QStringList, writes);
    select(species);
    combo(1)->setCurrentIndex(4);
    combo(2)->setCurrentIndex(50);
    combo(6)->setCurrentIndex(2);
    m_trace.events.clear();

    save();

    // One open and one close around every field.
    QStringList events;
    for (const QString &write : writes)
        events << write << QStringLiteral("open") << QStringLiteral("close");
    QCOMPARE(m_trace.events, events);
    expectEntry(species, 4, 2, 50);
    verifyFile("after the save");
}

void TestEvolutionSaver::noParameterWithoutAVisibleList()
{
    select(140);
    combo(3)->setCurrentIndex(12);
    combo(1)->setCurrentIndex(5);
    combo(6)->setCurrentIndex(9);
    m_trace.events.clear();
    save();
    QCOMPARE(m_trace.calls(), (QStringList{QStringLiteral("write %1 05").arg(R(140)),
                                           QStringLiteral("write %1 0900").arg(R(140) + 4)}));
    expectEntry(140, 5, 9, std::nullopt);
    verifyFile("parameter bytes kept");
}

void TestEvolutionSaver::nothingSelectedIsWrittenAsAllOnes()
{
    select(300);
    combo(1)->setCurrentIndex(7);
    combo(3)->setCurrentIndex(-1);
    combo(6)->setCurrentIndex(-1);
    save();
    expectEntry(300, 7, 0xFFFF, 0xFFFF);
    verifyFile("parameter and target");

    combo(1)->setCurrentIndex(-1);
    save();
    expectEntry(300, 0xFF, 0xFFFF, std::nullopt);
    verifyFile("method");
}

void TestEvolutionSaver::largestIndicesKeepEveryDigit_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("parameterBytes");
    QTest::newRow("level 100") << 4 << 2 << 100 << QByteArray("\x64\x00", 2);
    QTest::newRow("item 463") << 7 << 3 << 463 << QByteArray("\xCF\x01", 2);
    QTest::newRow("species 493") << 21 << 4 << 493 << QByteArray("\xED\x01", 2);
    QTest::newRow("move 467") << 20 << 5 << 467 << QByteArray("\xD3\x01", 2);
}

void TestEvolutionSaver::largestIndicesKeepEveryDigit()
{
    QFETCH(int, method);
    QFETCH(int, list);
    QFETCH(int, index);
    QFETCH(QByteArray, parameterBytes);
    // Species 451 is stored with a high parameter byte of 1: the level list must clear it.
    select(451);
    QCOMPARE(m_image->read(R(451) + 3, 1), QByteArray(1, '\x01'));
    combo(1)->setCurrentIndex(method);
    combo(list)->setCurrentIndex(index);
    combo(6)->setCurrentIndex(493);
    save();
    QCOMPARE(m_image->read(R(451), 6), QByteArray(1, static_cast<char>(method)) + m_image->read(R(451) + 1, 1)
                                            + parameterBytes + QByteArray("\xED\x01", 2));
    expectEntry(451, method, 493, index);
    verifyFile("largest index");
}

void TestEvolutionSaver::levelSkipSpeciesSaveTheLevelListAsItStands()
{
    select(94);
    const int level = combo(2)->currentIndex();
    QVERIFY(level >= 0);
    select(95);
    combo(1)->setCurrentIndex(4);
    combo(6)->setCurrentIndex(1);
    save();
    expectEntry(95, 4, 1, level);
    verifyFile("level of the species before");
}

void TestEvolutionSaver::placeholderAndNoSelectionWriteNothing()
{
    save(); // nothing selected yet
    select(0);
    combo(1)->setCurrentIndex(4);
    save();
    m_editor->list->clearSelection();
    save();
    QVERIFY(m_trace.events.isEmpty());
    verifyFile("nothing written");
}

void TestEvolutionSaver::nothingIsWrittenIntoAnImageNotAccepted()
{
    select(12);
    combo(1)->setCurrentIndex(4);

    TestImage rejected(TestImage::StandardSize, QStringLiteral("rejected.nds"));
    rejected.setRegion('e');
    open(rejected);
    QVERIFY(!m_form->imageAccepted());
    QCOMPARE(m_form->RomPath, rejected.localPath());
    QVERIFY(m_editor->saveButton->isEnabled());
    m_trace.events.clear();
    save();
    QVERIFY(m_trace.events.isEmpty());
    QCOMPARE(rejected.firstDifference(), qint64(-1));
    verifyFile("the image accepted before");

    // After a first Open that was cancelled. The list is disabled then, so only code can select
    // a species; its load fails on the empty path with the byte routines' box.
    ScriptedCommonDialogs dialogs;
    Form1 fresh(dialogs);
    dialogs.cancel();
    fresh.findChild<QAction *>(QStringLiteral("Open1"))->trigger();
    ModalBoxWatcher watcher;
    fresh.findChild<QListWidget *>(QStringLiteral("List1"))->setCurrentRow(12);
    QCOMPARE(watcher.boxes.size(), 1);
    fresh.byteAccess().setTrace(&m_trace);
    QTest::mouseClick(fresh.findChild<QToolButton *>(QStringLiteral("Command")), Qt::LeftButton);
    QVERIFY(m_trace.events.isEmpty());
}

void TestEvolutionSaver::readOnlyImageShowsOneBoxPerField_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("boxes");
    QTest::newRow("with a parameter list") << 7 << 3;
    QTest::newRow("without") << 8 << 2;
}

void TestEvolutionSaver::readOnlyImageShowsOneBoxPerField()
{
    QFETCH(int, method);
    QFETCH(int, boxes);
    select(250);
    combo(1)->setCurrentIndex(method);
    QVERIFY(QFile::setPermissions(m_image->folder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                         | QFileDevice::ReadOther | QFileDevice::ExeOther));
    QVERIFY(QFile::setPermissions(m_image->path(), QFileDevice::ReadOwner | QFileDevice::ReadOther));

    ModalBoxWatcher watcher;
    {
        AsOtherUser nobody;
        QVERIFY(nobody.ok());
        save();
    }
    QCOMPARE(watcher.boxes.size(), boxes);
    for (const auto &box : watcher.boxes) {
        QCOMPARE(box.title, QStringLiteral("Error: 70"));
        QCOMPARE(box.text, QStringLiteral("Permission denied"));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
    }
    QCOMPARE(m_trace.calls().filter(QStringLiteral("write")).size(), boxes);
    verifyFile("read-only image");
}

void TestEvolutionSaver::shortImageIsNotExtended()
{
    const qint64 size = R(493) + 3;
    TestImage shortImage(size, QStringLiteral("short.nds"));
    open(shortImage);
    QVERIFY(m_form->imageAccepted());
    ModalBoxWatcher watcher;
    select(493); // its load stops at the parameter that is cut off
    QCOMPARE(watcher.boxes.size(), 1);
    watcher.boxes.clear();
    combo(1)->setCurrentIndex(4);
    combo(2)->setCurrentIndex(17);
    combo(6)->setCurrentIndex(5);

    save();

    // Method fits, Target lies wholly beyond the end, and of Parameter only the low byte fits.
    QCOMPARE(watcher.boxes.size(), 2);
    QCOMPARE(watcher.boxes[0].text, QStringLiteral("Write past end of file"));
    QCOMPARE(QFileInfo(shortImage.path()).size(), size);
    shortImage.expect(R(493), QByteArray(1, '\x04'));
    shortImage.expect(R(493) + 2, QByteArray(1, '\x11'));
    QCOMPARE(shortImage.firstDifference(), qint64(-1));
}

void TestEvolutionSaver::loadThenSaveLeavesEveryByteAsItWas()
{
    // The level list shows only a parameter's low byte, and species 193 keeps the level of the
    // species before it: make those entries ones the lists can show as stored.
    for (int k = 1; k <= 493; ++k) {
        TestImage::Entry entry = TestImage::patternEntry(k);
        if (entry.method == 4) {
            entry.parameter = k == 193 ? TestImage::patternEntry(192).parameter & 0xFF : entry.parameter & 0xFF;
            m_image->writeEntry(k, entry);
        }
    }
    for (int k = 1; k <= 493; ++k) {
        select(k);
        save();
        save();
    }
    QVERIFY(m_trace.calls().filter(QStringLiteral("write")).size() >= 2 * 2 * 493);
    verifyFile("load and save of every species");
}

QTEST_MAIN(TestEvolutionSaver)
#include "tst_EvolutionSaver.moc"
