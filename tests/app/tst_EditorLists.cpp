#include <QtTest>

#include <algorithm>
#include <numeric>
#include <set>
#include <span>

#include "EditorLists.h"

using namespace EditorLists;
using Entries = std::span<const std::string_view>;

namespace {

Entries listNamed(const QByteArray &name)
{
    if (name == "species") return SpeciesList;
    if (name == "method") return MethodList;
    if (name == "level") return LevelList;
    if (name == "item") return ItemList;
    if (name == "move") return MoveList;
    qFatal("unknown list %s", name.constData());
    return {};
}

template <typename Pred>
QList<int> indicesWhere(Entries list, Pred pred)
{
    QList<int> found;
    for (int i = 0; i < int(list.size()); ++i)
        if (pred(list[i]))
            found.append(i);
    return found;
}

QList<int> range(int first, int last)
{
    QList<int> out(last - first + 1);
    std::iota(out.begin(), out.end(), first);
    return out;
}

QByteArray bytes(std::string_view entry)
{
    return QByteArray(entry.data(), qsizetype(entry.size()));
}

QByteArray show(int index, std::string_view entry)
{
    return QByteArray::number(index) + ": \"" + bytes(entry) + '"';
}

const QList<QByteArray> allLists = {"species", "method", "level", "item", "move"};

} // namespace

