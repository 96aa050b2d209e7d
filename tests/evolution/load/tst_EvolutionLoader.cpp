#include "EvolutionTable.h"
#include "HexFunctions.h"
#include "ModalBoxWatcher.h"
#include "OpenedEditor.h"
#include "TraceRecorder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

#include <memory>
#include <set>

using EvolutionTable::R;

namespace {

const std::set<int> LevelListSkipSpecies = {95,  108, 114, 117, 123, 137, 176, 190, 193, 198,
                                            200, 221, 315, 349, 366, 438, 439, 440, 458};

// The parameter list each method shows, by the index of Combo2 to Combo5 (0 to 3); -1 for none.
int shownParameterList(int method)
{
    switch (method) {
    case 4:
        return 0;
    case 6:
    case 7:
    case 18:
    case 19:
        return 1;
    case 21:
        return 2;
    case 20:
        return 3;
    default:
        return -1;
    }
}

} // namespace

// The load road through the real window: a selection in the species list shows the stored entry.
class TestEvolutionLoader : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void everySpeciesLoadsItsOwnEntry();
    void readsTheEntryFieldByFieldInOrder_data();
    void readsTheEntryFieldByFieldInOrder();
    void levelSkipSpeciesKeepTheLevelList_data();
    void levelSkipSpeciesKeepTheLevelList();
    void parameterIsReadAsLowByteAndAsSixteenBits();
    void ffffLoadsAsNothingSelected();
    void methodNoneHidesAllListsYetSetsThem();
    void fittingListIsVisibleBeforeItIsSet();
    void placeholderAndNoSelectionReadNothing();
    void arrowKeysLoadEachSpeciesTheyPass();
    void changedFileShowsAtNextLoad();
    void valueWithoutEntryLeavesNothingSelected_data();
    void valueWithoutEntryLeavesNothingSelected();
    void failedReadShowsOneBoxAndStops();
    void shortFileStopsAtTheFirstFailedField();

private:
    void select(int species) { m_editor->select(species); }
    QComboBox *combo(int n) const { return m_editor->combo(n); }
    QList<int> selections() const { return m_editor->selections(); }
    void checkShows(int species, const TestImage::Entry &entry, int level);

    std::unique_ptr<OpenedEditor> m_editor;
    TestImage *m_image = nullptr;
    Form1 *m_form = nullptr;
    TraceRecorder m_trace;
};

void TestEvolutionLoader::init()
{
    m_editor = std::make_unique<OpenedEditor>();
    m_image = &m_editor->image;
    m_form = &m_editor->form;
    QVERIFY(m_form->imageAccepted());
    m_trace.events.clear();
    m_form->byteAccess().setTrace(&m_trace);
}

void TestEvolutionLoader::cleanup()
{
    m_editor.reset();
}

void TestEvolutionLoader::checkShows(int species, const TestImage::Entry &entry, int level)
{
    const QList<int> expected = {entry.method, level, entry.parameter, entry.parameter, entry.parameter, entry.target};
    if (selections() != expected)
        QFAIL(qPrintable(QStringLiteral("species %1 shows %2, expected %3")
                             .arg(species)
                             .arg(QDebug::toString(selections()), QDebug::toString(expected))));
    const int shown = shownParameterList(entry.method);
    for (int n = 0; n < 4; ++n)
        QCOMPARE(combo(n + 2)->isVisibleTo(m_form), n == shown);
}

void TestEvolutionLoader::everySpeciesLoadsItsOwnEntry()
{
    int level = -1;
    for (int k = 1; k <= 493; ++k) {
        select(k);
        const TestImage::Entry entry = TestImage::patternEntry(k);
        if (!LevelListSkipSpecies.count(k))
            level = entry.parameter & 0xFF;
        checkShows(k, entry, level);
    }
    QVERIFY(m_trace.calls().filter(QStringLiteral("write")).isEmpty());
    QCOMPARE(m_image->firstDifference(), qint64(-1));
}

void TestEvolutionLoader::readsTheEntryFieldByFieldInOrder_data()
{
    QTest::addColumn<int>("species");
    for (int k : {1, 2, 95, 130, 131, 132, 137, 260, 261, 315, 390, 391, 438, 458, 493})
        QTest::addRow("species %d", k) << k;
}

void TestEvolutionLoader::readsTheEntryFieldByFieldInOrder()
{
    QFETCH(int, species);
    select(species);

    const std::int32_t r = R(species);
    QStringList expected = {QStringLiteral("read %1 1").arg(r)};
    if (!LevelListSkipSpecies.count(species))
        expected << QStringLiteral("read %1 1").arg(r + 2);
    expected << QStringLiteral("read %1 2").arg(r + 2) << QStringLiteral("read %1 2").arg(r + 2)
             << QStringLiteral("read %1 2").arg(r + 2) << QStringLiteral("read %1 2").arg(r + 4);
    QCOMPARE(m_trace.calls(), expected);

    // Every field opens and closes the file on its own.
    QStringList perCall;
    for (const QString &call : expected)
        perCall << call << QStringLiteral("open") << QStringLiteral("close");
    QCOMPARE(m_trace.events, perCall);
}

