#include "ScriptedCommonDialogs.h"
#include "clsCommonDialog.h"

#include <QtTest>

#include <stdexcept>

using namespace std::string_literals;

class TestClsCommonDialog : public QObject
{
    Q_OBJECT

private slots:
    void showOpenKeepsThePathWholeAndHandsItToTheNextDialog()
    {
        ScriptedCommonDialogs dialogs;
        clsCommonDialog object(dialogs);
        const auto request = [&] { return dialogs.seen.back().first; };
        const auto record = [&] { return dialogs.seen.back().second; };
        // Blanks of the name are the name's own; only the fill behind the NUL is not.
        for (const auto &[chosen, returned] : {std::pair{"  /roms/x.nds "s, "  /roms/x.nds "s}, {"/" + std::string(254, 'n'), ""s}}) {
            dialogs.choose("/first.nds", 2);
            QCOMPARE(object.ShowOpen(7, "Open ROM", "", "NDS ROMs (*.nds)|*.nds"), "/first.nds"s);
            QCOMPARE(std::string(record().lpstrFilter, 24), "NDS ROMs (*.nds)\0*.nds\0\0"s);
            QCOMPARE(request().initialFile + record().lpstrFileTitle, std::string(508, ' '));
            QVERIFY(record().nMaxFile == 255 && record().nMaxFileTitle == 255 && record().lStructSize == 76 && record().Flags == 0x1804);
            QVERIFY(record().hwndOwner == 7 && record().hInstance == ProgramInstance());
            dialogs.choose(chosen, 3);
            QCOMPARE(object.ShowOpen(7, "Open"), returned);
            QCOMPARE(std::string(record().lpstrFilter, 21), "All Files (*.*)\0*.*\0\0"s);
            QCOMPARE(request().initialDir, "/first.nds"s); // the last file itself stands in for a folder
            QCOMPARE(object.FilterIndex(), returned.empty() ? 2 : 3);
        }
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, object.ShowSave(7, "Save", std::string(129, 'f')));
        dialogs.cancel();
        QCOMPARE(object.ShowSave(7, "Save", "evolutions", "", ""), ""s);
        QCOMPARE(std::string(record().lpstrFile, 128), "evolutions" + std::string(118, '\0'));
        QVERIFY(record().nMaxFile == 128 && record().Flags == 0x1802 && request().defaultExtension == ".gpl");
        QCOMPARE(std::string(record().lpstrFilter, 2), "\0\0"s);
    }
};

QTEST_GUILESS_MAIN(TestClsCommonDialog)
#include "tst_clsCommonDialog.moc"
