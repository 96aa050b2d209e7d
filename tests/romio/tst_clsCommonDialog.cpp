#include "ScriptedCommonDialogs.h"
#include "clsCommonDialog.h"

#include <QtTest>

#include <stdexcept>

using namespace std::string_literals;

// A filter list up to and including the two NULs that end it.
static std::string rawFilter(const char *list)
{
    std::size_t n = 0;
    while (list[n] || list[n + 1])
        ++n;
    return std::string(list, n + 2);
}

class TestClsCommonDialog : public QObject
{
    Q_OBJECT

    ScriptedCommonDialogs dialogs;
    const FileDialogRequest &request() const { return dialogs.seen.back().first; }
    const OPENFILENAME &record() const { return dialogs.seen.back().second; }

private slots:
    void showOpenKeepsThePathWholeAndHandsItToTheNextDialog()
    {
        clsCommonDialog object(dialogs);
        // Blanks of the name are the name's own; only the fill behind the NUL is not.
        for (const auto &[chosen, returned] : {std::pair{"  /roms/x.nds "s, "  /roms/x.nds "s}, {"/" + std::string(254, 'n'), ""s}}) {
            dialogs.choose("/first.nds", 2);
            QCOMPARE(object.ShowOpen(7, "Open ROM", "", "NDS ROMs (*.nds)|*.nds"), "/first.nds"s);
            QCOMPARE(rawFilter(record().lpstrFilter), "NDS ROMs (*.nds)\0*.nds\0\0"s);
            QCOMPARE(request().initialFile + record().lpstrFileTitle, std::string(508, ' '));
            QVERIFY(record().nMaxFile == 255 && record().nMaxFileTitle == 255 && record().lStructSize == 76 && record().Flags == 0x1804);
            QVERIFY(record().hwndOwner == 7 && record().hInstance == ProgramInstance());
            dialogs.choose(chosen, 3);
            QCOMPARE(object.ShowOpen(7, "Open"), returned);
            QCOMPARE(rawFilter(record().lpstrFilter), "All Files (*.*)\0*.*\0\0"s);
            QCOMPARE(request().initialDir, "/first.nds"s); // the last file itself stands in for a folder
            QCOMPARE(object.FilterIndex(), returned.empty() ? 2 : 3);
        }
        dialogs.cancel();
        QCOMPARE(object.ShowOpen(7, "Open", "", ""), ""s);
        QCOMPARE(rawFilter(record().lpstrFilter), "\0\0"s);
        QCOMPARE(request().initialDir, "/first.nds"s);
    }

    void showSaveFillsItsOwnBuffer()
    {
        clsCommonDialog object(dialogs);
        dialogs.cancel();
        QCOMPARE(object.ShowSave(7, "Save", "evolutions", "/lists"), ""s);
        QCOMPARE(std::string(record().lpstrFile, 128), "evolutions" + std::string(118, '\0'));
        QVERIFY(record().nMaxFile == 128 && record().Flags == 0x1802 && request().defaultExtension == ".gpl");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, object.ShowSave(7, "Save", std::string(129, 'f')));
        QCOMPARE(object.FilterIndex(), 0);
    }
};

QTEST_GUILESS_MAIN(TestClsCommonDialog)
#include "tst_clsCommonDialog.moc"