void TestEvolutionLoader::levelSkipSpeciesKeepTheLevelList_data()
{
    QTest::addColumn<int>("species");
    for (int k : LevelListSkipSpecies)
        QTest::addRow("species %d", k) << k;
}

void TestEvolutionLoader::levelSkipSpeciesKeepTheLevelList()
{
    QFETCH(int, species);
    m_image->writeEntry(species, {4, 0x0155, 12});
    m_image->writeEntry(2, {9, 0x0022, 3});

    select(2);
    QCOMPARE(combo(2)->currentIndex(), 0x22);
    combo(2)->setCurrentIndex(30);
    select(species);
    // The level the user chose stays, and the level list is the one the method shows.
    checkShows(species, {4, 0x0155, 12}, 30);
    QVERIFY(combo(2)->isVisibleTo(m_form));
    QCOMPARE(m_trace.calls().filter(QStringLiteral("read %1 1").arg(R(species) + 2)).size(), 0);
}

void TestEvolutionLoader::parameterIsReadAsLowByteAndAsSixteenBits()
{
    m_image->writeEntry(5, {21, 0x0110, 300});
    select(5);
    checkShows(5, {21, 272, 300}, 16);
    QCOMPARE(m_image->read(R(5) + 4, 2), QByteArray("\x2C\x01", 2));
}

void TestEvolutionLoader::ffffLoadsAsNothingSelected()
{
    ModalBoxWatcher boxes;
    // Species 95 keeps the level list, so an empty parameter can be shown whole.
    m_image->writeEntry(95, {7, 0xFFFF, 0xFFFF});
    select(95);
    QCOMPARE(combo(1)->currentIndex(), 7);
    for (int n : {3, 4, 5, 6})
        QCOMPARE(combo(n)->currentIndex(), -1);
    QVERIFY(boxes.boxes.isEmpty());
}

void TestEvolutionLoader::methodNoneHidesAllListsYetSetsThem()
{
    select(4); // method 4: the level list is visible
    QVERIFY(combo(2)->isVisibleTo(m_form));
    m_image->writeEntry(10, {0, 50, 11});
    select(10);
    checkShows(10, {0, 50, 11}, 50);
}

void TestEvolutionLoader::fittingListIsVisibleBeforeItIsSet()
{
    m_image->writeEntry(20, {20, 0x01C8, 21});
    bool visibleWhenSet = false;
    connect(combo(5), &QComboBox::currentIndexChanged, this,
            [&] { visibleWhenSet = combo(5)->isVisibleTo(m_form); });
    select(20);
    QVERIFY(visibleWhenSet);
    QCOMPARE(selections(), (QList<int>{20, -1, 456, 456, 456, 21}));
}

void TestEvolutionLoader::placeholderAndNoSelectionReadNothing()
{
    select(3);
    const QList<int> before = selections();
    m_trace.events.clear();

    select(0);
    m_editor->list->clearSelection();
    QCOMPARE(m_editor->list->selectedItems().size(), 0);
    QVERIFY(m_trace.events.isEmpty());
    QCOMPARE(selections(), before);
}

void TestEvolutionLoader::arrowKeysLoadEachSpeciesTheyPass()
{
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form));
    select(129);
    m_editor->list->setFocus();
    m_trace.events.clear();

    for (int k : {130, 131, 132}) {
        QTest::keyClick(m_editor->list, Qt::Key_Down);
        checkShows(k, TestImage::patternEntry(k), TestImage::patternEntry(k).parameter & 0xFF);
    }
    const QStringList firstReads = m_trace.calls().filter(QRegularExpression(QStringLiteral(" 1$")));
    QCOMPARE(firstReads.filter(QStringLiteral("read %1 ").arg(R(130))).size(), 1);
    QCOMPARE(firstReads.filter(QStringLiteral("read %1 ").arg(R(131))).size(), 1);
    QCOMPARE(firstReads.filter(QStringLiteral("read %1 ").arg(R(132))).size(), 1);
    QCOMPARE(m_trace.calls().size(), 18);
}

void TestEvolutionLoader::changedFileShowsAtNextLoad()
{
    select(7);
    combo(6)->setCurrentIndex(400); // an unsaved edit
    m_image->writeEntry(7, {6, 0x0102, 77});
    select(8);
    select(7);
    checkShows(7, {6, 0x0102, 77}, 2);
}