class TestEditorLists : public QObject
{
    Q_OBJECT

private slots:
    void counts_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("count");
        QTest::newRow("species") << QByteArray("species") << 494;
        QTest::newRow("method") << QByteArray("method") << 27;
        QTest::newRow("level") << QByteArray("level") << 101;
        QTest::newRow("item") << QByteArray("item") << 464;
        QTest::newRow("move") << QByteArray("move") << 468;
    }
    void counts()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, count);
        const Entries entries = listNamed(list);
        QCOMPARE(int(entries.size()), count);
        // A short initialiser still compiles and leaves null views at the end.
        QVERIFY2(entries.back().data() != nullptr, "the initialiser has fewer entries than the table");
    }

    void fixedEntries_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("species placeholder") << QByteArray("species") << 0 << QByteArray("??????????");
        QTest::newRow("no method") << QByteArray("method") << 0 << QByteArray("None");
        QTest::newRow("no item") << QByteArray("item") << 0 << QByteArray("None");
        QTest::newRow("no move") << QByteArray("move") << 0 << QByteArray("None");
    }
    void fixedEntries()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, index);
        QFETCH(QByteArray, text);
        QCOMPARE(bytes(listNamed(list)[index]), text);
    }

    void placeholders_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("species") << QByteArray("species") << QByteArray("??????????") << QList<int>{0};
        QTest::newRow("item") << QByteArray("item") << QByteArray("????????") << range(112, 134);
    }
    void placeholders()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, text);
        QFETCH(QList<int>, expected);
        const std::string_view wanted(text.constData(), text.size());
        QCOMPARE(indicesWhere(listNamed(list), [&](std::string_view e) { return e == wanted; }), expected);
    }

    void methodLabels()
    {
        static const char *const labels[] = {
            "None", "Happiness Evo", "Happiness (Day)", "Happiness (Night)", "Level Evo",
            "Trade Evo", "Trade With Item", "Item Evo", "Attack > Defence", "Attack < Defence",
            "Attack = Defence", "Personaltiy <=4", "Personaltiy => 5", "Special Level Evo",
            "Party Spots > 0", "Max Beauty", "Merivane (Male)", "Happiness (Day)",
            "Level With Item (Day)", "Level With Item (Night)", "Level With Attack",
            "Level With Quorvel", "Special Level Evo", "Special Level Evo", "Level at Vostrel",
            "Level at Ambrask", "Level at Route 217",
        };
        QCOMPARE(MethodList.size(), std::size(labels));
        for (size_t i = 0; i < MethodList.size(); ++i)
            QCOMPARE(bytes(MethodList[i]), QByteArray(labels[i]));
    }

    void levelNumerals()
    {
        for (size_t k = 0; k < LevelList.size(); ++k)
            QCOMPARE(bytes(LevelList[k]), QByteArray::number(qulonglong(k)));
    }

    void uniqueNames_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QByteArray>("placeholder");
        QTest::newRow("species") << QByteArray("species") << QByteArray();
        QTest::newRow("item") << QByteArray("item") << QByteArray("????????");
        QTest::newRow("move") << QByteArray("move") << QByteArray();
    }
    void uniqueNames()
    {
        QFETCH(QByteArray, list);
        QFETCH(QByteArray, placeholder);
        const Entries entries = listNamed(list);
        const std::string_view skip(placeholder.constData(), placeholder.size());
        std::set<std::string_view> seen;
        for (size_t i = 0; i < entries.size(); ++i) {
            if (!skip.empty() && entries[i] == skip)
                continue;
            QVERIFY2(seen.insert(entries[i]).second, show(int(i), entries[i]) + " repeats");
        }
    }

    void longestEntries_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("longest");
        QTest::addColumn<int>("howMany");
        QTest::addColumn<int>("oneOfThem");
        QTest::newRow("species") << QByteArray("species") << 10 << 24 << 0;
        QTest::newRow("item") << QByteArray("item") << 14 << 1 << 246;
        QTest::newRow("move") << QByteArray("move") << 13 << 13 << 455;
    }
    void longestEntries()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, longest);
        QFETCH(int, howMany);
        QFETCH(int, oneOfThem);
        const Entries entries = listNamed(list);
        const auto lengthOf = [](std::string_view e) { return int(e.size()); };
        QCOMPARE(std::ranges::max(entries, {}, lengthOf).size(), size_t(longest));
        const QList<int> atLongest = indicesWhere(entries, [&](std::string_view e) { return lengthOf(e) == longest; });
        QCOMPARE(atLongest.size(), howMany);
        QVERIFY(atLongest.contains(oneOfThem));
    }

    void speciesWithBlank()
    {
        const auto hasBlank = [](std::string_view e) { return e.find(' ') != e.npos; };
        QCOMPARE(indicesWhere(SpeciesList, hasBlank), (QList<int>{233, 439}));
        for (int i : {233, 439}) {
            const std::string_view e = SpeciesList[i];
            QVERIFY2(std::ranges::count(e, ' ') == 1, show(i, e));
            QVERIFY2(e.front() != ' ' && e.back() != ' ', show(i, e));
        }
    }

    void trailingBlanks_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("species") << QByteArray("species") << QList<int>{};
        QTest::newRow("method") << QByteArray("method") << QList<int>{};
        QTest::newRow("level") << QByteArray("level") << QList<int>{};
        QTest::newRow("item") << QByteArray("item")
                              << QList<int>{6, 13, 14, 38, 39, 40, 41, 59, 89, 92, 230, 237, 244, 249, 421, 437, 457};
        QTest::newRow("move") << QByteArray("move")
                              << QList<int>{33, 46, 54, 104, 147, 173, 241, 321, 335, 339, 351, 374, 406, 437, 440, 450};
    }
    void trailingBlanks()
    {
        QFETCH(QByteArray, list);
        QFETCH(QList<int>, expected);
        const Entries entries = listNamed(list);
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.ends_with(' '); }), expected);
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.starts_with(' '); }), QList<int>{});
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.ends_with("  "); }), QList<int>{});
    }

    void doubleBlanks_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("species") << QByteArray("species") << QList<int>{};
        QTest::newRow("item") << QByteArray("item") << QList<int>{};
        QTest::newRow("move") << QByteArray("move") << QList<int>{455};
    }
    void doubleBlanks()
    {
        QFETCH(QByteArray, list);
        QFETCH(QList<int>, expected);
        const Entries entries = listNamed(list);
        QCOMPARE(indicesWhere(entries, [](std::string_view e) { return e.find("  ") != e.npos; }), expected);
        for (int i : expected)
            QVERIFY2(entries[i].front() != ' ' && entries[i].back() != ' ', show(i, entries[i]));
    }

    void speciesCharacters()
    {
        const auto allowed = [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
                || c == ' ' || c == '\'' || c == '-' || c == '.';
        };
        for (size_t i = 1; i < SpeciesList.size(); ++i)
            QVERIFY2(std::ranges::all_of(SpeciesList[i], allowed), show(int(i), SpeciesList[i]));
        for (char mark : {'\'', '-', '.'}) {
            const bool used = std::ranges::any_of(SpeciesList, [&](std::string_view e) { return e.find(mark) != e.npos; });
            QVERIFY2(used, QByteArray("no species uses ") + mark);
        }
    }

    void printableAndNonEmpty_data()
    {
        QTest::addColumn<QByteArray>("list");
        for (const QByteArray &name : allLists)
            QTest::newRow(name.constData()) << name;
    }
    void printableAndNonEmpty()
    {
        QFETCH(QByteArray, list);
        const Entries entries = listNamed(list);
        const auto printable = [](char c) { return c >= 0x20 && c <= 0x7e; };
        for (size_t i = 0; i < entries.size(); ++i) {
            QVERIFY2(!entries[i].empty(), show(int(i), entries[i]));
            QVERIFY2(std::ranges::all_of(entries[i], printable), show(int(i), entries[i]));
        }
    }
};

QTEST_APPLESS_MAIN(TestEditorLists)
#include "tst_EditorLists.moc"
