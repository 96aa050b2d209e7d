#include <QtTest>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <span>

#include "EditorLists.h"

using namespace EditorLists;
using Entries = std::span<const std::string_view>;
using Indices = QList<int>;

// Each data row is named after the list it checks.
static Entries currentList()
{
    static const QHash<QByteArray, Entries> lists = {{"species", SpeciesList}, {"item", ItemList}, {"move", MoveList}};
    return lists.value(QTest::currentDataTag());
}

static Indices indicesWhere(Entries list, auto pred)
{
    Indices found;
    for (int i = 0; i < int(list.size()); ++i)
        if (pred(list[i]))
            found.append(i);
    return found;
}

static QByteArray bytes(std::string_view e) { return QByteArray(e.data(), qsizetype(e.size())); }
static QByteArray show(int i, std::string_view e) { return QByteArray::number(i) + ": \"" + bytes(e) + '"'; }

class TestEditorLists : public QObject
{
    Q_OBJECT

private slots:
    void shape_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("placeholder");
        QTest::addColumn<Indices>("placeholderAt");
        QTest::addColumn<Indices>("oneTrailingBlank");
        QTest::addColumn<Indices>("twoBlanksInARow");
        Indices unused;
        for (int i = 112; i <= 134; ++i)
            unused << i;
        QTest::newRow("species") << 494 << QByteArray("??????????") << Indices{0} << Indices{} << Indices{};
        QTest::newRow("item") << 464 << QByteArray("????????") << unused
                              << Indices{6, 13, 14, 38, 39, 40, 41, 59, 89, 92, 230, 237, 244, 249, 421, 437, 457}
                              << Indices{};
        QTest::newRow("move") << 468 << QByteArray() << Indices{}
                              << Indices{33, 46, 54, 104, 147, 173, 241, 321, 335, 339, 351, 374, 406, 437, 440, 450}
                              << Indices{455};
    }
    void shape()
    {
        QFETCH(int, count);
        QFETCH(QByteArray, placeholder);
        QFETCH(Indices, placeholderAt);
        QFETCH(Indices, oneTrailingBlank);
        QFETCH(Indices, twoBlanksInARow);
        const Entries entries = currentList();
        QCOMPARE(int(entries.size()), count);
        // A short initialiser still compiles and leaves null views at the end.
        QVERIFY2(entries.back().data() != nullptr, "the initialiser has fewer entries than the table");
        QCOMPARE(bytes(entries[0]), placeholderAt.contains(0) ? placeholder : QByteArray("None"));
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.find_first_not_of('?') == e.npos; }),
                 placeholderAt);
        std::set<std::string_view> seen;
        for (int i = 0; i < count; ++i) {
            const std::string_view e = entries[i];
            QVERIFY2(!e.empty() && std::ranges::all_of(e, [](char c) { return c >= 0x20 && c <= 0x7e; }), show(i, e));
            if (placeholderAt.contains(i))
                QCOMPARE(bytes(e), placeholder);
            else
                QVERIFY2(seen.insert(e).second, show(i, e) + " repeats");
        }
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.ends_with(' '); }), oneTrailingBlank);
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.find("  ") != e.npos; }), twoBlanksInARow);
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.starts_with(' ') || e.ends_with("  "); }),
                 Indices{});
    }

    void longest_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("howMany");
        QTest::addColumn<int>("oneOfThem");
        QTest::newRow("species") << 10 << 24 << 0;
        QTest::newRow("item") << 14 << 1 << 246;
        QTest::newRow("move") << 13 << 13 << 455;
    }
    void longest()
    {
        QFETCH(int, length);
        QFETCH(int, howMany);
        QFETCH(int, oneOfThem);
        const Entries entries = currentList();
        QCOMPARE(int(std::ranges::max(entries, {}, [](std::string_view e) { return e.size(); }).size()), length);
        const Indices atLongest = indicesWhere(entries, [&](std::string_view e) { return int(e.size()) == length; });
        QCOMPARE(atLongest.size(), howMany);
        QVERIFY(atLongest.contains(oneOfThem));
    }

    void speciesCharacters()
    {
        const auto allowed = [](unsigned char c) { return std::isalnum(c) || std::strchr(" '-.", c); };
        for (int i = 1; i < int(SpeciesList.size()); ++i)
            QVERIFY2(std::ranges::all_of(SpeciesList[i], allowed), show(i, SpeciesList[i]));
        for (char mark : {'\'', '-', '.'})
            QVERIFY2(std::ranges::any_of(SpeciesList, [&](std::string_view e) { return e.find(mark) != e.npos; }),
                     QByteArray("no species uses ") + mark);
        QCOMPARE(indicesWhere(SpeciesList, [](std::string_view e) { return e.find(' ') != e.npos; }),
                 (Indices{233, 439}));
    }

    // Exact text, so these two need none of the shape checks above.
    void methodAndLevelLabels()
    {
        const QByteArrayList methods = {
            "None", "Happiness Evo", "Happiness (Day)", "Happiness (Night)", "Level Evo", "Trade Evo", "Trade With Item",
            "Item Evo", "Attack > Defence", "Attack < Defence", "Attack = Defence", "Personaltiy <=4",
            "Personaltiy => 5", "Special Level Evo", "Party Spots > 0", "Max Beauty", "Merivane (Male)",
            "Happiness (Day)", "Level With Item (Day)", "Level With Item (Night)", "Level With Attack",
            "Level With Quorvel", "Special Level Evo", "Special Level Evo", "Level at Vostrel", "Level at Ambrask",
            "Level at Route 217"};
        QCOMPARE(int(MethodList.size()), methods.size());
        for (int i = 0; i < methods.size(); ++i)
            QCOMPARE(bytes(MethodList[i]), methods[i]);
        QCOMPARE(int(LevelList.size()), 101);
        for (int k = 0; k < int(LevelList.size()); ++k)
            QCOMPARE(bytes(LevelList[k]), QByteArray::number(k));
    }
};

QTEST_APPLESS_MAIN(TestEditorLists)
#include "tst_EditorLists.moc"