void TestEvolutionLoader::valueWithoutEntryLeavesNothingSelected_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("parameter");
    QTest::addColumn<int>("target");
    QTest::addColumn<QList<int>>("shown");
    QTest::addColumn<QStringList>("reported"); // what the message names, in order

    QTest::newRow("method 27") << 27 << 5 << 6 << QList<int>{-1, 5, 5, 5, 5, 6}
                               << QStringList{QStringLiteral("Method: stored value 27 (0x1B)")};
    QTest::newRow("method 255") << 255 << 5 << 6 << QList<int>{-1, 5, 5, 5, 5, 6}
                                << QStringList{QStringLiteral("Method: stored value 255 (0xFF)")};
    QTest::newRow("target 494") << 5 << 5 << 494 << QList<int>{5, 5, 5, 5, 5, -1}
                                << QStringList{QStringLiteral("Target: stored value 494 (0x01EE)")};
    QTest::newRow("target 0x8000") << 5 << 5 << 0x8000 << QList<int>{5, 5, 5, 5, 5, -1}
                                   << QStringList{QStringLiteral("Target: stored value 32768 (0x8000)")};
    QTest::newRow("target 0xFFFE") << 5 << 5 << 0xFFFE << QList<int>{5, 5, 5, 5, 5, -1}
                                   << QStringList{QStringLiteral("Target: stored value 65534 (0xFFFE)")};
    QTest::newRow("shown level 101") << 4 << 101 << 6 << QList<int>{4, -1, 101, 101, 101, 6}
                                     << QStringList{QStringLiteral("Parameter (level): stored value 101 (0x65)")};
    QTest::newRow("shown item 464") << 7 << 464 << 6 << QList<int>{7, -1, -1, 464, 464, 6}
                                    << QStringList{QStringLiteral("Parameter (item): stored value 464 (0x01D0)")};
    QTest::newRow("shown move 468") << 20 << 468 << 6 << QList<int>{20, -1, -1, 468, -1, 6}
                                    << QStringList{QStringLiteral("Parameter (move): stored value 468 (0x01D4)")};
    QTest::newRow("shown species 494") << 21 << 494 << 6 << QList<int>{21, -1, -1, -1, -1, 6}
                                       << QStringList{QStringLiteral("Parameter (species): stored value 494 (0x01EE)")};
    QTest::newRow("hidden lists only") << 4 << 0x0232 << 6 << QList<int>{4, 0x32, -1, -1, -1, 6}
                                       << QStringList{};
    QTest::newRow("method and target") << 30 << 5 << 600 << QList<int>{-1, 5, 5, 5, 5, -1}
                                       << QStringList{QStringLiteral("Method: stored value 30 (0x1E)"),
                                                      QStringLiteral("Target: stored value 600 (0x0258)")};
}

void TestEvolutionLoader::valueWithoutEntryLeavesNothingSelected()
{
    QFETCH(int, method);
    QFETCH(int, parameter);
    QFETCH(int, target);
    QFETCH(QList<int>, shown);
    QFETCH(QStringList, reported);

    // Species 2 is not one of those that keep the level list.
    for (int n = 1; n <= 6; ++n)
        combo(n)->setCurrentIndex(1);
    m_image->writeEntry(2, {method, parameter, target});
    ModalBoxWatcher boxes;
    select(2);

    QCOMPARE(selections(), shown);
    QCOMPARE(m_trace.calls().size(), 6); // the load goes on past a value it cannot show
    if (reported.isEmpty()) {
        QVERIFY(boxes.boxes.isEmpty());
        return;
    }
    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].title, Form1::ApplicationTitle);
    QCOMPARE(boxes.boxes[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(boxes.boxes[0].icon, QMessageBox::NoIcon);
    int from = 0;
    for (const QString &line : reported) {
        const int at = boxes.boxes[0].text.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(boxes.boxes[0].text));
        from = at + 1;
    }
    QCOMPARE(boxes.boxes[0].text.count(QStringLiteral("stored value")), reported.size());
}

void TestEvolutionLoader::failedReadShowsOneBoxAndStops()
{
    select(3);
    const QList<int> before = selections();
    m_trace.events.clear();

    // The image is replaced by something that cannot be read as a file.
    QVERIFY(QFile::remove(m_image->path()));
    QVERIFY(QDir().mkdir(m_image->path()));
    ModalBoxWatcher boxes;
    select(200);

    QCOMPARE(boxes.boxes.size(), 1);
    QVERIFY(boxes.boxes[0].title.startsWith(QLatin1String("Error: ")));
    QCOMPARE(m_trace.calls(), QStringList{QStringLiteral("read %1 1").arg(R(200))});
    QCOMPARE(selections(), before);
}

void TestEvolutionLoader::shortFileStopsAtTheFirstFailedField()
{
    m_image->writeEntry(493, {7, 0x0009, 8});
    for (int n = 1; n <= 6; ++n)
        combo(n)->setCurrentIndex(2);
    // Method and the level byte are there, the second parameter byte is not.
    QFile file(m_image->path());
    QVERIFY(file.resize(R(493) + 3));
    ModalBoxWatcher boxes;
    select(493);

    QCOMPARE(boxes.boxes.size(), 1);
    QCOMPARE(boxes.boxes[0].text, QStringLiteral("Input past end of file"));
    QCOMPARE(selections(), (QList<int>{7, 9, 2, 2, 2, 2}));
    QCOMPARE(m_trace.calls().size(), 3);
    QCOMPARE(QFileInfo(m_image->path()).size(), qint64(R(493) + 3));
}

QTEST_MAIN(TestEvolutionLoader)
#include "tst_EvolutionLoader.moc"
