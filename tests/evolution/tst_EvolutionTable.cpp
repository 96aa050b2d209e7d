#include <QtTest>

#include "EvolutionTable.h"
using namespace EvolutionTable;

class TestEvolutionTable : public QObject
{
    Q_OBJECT

private slots:
    void recordOffsetOfSpecies_data()
    {
        QTest::addColumn<int>("species");
        QTest::addColumn<int>("offset");
        const int checks[][2] = {{1, 42824768}, {2, 0x28D746C}, {70, 0x28D801C}, {71, 0x28D8048}, {130, 0x28D8A6C},
            {131, 0x28D8A98}, {140, 0x28D8C24}, {141, 0x28D8C50}, {210, 0x28D982C}, {211, 0x28D9858}, {260, 0x28DA0C4},
            {261, 0x28DA0F0}, {279, 0x28DA408}, {280, 0x28DA434}, {349, 0x28DB010}, {350, 0x28DB03C}, {390, 0x28DB71C},
            {391, 0x28DB748}, {419, 0x28DBC18}, {420, 0x28DBC44}, {489, 0x28DC820}, {490, 0x28DC84C}, {493, 42846416}};
        for (const auto &[species, offset] : checks)
            QTest::addRow("%d", species) << species << offset;
    }
    void recordOffsetOfSpecies()
    {
        QFETCH(int, species);
        QFETCH(int, offset);
        QCOMPARE(R(species), offset);
    }
    void entryFieldsLieAtTheirOffsets()
    {
        QCOMPARE(QList<int>({MethodField, ParameterField, TargetField, EntrySize}), QList<int>({0, 2, 4, 6}));
    }
};

QTEST_APPLESS_MAIN(TestEvolutionTable)
#include "tst_EvolutionTable.moc"
